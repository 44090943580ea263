#pragma once

#include <windows.h>

// Windows' high contrast switched on as the system's accessibility settings switch it: the
// high-contrast flag (SPI_SETHIGHCONTRAST, then WM_SETTINGCHANGE to every window) and the
// scheme's colours (SetSysColors, which tells every window WM_SYSCOLORCHANGE); and back off, the
// colours as they were, when it goes.
//
// Wine 8 keeps no such flag: SPI_SETHIGHCONTRAST fails with ERROR_INVALID_SPI_VALUE and
// SPI_GETHIGHCONTRAST always answers "off". Where that is so, this process's import of
// SystemParametersInfoW is pointed at a stand-in that keeps the flag as Windows does and passes
// every other request on; the colours and the messages are the system's own.
class HighContrastScheme {
public:
    // The scheme's colours, as Windows' "High Contrast Black" has them.
    static constexpr COLORREF kWindow = RGB(0, 0, 0), kText = RGB(255, 255, 255);
    static constexpr COLORREF kHighlight = RGB(26, 235, 255), kHighlightText = RGB(0, 0, 0);
    static constexpr COLORREF kHot = RGB(255, 255, 0);

    HighContrastScheme();
    ~HighContrastScheme();
    HighContrastScheme(const HighContrastScheme&) = delete;
    HighContrastScheme& operator=(const HighContrastScheme&) = delete;

    // Whether the system itself took the flag (not Wine 8's stub).
    bool SystemKeepsTheFlag() const { return systemKeepsFlag_; }

private:
    static void Switch(bool on);

    COLORREF before_[COLOR_MENUBAR + 1] = {};
    bool systemKeepsFlag_ = false;
};

// 0x00RRGGBB, as ScreenPixels gives them.
inline unsigned PixelOf(COLORREF colour) {
    return static_cast<unsigned>(GetRValue(colour) << 16 | GetGValue(colour) << 8 |
                                 GetBValue(colour));
}

inline COLORREF PixelColour(unsigned pixel) {
    return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
}
