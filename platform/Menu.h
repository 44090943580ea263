#pragma once

#include <windows.h>

#include <string>

// A menu that the object owns and destroys, unless it has been handed to a window (a menu bar)
// or to another menu (a submenu), which then destroy it with themselves.
class CMenu {
public:
    CMenu() = default;
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    HMENU GetSafeHmenu() const { return m_hMenu; }
    // Gives the menu up to whoever now owns it (SetMenu, a submenu of another menu).
    HMENU Detach();

    void AppendItem(UINT id, const std::wstring& text, bool enabled = true);
    void AppendSeparator();
    // Appends a submenu the menu takes over.
    void AppendSubmenu(CMenu& submenu, const std::wstring& text, bool enabled = true);
    // Shows the menu at a screen point for owner; the command chosen is posted to owner.
    void Track(HWND owner, POINT screenPoint) const;
    // Shows the menu at a screen point for owner and returns the command chosen, 0 for none.
    UINT TrackForCommand(HWND owner, POINT screenPoint) const;

private:
    void DestroyMenu();
    HMENU m_hMenu = nullptr;
};

// Removes every item of a menu (a popup about to be filled again), destroying its submenus.
void ClearMenu(HMENU menu);
