#include "EditorFixture.h"

#include "app/ProgramState.h"
#include "editor/Colours.h"
#include "editor/Drawing.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include <functional>

TEST_F(Editor, AMouseStrokeAndAKeyboardLineAreStoredExactlyAsOneUndoStep) {
    bool previews = false;
    // "Més colors...": the system's chooser gives a colour no collection stores; it is snapped.
    TestModalAnswers().colourDialog = [](COLORREF& colour) {
        colour = RGB(250, 10, 5);
        return true;
    };
    const editor::Colour snapped = editor::SnapToStorable({250, 10, 5});
    ASSERT_TRUE(Edit([&](HWND editor) {
        HWND canvas = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
        // A fast drag: two mouse positions far apart, joined without gaps.
        Post(canvas, WM_LBUTTONDOWN, MK_LBUTTON, PixelPoint(editor, 2, 2));
        Post(canvas, WM_MOUSEMOVE, MK_LBUTTON, PixelPoint(editor, 20, 9));
        Post(canvas, WM_LBUTTONUP, 0, PixelPoint(editor, 20, 9));
        // The keyboard: the line tool, Space where it begins, arrows, Space where it ends.
        Post(editor, WM_COMMAND, MAKEWPARAM(IDC_EDITOR_MORE, BN_CLICKED),
             reinterpret_cast<LPARAM>(::GetDlgItem(editor, IDC_EDITOR_MORE)));
        ::SendMessageW(editor, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(canvas), TRUE);
        Keys(canvas, {'N', VK_SPACE, VK_DOWN, VK_DOWN, VK_DOWN, VK_SPACE});
        // The previews show the stamp as it will be stored, at 1x and 2x.
        editor::Stamp expected = editor::Stamp::FromArea(PixelArea(collection_, 7));
        editor::DrawLine(expected, {2, 2}, {20, 9}, editor::kBlack);
        editor::DrawLine(expected, {16, 16}, {16, 19}, snapped);
        std::vector<unsigned> colours;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                editor::Rgb rgb = editor::Shown(expected.ColourAt({x, y}));
                colours.push_back(static_cast<unsigned>(rgb.red << 16 | rgb.green << 8 | rgb.blue));
            }
        }
        auto shown = [&](int id) {
            return BitmapPixels(reinterpret_cast<HBITMAP>(
                ::SendMessageW(::GetDlgItem(editor, id), STM_GETIMAGE, IMAGE_BITMAP, 0)));
        };
        previews = Eventually([&] {
            std::vector<unsigned> twice = shown(IDC_EDITOR_PREVIEW2);
            return shown(IDC_EDITOR_PREVIEW1) == colours && twice.size() == 4096u &&
                   twice[static_cast<std::size_t>(2 * 64 * 9 + 2 * 20 + 1)] == 0;
        });
        // Posted after the keys: a click sent now could overtake the last Space, while the line
        // still shows as the shape being drawn.
        Post(editor, WM_COMMAND, IDOK);
    }));
    EXPECT_TRUE(previews);
    Bytes expected = collection_;
    editor::Stamp stamp = editor::Stamp::FromArea(PixelArea(collection_, 7));
    editor::DrawLine(stamp, {2, 2}, {20, 9}, editor::kBlack);
    editor::DrawLine(stamp, {16, 16}, {16, 19}, snapped);
    SetPixelArea(expected, 7, stamp.ToArea());
    EXPECT_EQ(file_.Read(), expected) << "those words, and nothing outside image 7";
    ExpectStrip(kTargetSlots, expected, 7);
    Command(ID_UNDO);
    EXPECT_EQ(file_.Read(), collection_) << "one step of the collection's history";
}

// Every tool and command through its own key, button or mouse button, all posted in order as
// the user gives them: the stamp stored is what the same operations make of it.
TEST_F(Editor, ToolsAndCommandsTakenFromTheirKeysButtonsAndMouseButtons) {
    auto button = [](HWND editor, int id) {
        Post(editor, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
             reinterpret_cast<LPARAM>(::GetDlgItem(editor, id)));
    };
    ASSERT_TRUE(Edit([&](HWND editor) {
        HWND canvas = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
        auto press = [&](UINT down, UINT up, int x, int y) {
            Post(canvas, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON,
                 PixelPoint(editor, x, y));
            Post(canvas, up, 0, PixelPoint(editor, x, y));
        };
        Keys(canvas, {'C'}); // "Comptagotes": the right button takes the secondary colour
        press(WM_RBUTTONDOWN, WM_RBUTTONUP, 20, 20);
        button(editor, IDC_EDITOR_CLEAR);
        Keys(canvas, {'R'}); // "Rectangle", dragged: an outline in the primary colour, black
        Post(canvas, WM_LBUTTONDOWN, MK_LBUTTON, PixelPoint(editor, 2, 2));
        Post(canvas, WM_MOUSEMOVE, MK_LBUTTON, PixelPoint(editor, 12, 8));
        Post(canvas, WM_LBUTTONUP, 0, PixelPoint(editor, 12, 8));
        Keys(canvas, {'O'}); // "Omple" with the right button: inside it, the secondary colour
        press(WM_RBUTTONDOWN, WM_RBUTTONUP, 5, 5);
        Keys(canvas, {'G'}); // "Goma": the right button paints the primary colour
        press(WM_RBUTTONDOWN, WM_RBUTTONUP, 7, 5);
        button(editor, IDC_EDITOR_FLIP_H);
        button(editor, IDC_EDITOR_ROTATE_RIGHT);
        button(editor, IDC_EDITOR_SHIFT_RIGHT);
        button(editor, IDC_EDITOR_REPLACE); // the colour of the next pixel clicked, everywhere
        press(WM_LBUTTONDOWN, WM_LBUTTONUP, 0, 0); // the white around it: black
        button(editor, IDC_EDITOR_UNDO);
        button(editor, IDC_EDITOR_REDO);
        button(editor, IDOK);
    }));
    editor::Stamp stamp = editor::Stamp::FromArea(PixelArea(collection_, 7));
    const editor::Colour secondary = stamp.ColourAt({20, 20});
    editor::ClearAll(stamp);
    editor::DrawRectangle(stamp, {2, 2}, {12, 8}, editor::kBlack, false);
    editor::FloodFill(stamp, {5, 5}, secondary);
    stamp.Paint({7, 5}, editor::kBlack);
    editor::FlipHorizontally(stamp);
    editor::RotateRight(stamp);
    editor::Shift(stamp, 1, 0);
    editor::ReplaceColour(stamp, stamp.ColourAt({0, 0}), editor::kBlack);
    // Black but for the rectangle's inside, 9 x 5 pixels but one, turned and moved.
    int inside = 0;
    for (int i = 0; i < 1024; ++i) {
        inside += stamp.ColourAt({i % 32, i / 32}) == secondary ? 1 : 0;
    }
    ASSERT_EQ(inside, 44) << "the operations did what they say";
    Bytes expected = collection_;
    SetPixelArea(expected, 7, stamp.ToArea());
    EXPECT_EQ(file_.Read(), expected);
    Command(ID_UNDO);
    EXPECT_EQ(file_.Read(), collection_) << "one step of the collection's history";
}

TEST_F(Editor, CancelAfterDrawingAsksAndWritesNothing) {
    std::vector<std::wstring> questions;
    ASSERT_TRUE(Edit([&](HWND editor) {
        HWND canvas = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
        Post(canvas, WM_LBUTTONDOWN, MK_LBUTTON, PixelPoint(editor, 5, 5));
        Post(canvas, WM_LBUTTONUP, 0, PixelPoint(editor, 5, 5));
        HWND undo = ::GetDlgItem(editor, IDC_EDITOR_UNDO);
        ASSERT_TRUE(Eventually([&] { return ::IsWindowEnabled(undo) != FALSE; }));
        for (int answer : {IDCANCEL, IDOK}) { // "NO" stays in the editor, "SI" leaves it
            Post(editor, WM_COMMAND, IDCANCEL, 0);
            HWND box = WaitForWindow(L"Avís", 5000);
            ASSERT_NE(box, nullptr);
            questions.push_back(WindowText(::GetDlgItem(box, IDC_QUESTION_TEXT)));
            Click(box, answer);
            ASSERT_TRUE(WaitUntilClosed(box));
            // "NO" leaves the editor open for the next round, which asks again; "SI" closes it.
            EXPECT_TRUE(
                Eventually([&] { return (::IsWindow(editor) != FALSE) == (answer == IDCANCEL); }));
        }
    }));
    EXPECT_EQ(questions, (std::vector<std::wstring>{L"Voleu descartar els canvis del segell?",
                                                    L"Voleu descartar els canvis del segell?"}));
    EXPECT_EQ(file_.Read(), collection_);
    EXPECT_TRUE(messages_.empty());
}

// A double click on a target slot, F2, and F2 in the overview each open the editor on the image
// they name, which it shows as stored.
TEST_F(Editor, OpensOnTheImageADoubleClickF2OrTheOverviewNames) {
    std::vector<std::vector<unsigned>> shown;
    std::atomic<int> looked{0};
    auto look = [&](HWND editor) {
        HWND preview = ::GetDlgItem(editor, IDC_EDITOR_PREVIEW1);
        shown.push_back(BitmapPixels(
            reinterpret_cast<HBITMAP>(::SendMessageW(preview, STM_GETIMAGE, IMAGE_BITMAP, 0))));
        ++looked;
        Post(editor, WM_COMMAND, IDCANCEL, 0); // nothing drawn: it closes without a question
    };
    {
        WindowDriver driver(L"Edita el segell", look);
        ::SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(IDC_TARGET_SLOT3, STN_DBLCLK),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hwnd_, IDC_TARGET_SLOT3)));
    }
    EXPECT_EQ(g_nTargetFirst, 9) << "the slot clicked twice became current";
    {
        WindowDriver driver(L"Edita el segell", look);
        Press(IDC_TARGET_SLOT2, VK_F2);
    }
    std::string name = file_.Path().substr(file_.Path().find_last_of('\\') + 1);
    {
        WindowDriver overview(Widen(name), [&](HWND dialog) {
            HWND grid = ::FindWindowExW(dialog, nullptr, L"BreltOverviewGrid", nullptr);
            WindowDriver driver(L"Edita el segell", look);
            Keys(grid, {VK_RIGHT, VK_F2}); // image 10 chosen, then edited
            EXPECT_TRUE(Eventually([&] {
                return looked == 3 && ::FindWindowW(nullptr, L"Edita el segell") == nullptr;
            }));
            Post(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        Command(ID_SHOW_OVERVIEW);
    }
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], ImageColours(collection_, 9));
    EXPECT_EQ(shown[1], ImageColours(collection_, 9)) << "F2 on the pane's current image";
    EXPECT_EQ(shown[2], ImageColours(collection_, 10));
    EXPECT_EQ(g_nTargetFirst, 10);
    EXPECT_EQ(file_.Read(), collection_);
}
