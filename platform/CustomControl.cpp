#include "platform/CustomControl.h"

#include "platform/Gdi.h"
#include "platform/Offscreen.h"

CCustomControl::~CCustomControl() {
    ReleaseAccessible(m_accessible); // a screen reader may hold the object longer
    // A window that outlives the object must not send it messages.
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
    }
}

void CCustomControl::RegisterControlClass(const wchar_t* name, const wchar_t* cursor, UINT style) {
    WNDCLASSW control{};
    if (::GetClassInfoW(::GetModuleHandleW(nullptr), name, &control)) {
        return;
    }
    control.style = style;
    control.lpfnWndProc = &CCustomControl::WindowProc;
    control.hInstance = ::GetModuleHandleW(nullptr);
    control.hCursor = ::LoadCursorW(nullptr, cursor);
    control.lpszClassName = name;
    ::RegisterClassW(&control);
}

void CCustomControl::AttachWindow(HWND control) {
    m_hWnd = control;
    ::SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void CCustomControl::CreateAttached(const wchar_t* className, HWND parent, DWORD style) {
    AttachWindow(::CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                   parent, nullptr, ::GetModuleHandleW(nullptr), nullptr));
}

LRESULT CCustomControl::AnswerAccessibility(WPARAM flags, LPARAM objectId) {
    if (!m_accessibleParts) {
        m_accessibleParts = MakeAccessibleParts();
    }
    return m_accessibleParts
               ? AnswerGetObject(m_hWnd, flags, objectId, *m_accessibleParts, m_accessible)
               : 0;
}

void CCustomControl::PaintOffscreen() const {
    CPaintDC dc(m_hWnd);
    const RECT& part = dc.PaintRect();
    COffscreen surface;
    if (::IsRectEmpty(&part) || !surface.Create(part.right - part.left, part.bottom - part.top)) {
        return;
    }
    // The surface's origin stands at the part's corner: Draw works in client coordinates.
    ::SetViewportOrgEx(surface.GetSafeHdc(), -part.left, -part.top, nullptr);
    Draw(surface.GetSafeHdc());
    ::SetViewportOrgEx(surface.GetSafeHdc(), 0, 0, nullptr);
    surface.CopyTo(dc.GetSafeHdc(), part.left, part.top);
}

LRESULT CALLBACK CCustomControl::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* control = reinterpret_cast<CCustomControl*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (control == nullptr || message == WM_NCDESTROY) {
        if (control != nullptr) {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            control->m_hWnd = nullptr;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_PAINT) {
        control->PaintOffscreen();
        return 0;
    }
    if (message == WM_SYSCOLORCHANGE) { // passed on by the dialog
        control->OnColoursChanged();
        ::InvalidateRect(window, nullptr, FALSE);
        return 0;
    }
    if (message == WM_GETOBJECT) {
        if (const LRESULT answer = control->AnswerAccessibility(wParam, lParam)) {
            return answer;
        }
    }
    return control->Handle(message, wParam, lParam);
}
