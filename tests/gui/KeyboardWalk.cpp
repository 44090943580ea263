#include "KeyboardWalk.h"

#include "GuiTestSupport.h"

#include "platform/Text.h"

#include <algorithm>

namespace {

HWND FocusIn(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// The screen around control, a few pixels out (a focus may be drawn round it by its dialog).
std::vector<unsigned> ScreenAround(HWND control) {
    RECT r;
    ::GetWindowRect(control, &r);
    ::InflateRect(&r, 4, 4);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = ::GetDC(nullptr);
    HDC copy = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = ::SelectObject(copy, bitmap);
    ::BitBlt(copy, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::SelectObject(copy, previous);
    std::vector<unsigned> pixels = BitmapPixels(bitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(copy);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

// Whether the system draws control's focus: a standard control does, unless its window hides
// focus cues until the keyboard is used.
bool SystemDrawsFocus(HWND control) {
    const bool own = WindowClass(control).rfind(L"Brelt", 0) == 0 ||
                     (WindowClass(control) == L"Static" &&
                      (::GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP);
    return !own && (::SendMessageW(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

// The screen around control once its window has painted what it had to: the same on two
// readings in a row.
std::vector<unsigned> SettledAround(HWND control) {
    ::SendMessageW(control, WM_NULL, 0, 0); // the window's thread back in its loop, painting
    std::vector<unsigned> last = ScreenAround(control);
    Eventually([&] {
        std::vector<unsigned> now = ScreenAround(control);
        std::swap(now, last);
        return now == last;
    });
    return last;
}

// Whether control, which Tab just left, looks otherwise once the focus is back on it (the dialog
// manager's own way of setting it); Tab then leaves it again.
bool ShowsFocus(HWND window, HWND control) {
    const HWND next = FocusIn(window);
    const std::vector<unsigned> without = SettledAround(control);
    ::PostMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    const bool back = Eventually([&] { return FocusIn(window) == control; }, 2000);
    const bool differs =
        back && Eventually([&] { return SettledAround(control) != without; }, 1000);
    PressKey(window, VK_TAB);
    return Eventually([&] { return FocusIn(window) == next; }, 2000) && differs;
}

// Whether control can be seen whole in window's client area.
bool ShownWhole(HWND window, HWND control) {
    RECT client, place, both;
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    ::GetWindowRect(control, &place);
    return ::IsWindowVisible(control) && ::IntersectRect(&both, &client, &place) &&
           ::EqualRect(&both, &place);
}

} // namespace

std::string Named(HWND control) {
    return Narrow(WindowClass(control)) + " " + std::to_string(::GetDlgCtrlID(control)) + " \"" +
           Narrow(WindowText(control)) + "\"";
}

KeyboardWalk WalkWithTab(HWND window) {
    KeyboardWalk walk;
    const HWND first = FocusIn(window);
    HWND focus = first;
    for (int step = 0; step < 80 && focus != nullptr; ++step) {
        walk.stops.push_back(focus);
        if (!::IsWindowEnabled(focus) || !ShownWhole(window, focus)) {
            walk.faults.push_back(Named(focus) + ": not enabled and whole in sight");
        }
        PressKey(window, VK_TAB);
        if (!Eventually([&] { return FocusIn(window) != focus; }, 2000)) {
            walk.cameBackRound = walk.stops.size() == 1; // a window of a single stop
            if (!walk.cameBackRound) {
                walk.faults.push_back(Named(focus) + ": Tab does not leave it");
            }
            break;
        }
        if (!SystemDrawsFocus(focus) && !ShowsFocus(window, focus)) {
            walk.faults.push_back(Named(focus) + ": looks the same with the focus and without");
        }
        focus = FocusIn(window);
        if (std::find(walk.stops.begin(), walk.stops.end(), focus) != walk.stops.end()) {
            walk.cameBackRound = focus == first;
            break;
        }
    }
    return walk;
}
