#include "platform/ControlAccess.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kSubclassId = 0xB2E1; // ours among a window's subclasses

} // namespace

CControlAccess::CControlAccess(HWND control, std::function<Words()> ask)
    : m_control(control), m_ask(std::move(ask)) {
    ::SetWindowSubclass(control, &CControlAccess::Subclass, kSubclassId,
                        reinterpret_cast<DWORD_PTR>(this));
}

CControlAccess::~CControlAccess() {
    if (::IsWindow(m_control)) {
        ::RemoveWindowSubclass(m_control, &CControlAccess::Subclass, kSubclassId);
    }
    ReleaseAccessible(m_accessible);
}

void CControlAccess::Changed() const {
    NotifyAccessible(EVENT_OBJECT_NAMECHANGE, m_control, CHILDID_SELF);
}

RECT CControlAccess::Location(int) const {
    RECT client{};
    ::GetClientRect(m_control, &client);
    return client;
}

LRESULT CALLBACK CControlAccess::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
    auto* access = reinterpret_cast<CControlAccess*>(self);
    if (message == WM_GETOBJECT && static_cast<long>(lParam) == OBJID_CLIENT) {
        return AnswerGetObject(window, wParam, lParam, *access, access->m_accessible);
    }
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, &CControlAccess::Subclass, kSubclassId);
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}
