#include "platform/CustomControl.h"

CCustomControl::~CCustomControl() {
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
    return control->Handle(message, wParam, lParam);
}
