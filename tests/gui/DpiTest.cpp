#include "BrowserFixture.h"

#include "layout/Zoom.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include <cstdlib>

namespace {

// The DPI the prefix was made for: 96 unless ctest says otherwise.
int ExpectedDpi() {
    const char* dpi = std::getenv("BRELT_LOGPIXELS");
    return dpi != nullptr ? std::atoi(dpi) : 96;
}

} // namespace

// What must hold at every screen DPI; ctest runs these again at 144 and 192 DPI.
class AtEveryDpi : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        TestModalAnswers().dialog = nullptr; // the real dialogs, shown
    }
};

TEST_F(AtEveryDpi, TheScreenIsAtTheDpiAskedFor) {
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(::GetDeviceCaps(screen, LOGPIXELSY), ExpectedDpi());
    ::ReleaseDC(nullptr, screen);
}

TEST_F(AtEveryDpi, TheGoToBoxesShowThreeDigitsWhole) {
    for (int box : {IDC_SOURCE_GOTO_BOX, IDC_TARGET_GOTO_BOX}) {
        HWND edit = ::GetDlgItem(hwnd_, box);
        ::SetWindowTextW(edit, L"126");
        RECT format{};
        ::SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        HDC dc = ::GetDC(edit);
        HGDIOBJ previous =
            ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(edit, WM_GETFONT, 0, 0)));
        SIZE text{};
        ::GetTextExtentPoint32W(dc, L"126", 3, &text);
        ::SelectObject(dc, previous);
        ::ReleaseDC(edit, dc);
        LRESULT first = ::SendMessageW(edit, EM_POSFROMCHAR, 0, 0);
        EXPECT_EQ(static_cast<short>(LOWORD(first)), format.left) << "not scrolled: " << box;
        EXPECT_LE(format.left + text.cx, format.right) << "the last digit whole: " << box;
    }
}

TEST_F(AtEveryDpi, EveryStampShowsWholeInItsSlotAndAClickMovesTheFrame) {
    Bytes collection = MakeCollection(202752, 41);
    ScratchFile target(collection);
    Bytes pixels = PatternBytes(3072, 42);
    ScratchFile picture(BmpFile(32, 32, 24, 0, 40, pixels));
    Open(IDC_OPEN_TARGET, target.Path());
    Open(IDC_LOAD_IMAGE, picture.Path());
    // The template's slots: 46 x 34 pixels at 96 DPI, 69 x 51 at 144, 94 x 67 at 192.
    const int zoom = ExpectedDpi() >= 192 ? 2 : 1;
    for (int slot = 0; slot < 5; ++slot) {
        HWND control = ::GetDlgItem(hwnd_, kTargetSlots[slot]);
        RECT room{};
        ::GetClientRect(control, &room);
        EXPECT_EQ(layout::FitWhole(room.right, room.bottom, 32).zoom, zoom);
        EXPECT_EQ(StampOnScreen(control, zoom), ImageColours(collection, 1 + slot)) << slot;
    }
    std::vector<unsigned> loaded; // the bitmap's rows, bottom row first in the file
    for (int y = 31; y >= 0; --y) {
        for (int x = 0; x < 32; ++x) {
            const std::uint8_t* p = &pixels[static_cast<std::size_t>(y * 96 + x * 3)];
            loaded.push_back(static_cast<unsigned>(p[2] << 16 | p[1] << 8 | p[0]));
        }
    }
    EXPECT_EQ(StampOnScreen(::GetDlgItem(hwnd_, IDC_IMAGE_PICTURE), zoom), loaded);
    EXPECT_EQ(FramedSlot(kTargetSlots), 0);
    // A click on the third slot, as the mouse gives it: the frame follows, the stamp stays whole.
    HWND third = ::GetDlgItem(hwnd_, kTargetSlots[2]);
    ::SendMessageW(third, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    ::SendMessageW(third, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    EXPECT_EQ(FramedSlot(kTargetSlots), 2);
    EXPECT_EQ(BoxText(IDC_TARGET_GOTO_BOX), L"3");
    EXPECT_EQ(StampOnScreen(third, zoom), ImageColours(collection, 3));
}

TEST_F(AtEveryDpi, TheConversionPreviewsShowTheStoredStampWholeAndGrowWithTheDpi) {
    ScratchFile target(MakeCollection());
    const int large = layout::ZoomForDpi(4, ExpectedDpi()),
              small = layout::ZoomForDpi(1, ExpectedDpi());
    std::vector<unsigned> shownLarge, shownSmall;
    RECT original{};
    WindowDriver driver(L"Converteix la imatge en segell", [&](HWND dialog) {
        shownLarge = StampOnScreen(::GetDlgItem(dialog, IDC_CONVERT_STAMP_LARGE), large);
        shownSmall = StampOnScreen(::GetDlgItem(dialog, IDC_CONVERT_STAMP), small);
        ::GetClientRect(::GetDlgItem(dialog, IDC_CONVERT_ORIGINAL), &original);
        Click(dialog, IDOK);
    });
    Open(IDC_LOAD_IMAGE, std::string(BRELT_PICTURES_DIR) + "/photo.jpg");
    ASSERT_TRUE(driver.Found());
    Open(IDC_OPEN_TARGET, target.Path());
    Command(IDC_MOVE_IMAGE);
    const std::vector<unsigned> stored = ImageColours(target.Read(), 1);
    EXPECT_EQ(shownLarge, stored) << "at " << large << " times";
    EXPECT_EQ(shownSmall, stored) << "at " << small << " times";
    EXPECT_GE(std::min(original.right, original.bottom), 32 * large) << "the original as large";
}

TEST_F(AtEveryDpi, TheEditorsCanvasAndPreviewsShowTheStampWhole) {
    Bytes collection = MakeCollection(202752, 43);
    ScratchFile target(collection);
    Open(IDC_OPEN_TARGET, target.Path());
    const int zoom = layout::ZoomForDpi(1, ExpectedDpi());
    int canvasZoom = 0;
    std::vector<unsigned> canvas, once, twice;
    const std::vector<unsigned> colours = ImageColours(collection, 1);
    WindowDriver driver(L"Edita el segell", [&](HWND editor) {
        Click(editor, IDC_EDITOR_GRID); // off: every pixel a block of one colour
        // The focus away from the canvas, and with it the keyboard's cursor.
        ::SendMessageW(editor, WM_NEXTDLGCTL,
                       reinterpret_cast<WPARAM>(::GetDlgItem(editor, IDCANCEL)), TRUE);
        HWND control = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
        // No pixel outlined under the mouse: Xvfb's pointer stays in the middle of the screen,
        // where the canvas lies at 192 DPI, and no warp moves it; the mouse is taken off.
        ::SendMessageW(control, WM_MOUSELEAVE, 0, 0);
        RECT room{};
        ::GetClientRect(control, &room);
        canvasZoom = room.right / 32;
        // A window that has just appeared may not be on the X screen yet: read until it is.
        Eventually([&] {
            canvas = StampOnScreen(control, canvasZoom);
            once = StampOnScreen(::GetDlgItem(editor, IDC_EDITOR_PREVIEW1), zoom);
            twice = StampOnScreen(::GetDlgItem(editor, IDC_EDITOR_PREVIEW2), 2 * zoom);
            return canvas == colours && once == colours && twice == colours;
        });
        Click(editor, IDCANCEL);
    });
    Command(ID_EDIT_IMAGE);
    ASSERT_TRUE(driver.Found());
    EXPECT_GE(canvasZoom, layout::ZoomForDpi(10, ExpectedDpi()));
    EXPECT_EQ(canvas, colours);
    EXPECT_EQ(once, colours);
    EXPECT_EQ(twice, colours);
}

// The digits of a go-to box stand in the middle of its height, as much room above as below.
TEST_F(AtEveryDpi, TheGoToBoxesDigitsStandInTheMiddleOfTheBox) {
    for (int box : {IDC_SOURCE_GOTO_BOX, IDC_TARGET_GOTO_BOX}) {
        HWND edit = ::GetDlgItem(hwnd_, box);
        ::SetWindowTextW(edit, L"126");
        // The box near the screen's top left corner: at 192 DPI the window is wider than the
        // virtual screen.
        RECT window, dialog;
        ::GetWindowRect(edit, &window);
        ::GetWindowRect(hwnd_, &dialog);
        ::SetWindowPos(hwnd_, nullptr, dialog.left - window.left + 20, dialog.top - window.top + 20,
                       0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ::RedrawWindow(hwnd_, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ::GetWindowRect(edit, &window);
        const int width = window.right - window.left, height = window.bottom - window.top;
        // The whole box as the screen shows it, its border included.
        HDC screen = ::GetDC(nullptr);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                pixels.push_back(::GetPixel(screen, window.left + x, window.top + y));
            }
        }
        ::ReleaseDC(nullptr, screen);
        auto dark = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200; };
        auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; };
        // The border's rows, however thick the system draws it: one colour across the middle,
        // and not the box's white.
        auto border = [&](int y) {
            for (int x = width / 4; x < width * 3 / 4; ++x) {
                if (at(x, y) != at(width / 4, y)) {
                    return false;
                }
            }
            return at(width / 4, y) != RGB(255, 255, 255);
        };
        int innerTop = 0, innerBottom = height - 1;
        while (innerTop < height && border(innerTop)) {
            ++innerTop;
        }
        while (innerBottom > innerTop && border(innerBottom)) {
            --innerBottom;
        }
        int top = height, bottom = -1;
        for (int y = innerTop; y <= innerBottom; ++y) {
            for (int x = 2; x < width - 2; ++x) {
                if (dark(at(x, y))) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        ASSERT_LE(top, bottom) << "digits on screen: " << box;
        int above = top - innerTop, below = innerBottom - bottom;
        EXPECT_LE(std::abs(above - below), 1 + ExpectedDpi() / 96)
            << box << ": " << above << " pixels above the digits, " << below << " below";
    }
}
