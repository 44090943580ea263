#include "platform/Layout.h"

#include <algorithm>
#include <vector>

namespace {

RECT RectInParent(HWND dialog, HWND control) {
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> Children(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

RECT ChildrenBounds(HWND dialog) {
    RECT bounds{};
    for (HWND child : Children(dialog)) {
        RECT rect = RectInParent(dialog, child);
        ::UnionRect(&bounds, &bounds, &rect);
    }
    return bounds;
}

void MoveBy(HWND dialog, HWND control, int dx, int dy) {
    RECT rect = RectInParent(dialog, control);
    ::SetWindowPos(control, nullptr, rect.left + dx, rect.top + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Grows the dialog's client area to hold its controls with the margins it had.
void GrowDialogTo(HWND dialog, RECT boundsBefore, RECT boundsAfter) {
    RECT client;
    ::GetClientRect(dialog, &client);
    const int width =
        std::max<int>(client.right, client.right + boundsAfter.right - boundsBefore.right);
    const int height =
        std::max<int>(client.bottom, client.bottom + boundsAfter.bottom - boundsBefore.bottom);
    if (width == client.right && height == client.bottom) {
        return;
    }
    RECT window;
    ::GetWindowRect(dialog, &window);
    ::SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left + width - client.right,
                   window.bottom - window.top + height - client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void GrowControls(HWND dialog, const std::vector<Growth>& growths) {
    struct Grown {
        HWND control;
        RECT before;
        int dx, dy;
    };
    std::vector<Grown> grown;
    for (const Growth& growth : growths) {
        RECT client;
        ::GetClientRect(growth.control, &client);
        const int dx = std::max(0, growth.clientWidth - static_cast<int>(client.right));
        const int dy = std::max(0, growth.clientHeight - static_cast<int>(client.bottom));
        if (dx != 0 || dy != 0) {
            grown.push_back({growth.control, RectInParent(dialog, growth.control), dx, dy});
        }
    }
    if (grown.empty()) {
        return;
    }
    const RECT boundsBefore = ChildrenBounds(dialog);
    for (HWND child : Children(dialog)) {
        const RECT rect = RectInParent(dialog, child);
        int dx = 0, dy = 0;
        for (const Grown& g : grown) {
            const bool inRows = rect.top < g.before.bottom && rect.bottom > g.before.top;
            const bool inColumns = rect.left < g.before.right && rect.right > g.before.left;
            dx += inRows && rect.left >= g.before.right ? g.dx : 0;
            dy = std::max(dy, inColumns && rect.top >= g.before.bottom ? g.dy : 0);
        }
        MoveBy(dialog, child, dx, dy);
    }
    for (const Grown& g : grown) {
        RECT now = RectInParent(dialog, g.control);
        ::SetWindowPos(g.control, nullptr, 0, 0, now.right - now.left + g.dx,
                       now.bottom - now.top + g.dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    GrowDialogTo(dialog, boundsBefore, ChildrenBounds(dialog));
}

void AlignRight(HWND dialog, const int* ids) {
    RECT client;
    ::GetClientRect(dialog, &client);
    const int margin = ChildrenBounds(dialog).left;
    int right = 0;
    for (const int* id = ids; *id != 0; ++id) {
        right = std::max<int>(right, RectInParent(dialog, ::GetDlgItem(dialog, *id)).right);
    }
    const int dx = client.right - margin - right;
    for (const int* id = ids; *id != 0 && dx != 0; ++id) {
        MoveBy(dialog, ::GetDlgItem(dialog, *id), dx, 0);
    }
}
