#include "platform/StatusBar.h"

#include "platform/Gdi.h"

#include <commctrl.h>

#include <algorithm>

CStatusBar::~CStatusBar() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        ::DestroyWindow(m_hWnd);
    }
}

BOOL CStatusBar::Create(HWND parent, int id) {
    m_hWnd = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0,
                               0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               ::GetModuleHandleW(nullptr), nullptr);
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    ::SendMessageW(m_hWnd, WM_SETFONT, ::SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
    Reposition();
    return TRUE;
}

int CStatusBar::Height() const {
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect.bottom - rect.top;
}

void CStatusBar::SetTexts(const std::vector<std::wstring>& texts) {
    if (texts == m_texts) {
        return;
    }
    bool sameParts = texts.size() == m_texts.size();
    std::vector<std::wstring> before = std::move(m_texts);
    m_texts = texts;
    // The parts are measured again only when a part but the first, which takes the rest, changed.
    if (!sameParts || !std::equal(m_texts.begin() + 1, m_texts.end(), before.begin() + 1)) {
        SizeParts();
    }
    for (std::size_t part = 0; part < m_texts.size(); ++part) {
        if (!sameParts || m_texts[part] != before[part]) {
            ::SendMessageW(m_hWnd, SB_SETTEXTW, part,
                           reinterpret_cast<LPARAM>(m_texts[part].c_str()));
        }
    }
}

void CStatusBar::Reposition() {
    // The control stands itself along the parent's bottom edge when told the parent's size.
    ::SendMessageW(m_hWnd, WM_SIZE, 0, 0);
    SizeParts();
}

void CStatusBar::SizeParts() {
    if (m_texts.empty()) {
        return;
    }
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    CClientDC dc(m_hWnd);
    CSelectObject font(dc.GetSafeHdc(),
                       reinterpret_cast<HGDIOBJ>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
    // From the right: each later part as wide as its text and a margin on either side.
    std::vector<int> rights(m_texts.size(), -1);
    int right = client.right;
    for (std::size_t part = m_texts.size() - 1; part > 0; --part) {
        SIZE extent{};
        const std::wstring& text = m_texts[part];
        ::GetTextExtentPoint32W(dc.GetSafeHdc(), text.c_str(), static_cast<int>(text.size()),
                                &extent);
        rights[part] = right;
        right -= text.empty() ? 0 : extent.cx + 4 * ::GetSystemMetrics(SM_CXEDGE) + 8;
    }
    rights[0] = right;
    ::SendMessageW(m_hWnd, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}
