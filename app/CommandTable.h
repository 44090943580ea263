#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CBreltDlg;

// A key that runs a command: a virtual key, alone or with Ctrl.
struct CommandKey {
    UINT virtualKey = 0; // 0: the command has no key
    bool control = false;
    bool alt = false; // Alt+F4: only shown, the system runs it
};

// One command of the main window, and everything the menu bar, the panes' menus, the keys and
// the greying know of it: there is no other list of them.
struct Command {
    UINT id;
    const wchar_t* text;     // with its Alt letter: L"Obre la &destinació..."
    const wchar_t* paneText; // in a pane's menu, where it reads otherwise; null for the same
    CommandKey key;
    bool (CBreltDlg::*canAct)() const; // null: it always can
    void (CBreltDlg::*run)();
    // What it would act on, said after its text ("Desfés: Importa imatges"); may be null.
    std::wstring (CBreltDlg::*subject)() const;
};

const Command* FindCommand(UINT id);
// The command of key pressed with or without Ctrl, or null.
const Command* CommandForKey(UINT virtualKey, bool control);
// As a menu shows the key: "Ctrl+O", "F2", "Alt+F4"; empty without one.
std::wstring KeyText(const CommandKey& key);

// What stands in a menu's list of ids besides commands.
inline constexpr UINT kSeparator = 0;
inline constexpr UINT kRecentCollections = 1; // the submenu of the collections opened last

struct MenuLayout {
    const wchar_t* title; // with its Alt letter
    std::vector<UINT> items;
};
const std::vector<MenuLayout>& MenuBarLayout();
// The menu of a slot of the source or the target pane.
const std::vector<UINT>& PaneMenuLayout(bool target);
