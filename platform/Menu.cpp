#include "platform/Menu.h"

BOOL CMenu::CreateMenu() {
    DestroyMenu();
    m_hMenu = ::CreateMenu();
    return m_hMenu != nullptr;
}

BOOL CMenu::CreatePopupMenu() {
    DestroyMenu();
    m_hMenu = ::CreatePopupMenu();
    return m_hMenu != nullptr;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    return menu;
}

void CMenu::AppendItem(UINT id, const std::wstring& text, bool enabled) {
    ::AppendMenuW(m_hMenu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, text.c_str());
}

void CMenu::AppendSeparator() {
    ::AppendMenuW(m_hMenu, MF_SEPARATOR, 0, nullptr);
}

void CMenu::AppendSubmenu(CMenu& submenu, const std::wstring& text, bool enabled) {
    HMENU popup = submenu.GetSafeHmenu();
    if (::AppendMenuW(m_hMenu, MF_POPUP | (enabled ? MF_ENABLED : MF_GRAYED),
                      reinterpret_cast<UINT_PTR>(popup), text.c_str())) {
        submenu.Detach();
    }
}

void CMenu::Track(HWND owner, POINT screenPoint) const {
    ::TrackPopupMenu(m_hMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0,
                     owner, nullptr);
}

UINT CMenu::TrackForCommand(HWND owner, POINT screenPoint) const {
    return static_cast<UINT>(::TrackPopupMenu(m_hMenu,
                                              TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                              screenPoint.x, screenPoint.y, 0, owner, nullptr));
}

void CMenu::DestroyMenu() {
    if (m_hMenu != nullptr) {
        ::DestroyMenu(m_hMenu);
        m_hMenu = nullptr;
    }
}

void ClearMenu(HMENU menu) {
    // DeleteMenu destroys a submenu with its item.
    while (::GetMenuItemCount(menu) > 0) {
        ::DeleteMenu(menu, 0, MF_BYPOSITION);
    }
}
