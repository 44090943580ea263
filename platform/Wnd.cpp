#include "platform/Wnd.h"

#include "platform/Hook.h"
#include "platform/ModalAnswers.h"
#include "platform/Text.h"
#include "platform/WinApp.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// The message box about to be shown is centred as it is activated: MessageBox itself stands it
// in the middle of the screen, wherever its owner is.
CWindowsHook* g_centringHook = nullptr;

LRESULT CALLBACK CentreMessageBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_centringHook != nullptr) {
        CentreOverMainWindow(reinterpret_cast<HWND>(wParam));
        g_centringHook->Remove(); // the box's own windows are none of its business
        return 0;
    }
    return CWindowsHook::CallNext(code, wParam, lParam);
}

} // namespace

void CentreOverMainWindow(HWND window) {
    HWND main = AfxGetMainWndHandle();
    RECT over{}, rect{};
    if (main == nullptr || main == window || !::GetWindowRect(main, &over) ||
        !::GetWindowRect(window, &rect)) {
        return;
    }
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    ::GetMonitorInfoW(::MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    int x = (over.left + over.right - width) / 2, y = (over.top + over.bottom - height) / 2;
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool WindowClassIs(HWND window, const wchar_t* className) {
    wchar_t name[64] = {};
    return ::GetClassNameW(window, name, 64) > 0 && ::lstrcmpiW(name, className) == 0;
}

HWND CWnd::GetDlgItem(int id) const {
    return ::GetDlgItem(m_hWnd, id);
}

void CWnd::SetWindowText(const std::string& text) {
    ::SetWindowTextW(m_hWnd, Widen(text).c_str());
}

std::string CWnd::GetWindowText() const {
    std::vector<wchar_t> text(static_cast<std::size_t>(::GetWindowTextLengthW(m_hWnd)) + 1);
    ::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()));
    return Narrow(text.data());
}

BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}

BOOL CWnd::ShowWindow(int command) {
    return ::ShowWindow(m_hWnd, command);
}

void CWnd::GetClientRect(RECT* rect) const {
    ::GetClientRect(m_hWnd, rect);
}

BOOL CWnd::RedrawWindow(const RECT* update, HRGN region, UINT flags) {
    return ::RedrawWindow(m_hWnd, update, region, flags);
}

HMENU CWnd::GetSystemMenu(BOOL revert) const {
    return ::GetSystemMenu(m_hWnd, revert);
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    return ::IsDlgButtonChecked(m_hWnd, id);
}

void CWnd::CheckDlgButton(int id, UINT check) {
    ::CheckDlgButton(m_hWnd, id, check);
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkedId) {
    ::CheckRadioButton(m_hWnd, firstId, lastId, checkedId);
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
    return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
}

void CWnd::SetDlgItemText(int id, const std::string& text) {
    ::SetDlgItemTextW(m_hWnd, id, Widen(text).c_str());
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    ::SetDlgItemInt(m_hWnd, id, value, isSigned);
}

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT type) {
    if (TestModalAnswers().messageBox) {
        return TestModalAnswers().messageBox(text, caption, type);
    }
    CWindowsHook centring(WH_CBT, &CentreMessageBox);
    CWindowsHook* outer = std::exchange(g_centringHook, &centring);
    int answer = ::MessageBoxW(m_hWnd, Widen(text).c_str(), Widen(caption).c_str(), type);
    g_centringHook = outer;
    return answer;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Menus and accelerators have no control and their code means nothing: treat it as 0.
    UINT code = lParam != 0 ? HIWORD(wParam) : 0;
    UINT id = LOWORD(wParam);
    if (OnCmdMsg(id, code)) {
        return TRUE;
    }
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(id, code);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        return OnCommand(wParam, lParam);
    }
    const AFX_MSGMAP_ENTRY* entry = FindEntry(message, 0, 0);
    if (entry == nullptr) {
        return FALSE;
    }
    switch (entry->sig) {
    case AfxSig::SysCommand:
        (this->*entry->handler.sysCommand)(static_cast<UINT>(wParam), lParam);
        break;
    case AfxSig::ContextMenu:
        // From the keyboard (Shift+F10, the Menu key) the point is -1, -1.
        (this->*entry->handler.contextMenu)(
            reinterpret_cast<HWND>(wParam),
            POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        break;
    case AfxSig::Message:
        *result = (this->*entry->handler.message)(wParam, lParam);
        break;
    case AfxSig::Notify:
        (this->*entry->handler.notify)(reinterpret_cast<NMHDR*>(lParam), result);
        break;
    case AfxSig::InitMenuPopup:
        (this->*entry->handler.initMenuPopup)(reinterpret_cast<HMENU>(wParam), LOWORD(lParam),
                                              HIWORD(lParam));
        break;
    case AfxSig::DropFiles:
        (this->*entry->handler.dropFiles)(reinterpret_cast<HDROP>(wParam));
        break;
    case AfxSig::QueryDragIcon:
        *result = reinterpret_cast<LRESULT>((this->*entry->handler.queryDragIcon)());
        break;
    case AfxSig::Command:
    case AfxSig::Paint:
        (this->*entry->handler.command)();
        break;
    case AfxSig::CommandRange: // control notifications come through OnCommand
    case AfxSig::End:
        return FALSE;
    }
    return TRUE;
}
