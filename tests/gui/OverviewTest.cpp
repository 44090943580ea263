#include "BrowserFixture.h"

#include "app/ProgramState.h"
#include "dialogs/QuestionDlg.h"
#include "plans/Plans.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

namespace {

constexpr int kCellWidth = 68, kCellHeight = 82, kColumns = 14;

POINT CellCentre(int image) {
    return {((image - 1) % kColumns) * kCellWidth + 34,
            ((image - 1) / kColumns) * kCellHeight + 34};
}

// A press on one cell and a release on another (or the same), Shift or Ctrl held as keys says.
void ClickGrid(HWND grid, int pressed, int released, WPARAM keys = 0) {
    POINT down = CellCentre(pressed), up = CellCentre(released);
    ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(down.x, down.y));
    if (released != pressed) {
        POINT half{(down.x + up.x) / 2, (down.y + up.y) / 2};
        ::SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON | keys, MAKELPARAM(half.x, half.y));
        ::SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON | keys, MAKELPARAM(up.x, up.y));
    }
    ::SendMessageW(grid, WM_LBUTTONUP, keys, MAKELPARAM(up.x, up.y));
}

void DoubleClickGrid(HWND grid, int image) {
    POINT at = CellCentre(image);
    ClickGrid(grid, image, image);
    ::SendMessageW(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
}

// The grid as it stands on screen, 0xRRGGBB values, and its width.
std::vector<unsigned> ScreenOf(HWND grid, int& width) {
    return ScreenPixels(grid, &width);
}

// The colours image n shows in its cell, each pixel of the image a 2x2 block.
bool CellShows(const std::vector<unsigned>& screen, int width, int image,
               const std::vector<unsigned>& colours) {
    int left = ((image - 1) % kColumns) * kCellWidth + 2,
        top = ((image - 1) / kColumns) * kCellHeight + 2;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (screen[static_cast<std::size_t>((top + y) * width + left + x)] !=
                colours[(y / 2) * 32 + x / 2]) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

class Overview : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        TestModalAnswers().dialog = nullptr;
    }
    // Shows the overview of the active pane and runs act on its grid.
    bool ShowOverview(const std::string& caption,
                      const std::function<void(HWND dialog, HWND grid)>& act) {
        TestModalAnswers().dialog = nullptr;
        return ShowOverviewModal(caption, act);
    }
    // The same, with whatever answers the test set for the dialogs the overview opens; the
    // overview itself is always real.
    bool ShowOverviewModal(const std::string& caption,
                           const std::function<void(HWND dialog, HWND grid)>& act) {
        auto answers = TestModalAnswers().dialog;
        TestModalAnswers().dialog = [answers](CDialog& dialog) -> INT_PTR {
            return dialog.GetTemplateId() == IDD_OVERVIEW_DIALOG || !answers ? ModalAnswers::kShowIt
                                                                             : answers(dialog);
        };
        WindowDriver driver(Widen(caption), [&](HWND dialog) {
            act(dialog, ::FindWindowExW(dialog, nullptr, L"BreltOverviewGrid", nullptr));
        });
        Command(ID_SHOW_OVERVIEW);
        TestModalAnswers().dialog = answers;
        return driver.Found();
    }
};

TEST_F(Overview, ShowsEveryImageAtTwiceItsSizeAndAClickGoesToIt) {
    Bytes collection = MakeCollection(260096, 101);
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"40");
    std::string name = file.Path().substr(file.Path().find_last_of('\\') + 1);
    bool shown = true, framed = false;
    ASSERT_TRUE(ShowOverview(name, [&](HWND, HWND grid) {
        int width = 0;
        std::vector<unsigned> screen = ScreenOf(grid, width);
        for (int image : {1, 14, 15, 40, 126}) {
            shown = shown && CellShows(screen, width, image, ImageColours(collection, image));
        }
        POINT corner = CellCentre(40);
        framed =
            screen[static_cast<std::size_t>((corner.y - 34) * width + corner.x - 34)] == 0xFF0000;
        DoubleClickGrid(grid, 77);
    }));
    EXPECT_TRUE(shown) << "cells against the file's images";
    EXPECT_TRUE(framed) << "the current image framed red";
    EXPECT_EQ(g_nTargetFirst, 77);
    ExpectStrip(kTargetSlots, collection, 77);
    EXPECT_EQ(FramedSlot(kTargetSlots), 0);
}

TEST_F(Overview, ARangeDraggedForwardsMovesInOrderAndTheKeysChoose) {
    Bytes collection = MakeCollection(202752, 102);
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());
    std::string name = file.Path().substr(file.Path().find_last_of('\\') + 1);
    std::wstring status;
    ASSERT_TRUE(ShowOverview(name, [&](HWND dialog, HWND grid) {
        ClickGrid(grid, 3, 3);
        ClickGrid(grid, 5, 5, MK_SHIFT); // 3 to 5
        ClickGrid(grid, 4, 10);          // dragged onto 10: before it
        for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            status = WindowClass(c) == L"Static" ? WindowText(c) : status;
        }
        for (UINT key : {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN}) {
            ::SendMessageW(grid, WM_KEYDOWN, key, 1);
        }
    }));
    Bytes expected = collection;
    const int order[] = {1, 2, 6, 7, 8, 9, 3, 4, 5, 10};
    for (int image = 1; image <= 10; ++image) {
        SetPixelArea(expected, image, PixelArea(collection, order[image - 1]));
    }
    EXPECT_EQ(file.Read(), expected) << "3 to 5 now before 10, the images between moved over";
    EXPECT_EQ(status, L"3 seleccionats · 0 en blanc, 0 repetits");
    EXPECT_EQ(g_nTargetFirst, 7 + 2 + 14) << "from where they landed: two right, a row down";
    Command(ID_UNDO);
    EXPECT_EQ(file.Read(), collection) << "one step";

    // In the source, a drag moves nothing; Esc chooses nothing.
    Open(IDC_OPEN_SOURCE, file.Path());
    Command(IDC_SOURCE_SLOT1);
    ASSERT_TRUE(ShowOverview(name, [&](HWND, HWND grid) {
        ClickGrid(grid, 1, 2);
        ::SendMessageW(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    }));
    EXPECT_EQ(file.Read(), collection);
    EXPECT_EQ(g_nSourceFirst, 1);
}

TEST_F(Overview, DeleteAndInsertMoveTheRestAndComeBackWithUndo) {
    Bytes collection = MakeCollection(202752, 103);
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());
    std::string name = file.Path().substr(file.Path().find_last_of('\\') + 1);
    ASSERT_TRUE(ShowOverview(name, [&](HWND, HWND grid) {
        ClickGrid(grid, 20, 20);
        ClickGrid(grid, 22, 22, MK_CONTROL); // 20 and 22
        ::SendMessageW(grid, WM_KEYDOWN, VK_DELETE, 1);
        ::SendMessageW(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    }));
    Bytes removed = collection;
    for (int image = 20; image <= 98; ++image) {
        int from = image < 21 ? image + 1 : image + 2;
        SetPixelArea(removed, image, from <= 98 ? PixelArea(collection, from) : plans::WhiteArea());
    }
    EXPECT_EQ(file.Read(), removed) << "the later ones up, white at the end";

    // Insert: the confirmation shows the stamp that will be lost, then a white one goes in.
    std::vector<unsigned> lost;
    TestModalAnswers().dialog = [&](CDialog& dialog) {
        lost = ImageColours(removed, 98);
        g_bConfirmed = dialog.GetTemplateId() == IDD_MSG_DIALOG ? 1 : 0;
        return static_cast<INT_PTR>(IDOK);
    };
    Command(IDC_TARGET_SLOT1);
    ASSERT_TRUE(ShowOverviewModal(name, [&](HWND, HWND grid) {
        ClickGrid(grid, 5, 5);
        ::SendMessageW(grid, WM_KEYDOWN, VK_INSERT, 1);
        ::SendMessageW(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    }));
    Bytes inserted = removed;
    SetPixelArea(inserted, 5, plans::WhiteArea());
    for (int image = 6; image <= 98; ++image) {
        SetPixelArea(inserted, image, PixelArea(removed, image - 1));
    }
    EXPECT_EQ(file.Read(), inserted);
    Command(ID_UNDO);
    EXPECT_EQ(file.Read(), removed);
    Command(ID_UNDO);
    EXPECT_EQ(file.Read(), collection);
}

TEST_F(Overview, TheSourcesSelectionIsCopiedIntoTheTargetAfterOneQuestion) {
    Bytes source = MakeCollection(202752, 104), collection = MakeCollection(202752, 105);
    ScratchFile sourceFile(source), file(collection);
    Open(IDC_OPEN_SOURCE, sourceFile.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"96");
    Command(IDC_SOURCE_SLOT1); // the source, active
    std::string question;
    TestModalAnswers().dialog = [&](CDialog& dialog) {
        question = dynamic_cast<CQuestionDlg&>(dialog).GetQuestion();
        return static_cast<INT_PTR>(IDOK);
    };
    std::string name = sourceFile.Path().substr(sourceFile.Path().find_last_of('\\') + 1);
    ASSERT_TRUE(ShowOverviewModal(name, [&](HWND, HWND grid) {
        ClickGrid(grid, 2, 2);
        ClickGrid(grid, 6, 6, MK_SHIFT); // 2 to 6: five, of which three fit
        ::SendMessageW(grid, WM_COMMAND, ID_OVERVIEW_COPY_TO_TARGET, 0);
        ::SendMessageW(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    }));
    EXPECT_EQ(question, "Es substituiran les imatges 96 a 98. Voleu continuar?");
    Bytes expected = collection;
    for (int i = 0; i < 3; ++i) {
        SetPixelArea(expected, 96 + i, PixelArea(source, 2 + i));
    }
    EXPECT_EQ(file.Read(), expected);
    ExpectStrip(kTargetSlots, expected, 94);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text.find("2 imatges no hi cabien"), 0u) << messages_[0].text;
}

TEST_F(Overview, BlankAndRepeatedStampsAreMarkedAndTheRepeatsSelected) {
    Bytes collection = MakeCollection(202752, 106);
    SetPixelArea(collection, 4, plans::WhiteArea());
    SetPixelArea(collection, 30, plans::WhiteArea());
    SetPixelArea(collection, 50, PixelArea(collection, 7));
    SetPixelArea(collection, 60, PixelArea(collection, 7));
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());
    std::string name = file.Path().substr(file.Path().find_last_of('\\') + 1);
    std::vector<unsigned> screen;
    int width = 0;
    std::wstring status;
    ASSERT_TRUE(ShowOverview(name, [&](HWND dialog, HWND grid) {
        ::SendMessageW(grid, WM_COMMAND, ID_OVERVIEW_SELECT_REPEATS, 0);
        screen = ScreenOf(grid, width);
        for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            status = WindowClass(c) == L"Static" ? WindowText(c) : status;
        }
        ::SendMessageW(grid, WM_KEYDOWN, VK_DELETE, 1); // the repeats but the first go
        ::SendMessageW(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    }));
    EXPECT_EQ(status, L"2 seleccionats · 2 en blanc, 2 repetits");
    auto at = [&](int image, int x, int y) {
        POINT c = CellCentre(image);
        return screen[static_cast<std::size_t>((c.y - 32 + y) * width + c.x - 32 + x)];
    };
    EXPECT_EQ(at(4, 6, 0), 0xD7D7D7u) << "a white stamp's light mark";
    EXPECT_EQ(at(30, 6, 0), 0xD7D7D7u);
    EXPECT_EQ(at(7, 62, 1), at(50, 62, 1)) << "one stamp, one colour in the corner";
    EXPECT_NE(at(7, 62, 1), ImageColours(collection, 7)[31]) << "a corner in the group's colour";
    Bytes expected = collection;
    for (int image = 50; image <= 98; ++image) {
        int from = image < 59 ? image + 1 : image + 2;
        SetPixelArea(expected, image,
                     from <= 98 ? PixelArea(collection, from) : plans::WhiteArea());
    }
    EXPECT_EQ(file.Read(), expected);
}

TEST_F(Overview, ARightClickMakesTheSlotCurrentAndOpensThePanesMenu) {
    ScratchFile file(MakeCollection());
    Open(IDC_OPEN_SOURCE, file.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    for (int slot : {IDC_SOURCE_SLOT4, IDC_TARGET_SLOT4}) {
        std::vector<std::wstring> items;
        std::thread menu([&] {
            Eventually([&] {
                HWND popup = ::FindWindowW(L"#32768", nullptr);
                HMENU handle =
                    popup != nullptr
                        ? reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0))
                        : nullptr;
                for (int i = 0; handle != nullptr && i < ::GetMenuItemCount(handle); ++i) {
                    wchar_t text[64] = {};
                    ::GetMenuStringW(handle, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
                    items.push_back(text);
                }
                return !items.empty();
            });
            ::PostMessageW(hwnd_, WM_CANCELMODE, 0, 0);
        });
        RECT r;
        ::GetWindowRect(::GetDlgItem(hwnd_, slot), &r);
        ::SendMessageW(hwnd_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(::GetDlgItem(hwnd_, slot)),
                       MAKELPARAM(r.left + 5, r.top + 5));
        menu.join();
        // Every item with its Alt letter, those with a key showing it; a separator is empty.
        std::vector<std::wstring> expected =
            slot == IDC_TARGET_SLOT4
                ? std::vector<std::wstring>{L"&Edita la imatge...\tF2", L"&Copia la imatge\tCtrl+C",
                                            L"E&nganxa aquí\tCtrl+V"}
                : std::vector<std::wstring>{L"&Copia la imatge\tCtrl+C"};
        expected.insert(expected.end(),
                        {L"", L"&Mostra tota la col·lecció...\tCtrl+T",
                         L"&Desa la imatge com a PNG...", L"E&xporta la col·lecció en PNG..."});
        if (slot == IDC_TARGET_SLOT4) {
            expected.insert(expected.end(),
                            {L"&Importa imatges aquí...", L"Importa un full de se&gells...",
                             L"Fes &lloc aquí...", L"Crea segells de &text..."});
        }
        expected.push_back(L"Cerca aquest &segell a la biblioteca...");
        // Nothing done yet: "Desfés" and "Refés" stand greyed.
        expected.insert(expected.end(), {L"", L"Des&fés\tCtrl+Z", L"&Refés\tCtrl+Y"});
        if (slot == IDC_TARGET_SLOT4) {
            expected.push_back(L"&Versions anteriors...");
        }
        EXPECT_EQ(items, expected) << slot;
    }
    EXPECT_EQ(g_nSourceFirst, 4) << "the fourth source slot became current";
    EXPECT_EQ(g_nTargetFirst, 4);
}

// Ctrl+Z and Ctrl+Y inside the overview act on its collection, and its cells show the result.
TEST_F(Overview, CtrlZAndCtrlYTakeBackAndDoAgainAndTheCellsShowIt) {
    Bytes collection = MakeCollection(202752, 108);
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());
    std::string name = file.Path().substr(file.Path().find_last_of('\\') + 1);
    std::vector<Bytes> states;
    std::vector<bool> cellTwoShows;
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80; // held for the keys the grid gets on this thread
    ::SetKeyboardState(keys);
    ASSERT_TRUE(ShowOverview(name, [&](HWND, HWND grid) {
        ClickGrid(grid, 2, 2);
        for (UINT key : {UINT{VK_DELETE}, UINT{'Z'}, UINT{'Y'}}) {
            ::SendMessageW(grid, WM_KEYDOWN, key, 1);
            int width = 0;
            std::vector<unsigned> screen = ScreenOf(grid, width);
            states.push_back(file.Read());
            cellTwoShows.push_back(CellShows(screen, width, 2, ImageColours(states.back(), 2)) &&
                                   !CellShows(screen, width, 2, ImageColours(states.back(), 1)));
        }
        ::SendMessageW(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    }));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(PixelArea(states[0], 2), PixelArea(collection, 3)) << "Supr took image 2 out";
    EXPECT_EQ(states[1], collection) << "Ctrl+Z brought it back";
    EXPECT_EQ(states[2], states[0]) << "Ctrl+Y took it out again";
    EXPECT_EQ(cellTwoShows, std::vector<bool>(3, true)) << "the cell shows the file each time";
    EXPECT_TRUE(messages_.empty());
}

// Ctrl+Shift and the arrows move the selection as a drag would, each as one change that Ctrl+Z
// takes back: no reorder needs the mouse.
TEST_F(Overview, CtrlShiftAndTheArrowsMoveTheSelection) {
    Bytes collection = MakeCollection(202752, 109);
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());
    std::string name = file.Path().substr(file.Path().find_last_of('\\') + 1);
    std::vector<Bytes> states;
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0x80; // held for the keys the grid gets on this thread
    ::SetKeyboardState(keys);
    ASSERT_TRUE(ShowOverview(name, [&](HWND, HWND grid) {
        ClickGrid(grid, 20, 20);
        for (UINT key : {UINT{VK_RIGHT}, UINT{VK_DOWN}, UINT{VK_LEFT}}) {
            ::SendMessageW(grid, WM_KEYDOWN, key, 1);
            states.push_back(file.Read());
        }
        ::SendMessageW(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    }));
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
    ASSERT_EQ(states.size(), 3u);
    // Right: 20 to 21. Down: 21 to 35, a row on. Left: 35 to 34.
    Bytes expected = collection;
    auto move = [](Bytes& file, int from, int to) {
        const Bytes moved = PixelArea(file, from);
        const int step = to > from ? 1 : -1;
        for (int image = from; image != to; image += step) {
            SetPixelArea(file, image, PixelArea(file, image + step));
        }
        SetPixelArea(file, to, moved);
    };
    move(expected, 20, 21);
    EXPECT_EQ(states[0], expected);
    move(expected, 21, 35);
    EXPECT_EQ(states[1], expected);
    move(expected, 35, 34);
    EXPECT_EQ(states[2], expected);
    Command(ID_UNDO);
    move(expected, 34, 35);
    EXPECT_EQ(file.Read(), expected) << "one Ctrl+Z, one move back";
}
