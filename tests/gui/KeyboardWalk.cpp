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
        focus = FocusIn(window);
        if (std::find(walk.stops.begin(), walk.stops.end(), focus) != walk.stops.end()) {
            walk.cameBackRound = focus == first;
            break;
        }
    }
    return walk;
}
