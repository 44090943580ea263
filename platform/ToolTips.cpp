#include "platform/ToolTips.h"

#include "platform/Text.h"

#include <commctrl.h>

CToolTips::~CToolTips() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        ::DestroyWindow(m_hWnd);
    }
}

void CToolTips::Create(HWND dialog) {
    m_dialog = dialog;
    m_hWnd = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    // Long paths in a tip wrap instead of running off the screen.
    ::SendMessageW(m_hWnd, TTM_SETMAXTIPWIDTH, 0, 600);
}

void CToolTips::AddTool(HWND control) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = m_dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND CToolTips::ToolAskedFor(const NMHDR* header) {
    return header != nullptr && header->code == TTN_GETDISPINFOW
               ? reinterpret_cast<HWND>(header->idFrom)
               : nullptr;
}

void CToolTips::Answer(NMHDR* header, const std::string& text) {
    m_text = Widen(text);
    reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = m_text.data();
}
