#include "BrowserFixture.h"

#include "app/ProgramState.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

namespace {

constexpr int kCellWidth = 68, kCellHeight = 82, kColumns = 14;

POINT CellCentre(int image) {
    return {((image - 1) % kColumns) * kCellWidth + 34,
            ((image - 1) / kColumns) * kCellHeight + 34};
}

void ClickGrid(HWND grid, int pressed, int released) {
    POINT down = CellCentre(pressed), up = CellCentre(released);
    ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    ::SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
}

// The grid as it stands on screen, 0xRRGGBB values, and its width.
std::vector<unsigned> ScreenOf(HWND grid, int& width) {
    // Painted whole before it is read: a paint message sent from this thread is handled at once
    // by the grid's, where RDW_UPDATENOW from another thread may not wait for it under Wine.
    ::InvalidateRect(grid, nullptr, FALSE);
    ::SendMessageW(grid, WM_PAINT, 0, 0);
    RECT r;
    ::GetClientRect(grid, &r);
    width = r.right;
    HDC screen = ::GetDC(grid);
    HDC copy = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, r.right, r.bottom);
    HGDIOBJ previous = ::SelectObject(copy, bitmap);
    ::BitBlt(copy, 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
    ::SelectObject(copy, previous);
    std::vector<unsigned> pixels = BitmapPixels(bitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(copy);
    ::ReleaseDC(grid, screen);
    return pixels;
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
        WindowDriver driver(Widen(caption), [&](HWND dialog) {
            act(dialog, ::FindWindowExW(dialog, nullptr, L"BreltOverviewGrid", nullptr));
        });
        Command(ID_SHOW_OVERVIEW);
        return driver.Found();
    }
};

TEST_F(Overview, ShowsEveryImageAtTwiceItsSizeAndAClickGoesToIt) {
    Bytes collection = MakeCollection(260096, 101);
    ScratchFile file(collection);
    Open(1011, file.Path());
    GoTo(1013, L"40");
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
        ClickGrid(grid, 77, 77);
    }));
    EXPECT_TRUE(shown) << "cells against the file's images";
    EXPECT_TRUE(framed) << "the current image framed red";
    EXPECT_EQ(g_nTargetFirst, 77);
    ExpectStrip(kTargetSlots, collection, 77);
    EXPECT_EQ(FramedSlot(kTargetSlots), 0);
}

TEST_F(Overview, DraggingSwapsTwoImagesOfTheTargetAndTheKeysChoose) {
    Bytes collection = MakeCollection(202752, 102);
    ScratchFile file(collection);
    Open(1011, file.Path());
    std::string name = file.Path().substr(file.Path().find_last_of('\\') + 1);
    ASSERT_TRUE(ShowOverview(name, [&](HWND, HWND grid) {
        ClickGrid(grid, 3, 9);
        for (UINT key : {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN}) {
            ::SendMessageW(grid, WM_KEYDOWN, key, 1);
        }
    }));
    Bytes expected = collection;
    SetPixelArea(expected, 3, PixelArea(collection, 9));
    SetPixelArea(expected, 9, PixelArea(collection, 3));
    EXPECT_EQ(file.Read(), expected) << "exactly two pixel areas";
    EXPECT_EQ(g_nTargetFirst, 17) << "from 1: two right, one row down";

    // In the source, a drag swaps nothing; Esc chooses nothing.
    Open(1002, file.Path());
    Command(1016);
    ASSERT_TRUE(ShowOverview(name, [&](HWND, HWND grid) {
        ClickGrid(grid, 1, 2);
        ::SendMessageW(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    }));
    EXPECT_EQ(file.Read(), expected);
    EXPECT_EQ(g_nSourceFirst, 1);
}

TEST_F(Overview, ARightClickMakesTheSlotCurrentAndOpensThePanesMenu) {
    ScratchFile file(MakeCollection());
    Open(1002, file.Path());
    Open(1011, file.Path());
    for (int slot : {1024, 1028}) {
        std::vector<std::wstring> items;
        std::thread menu([&] {
            for (int waited = 0; waited < 5000 && items.empty(); waited += 20) {
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
                ::Sleep(20);
            }
            ::PostMessageW(hwnd_, WM_CANCELMODE, 0, 0);
        });
        RECT r;
        ::GetWindowRect(::GetDlgItem(hwnd_, slot), &r);
        ::SendMessageW(hwnd_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(::GetDlgItem(hwnd_, slot)),
                       MAKELPARAM(r.left + 5, r.top + 5));
        menu.join();
        // Every item with its Alt letter, those with a key showing it; a separator is empty.
        std::vector<std::wstring> expected =
            slot == 1028
                ? std::vector<std::wstring>{L"&Edita la imatge...\tF2", L"&Copia la imatge\tCtrl+C",
                                            L"E&nganxa aquí\tCtrl+V"}
                : std::vector<std::wstring>{L"&Copia la imatge\tCtrl+C"};
        expected.insert(expected.end(),
                        {L"", L"&Mostra tota la col·lecció...", L"&Desa la imatge com a PNG...",
                         L"E&xporta la col·lecció en PNG..."});
        if (slot == 1028) {
            expected.insert(expected.end(),
                            {L"&Importa imatges aquí...", L"Importa un full de se&gells..."});
        }
        EXPECT_EQ(items, expected) << slot;
    }
    EXPECT_EQ(g_nSourceFirst, 4) << "the fourth source slot became current";
    EXPECT_EQ(g_nTargetFirst, 4);
}
