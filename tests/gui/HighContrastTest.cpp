#include "EditorFixture.h"
#include "HighContrastScheme.h"

#include "dialogs/OverviewDlg.h"
#include "platform/ModalAnswers.h"
#include "platform/Text.h"
#include "res/resource.h"

#include <optional>

// Windows' high contrast: brelt's own controls draw their frames, grid, selection and text in the
// scheme's colours, frames two pixels wide, and a change while brelt runs repaints them.

namespace {

unsigned At(const std::vector<unsigned>& pixels, int width, int x, int y) {
    return pixels[static_cast<std::size_t>(y * width + x)];
}

// How many pixels of rect show colour.
int Count(const std::vector<unsigned>& pixels, int width, RECT rect, COLORREF colour) {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            count += At(pixels, width, x, y) == PixelOf(colour) ? 1 : 0;
        }
    }
    return count;
}

// Whether the pixel at (x, y) of control comes to show colour.
bool Shows(HWND control, int x, int y, COLORREF colour) {
    return Eventually([&] {
        int width = 0;
        const std::vector<unsigned> shown = ScreenPixels(control, &width);
        return At(shown, width, x, y) == PixelOf(colour);
    });
}

} // namespace

// Switched on while the overview is open: the overview is drawn again at once, behind its stamps
// the window's colour, round them the text's two pixels wide, the selection in the highlight,
// the numbers in the text's colour, the current stamp in the hot-track colour; the main window's
// current slot framed in that colour too, two pixels wide; switched off, all as before.
TEST_F(BrowserTest, HighContrastDrawsTheOverviewAndTheSlotsInTheSchemesColours) {
    ScratchFile file(MakeCollection(202752, 33));
    Open(IDC_OPEN_TARGET, file.Path());
    COverviewDlg* overview = nullptr;
    TestModalAnswers().dialog = [&](CDialog& dialog) {
        overview = dynamic_cast<COverviewDlg*>(&dialog);
        return ModalAnswers::kShowIt;
    };
    std::optional<HighContrastScheme> scheme;
    const std::string name = file.Path().substr(file.Path().find_last_of('\\') + 1);
    WindowDriver driver(Widen(name), [&](HWND window) {
        HWND grid = ::FindWindowExW(window, nullptr, L"BreltOverviewGrid", nullptr);
        const RECT plain = overview->CellRect(3), chosen = overview->CellRect(5);
        const POINT click{(chosen.left + chosen.right) / 2, (chosen.top + chosen.bottom) / 2};
        ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(click.x, click.y));
        ::SendMessageW(grid, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(click.x, click.y));
        EXPECT_TRUE(Shows(grid, plain.left, plain.bottom - 1, RGB(255, 255, 255)));
        EXPECT_TRUE(Shows(grid, plain.left + 1, plain.top + 1, RGB(200, 200, 200)));
        scheme.emplace();
        EXPECT_TRUE(Shows(grid, plain.left, plain.bottom - 1, HighContrastScheme::kWindow));
        int width = 0;
        const std::vector<unsigned> shown = ScreenPixels(grid, &width);
        for (int i : {0, 1}) { // the frames, two pixels wide
            EXPECT_EQ(At(shown, width, plain.left + i, plain.top + i),
                      PixelOf(HighContrastScheme::kText));
            EXPECT_EQ(At(shown, width, chosen.left + i, chosen.top + i), // the current one
                      PixelOf(HighContrastScheme::kHot));
            EXPECT_EQ(At(shown, width, i, i), PixelOf(HighContrastScheme::kHighlight));
        }
        EXPECT_EQ(At(shown, width, chosen.left, chosen.bottom - 1),
                  PixelOf(HighContrastScheme::kHighlight));
        // The number, light on the dark window: "Black" is white on black.
        RECT number{plain.left + 2, plain.bottom - 1, plain.right - 2, plain.bottom};
        while (number.top > plain.top && // up to the stamp's frame, a line of the text's colour
               Count(shown, width, {plain.left, number.top - 1, plain.right, number.top},
                     HighContrastScheme::kText) < (plain.right - plain.left) / 2) {
            --number.top;
        }
        const int ink = Count(shown, width, number, HighContrastScheme::kText);
        EXPECT_GT(ink, 5);
        EXPECT_GT(Count(shown, width, number, HighContrastScheme::kWindow), ink);
        SaveScreenshot(window, "high-contrast-overview");
        ::PostMessageW(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    Command(ID_SHOW_OVERVIEW);
    ASSERT_TRUE(driver.Found());
    ASSERT_TRUE(scheme.has_value());
    HWND slot = ::GetDlgItem(hwnd_, IDC_TARGET_SLOT1);
    for (int i : {0, 1}) {
        EXPECT_TRUE(Shows(slot, i, i, HighContrastScheme::kHot)) << i;
    }
    SaveScreenshot(hwnd_, "high-contrast-main");
    scheme.reset();
    EXPECT_TRUE(Shows(slot, 0, 0, RGB(255, 0, 0)));
    EXPECT_EQ(FramedSlot(kTargetSlots), 0);
}

// The editor in high contrast: the canvas's grid in the scheme's text colour, the swatches framed
// in the buttons' text colour two pixels wide; switched off, the grid as it was.
TEST_F(Editor, HighContrastDrawsTheCanvasGridAndTheSwatchesInTheSchemesColours) {
    std::optional<HighContrastScheme> scheme;
    Edit([&](HWND editor) {
        HWND canvas = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
        const POINT inside = PixelCentre(editor, 20, 10);
        const int zoom = inside.x / 20;
        int width = 0;
        const std::vector<unsigned> before = ScreenPixels(canvas, &width);
        const unsigned gridBefore = At(before, width, zoom, inside.y);
        EXPECT_NE(gridBefore, PixelOf(HighContrastScheme::kText));
        scheme.emplace();
        for (int x : {0, zoom, 20 * zoom}) { // grid lines between pixels, every one
            EXPECT_TRUE(Shows(canvas, x, inside.y, HighContrastScheme::kText)) << x;
        }
        const std::vector<unsigned> canvasShown = ScreenPixels(canvas, &width);
        EXPECT_NE(At(canvasShown, width, inside.x, inside.y), PixelOf(HighContrastScheme::kText));
        const std::vector<unsigned> swatches =
            ScreenPixels(::GetDlgItem(editor, IDC_EDITOR_PALETTE), &width);
        int framed = 0; // swatches whose frame's corner is two pixels of the text's colour
        for (int x = 1; x + 2 < width; ++x) {
            framed += At(swatches, width, x, 1) == PixelOf(HighContrastScheme::kText) &&
                              At(swatches, width, x + 1, 2) == PixelOf(HighContrastScheme::kText)
                          ? 1
                          : 0;
        }
        EXPECT_GT(framed, 0);
        SaveScreenshot(editor, "high-contrast-editor");
        scheme.reset();
        EXPECT_TRUE(Shows(canvas, zoom, inside.y, PixelColour(gridBefore)));
        PostClick(editor, IDCANCEL);
    });
}
