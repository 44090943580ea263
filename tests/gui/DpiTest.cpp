#include "BrowserFixture.h"

#include <cstdlib>

namespace {

// The DPI the prefix was made for: 96 unless ctest says otherwise.
int ExpectedDpi() {
    const char* dpi = std::getenv("BRELT_LOGPIXELS");
    return dpi != nullptr ? std::atoi(dpi) : 96;
}

} // namespace

// What must hold at every screen DPI; ctest runs these again at 144 and 192 DPI.
class AtEveryDpi : public BrowserTest {};

TEST_F(AtEveryDpi, TheScreenIsAtTheDpiAskedFor) {
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(::GetDeviceCaps(screen, LOGPIXELSY), ExpectedDpi());
    ::ReleaseDC(nullptr, screen);
}

TEST_F(AtEveryDpi, TheGoToBoxesShowThreeDigitsWhole) {
    for (int box : {1009, 1013}) {
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
