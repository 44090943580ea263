#include "app/CommandTable.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "platform/FilePaths.h"

namespace {

// A name as a menu item's text: an ampersand of its own is no Alt letter.
std::wstring EscapeAmpersands(const std::wstring& name) {
    std::wstring text;
    for (wchar_t c : name) {
        text += c == L'&' ? L"&&" : std::wstring(1, c);
    }
    return text;
}

bool IsCommandButton(UINT id) {
    switch (id) {
    case IDC_LOAD_IMAGE:
    case IDC_OPEN_SOURCE:
    case IDC_OPEN_TARGET:
    case IDC_MOVE_IMAGE:
    case IDC_MOVE_TO_COLLECTION:
    case IDC_SOURCE_GOTO:
    case IDC_TARGET_GOTO:
    case IDC_SHIFT_COLLECTION:
    case IDC_GENERATE_COLLECTION:
        return true;
    default:
        return false;
    }
}

} // namespace

BOOL CBreltDlg::OnCmdMsg(UINT id, UINT code) {
    if (code == 0 && id >= ID_RECENT_FIRST && id <= ID_RECENT_LAST) {
        OpenRecent(static_cast<int>(id - ID_RECENT_FIRST));
        return TRUE;
    }
    if (const Command* command = code == 0 ? FindCommand(id) : nullptr) {
        RunCommand(*command);
        return TRUE;
    }
    if (!CDialog::OnCmdMsg(id, code)) {
        return FALSE;
    }
    // The keys act on the pane after a button did, never on the button again: Enter after a
    // move would write it a second time.
    if (code == BN_CLICKED && IsCommandButton(id) && ::IsWindow(m_hWnd)) {
        FocusCurrentSlot();
    }
    return TRUE;
}

void CBreltDlg::RunCommand(const Command& command) {
    if (command.canAct == nullptr || (this->*command.canAct)()) {
        (this->*command.run)();
    }
}

std::wstring CBreltDlg::MenuItemText(const Command& command, bool paneMenu) const {
    std::wstring text = paneMenu && command.paneText != nullptr ? command.paneText : command.text;
    if (command.subject != nullptr) {
        std::wstring subject = (this->*command.subject)();
        if (!subject.empty()) {
            text += L": " + EscapeAmpersands(subject);
        }
    }
    std::wstring key = KeyText(command.key);
    return key.empty() ? text : text + L"\t" + key;
}

void CBreltDlg::FillMenu(HMENU menu, const std::vector<UINT>& items, bool paneMenu) {
    ClearMenu(menu);
    for (UINT item : items) {
        const Command* command = FindCommand(item);
        if (item == kSeparator) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (item == kRecentCollections) {
            AppendRecentMenu(menu);
        } else if (command != nullptr) {
            bool enabled = command->canAct == nullptr || (this->*command->canAct)();
            ::AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), item,
                          MenuItemText(*command, paneMenu).c_str());
        }
    }
}

void CBreltDlg::CreateMenuBar() {
    CMenu bar;
    bar.CreateMenu();
    for (const MenuLayout& layout : MenuBarLayout()) {
        CMenu popup;
        popup.CreatePopupMenu();
        FillMenu(popup.GetSafeHmenu(), layout.items, false);
        bar.AppendSubmenu(popup, layout.title);
    }
    if (::SetMenu(m_hWnd, bar.GetSafeHmenu())) {
        bar.Detach(); // the window destroys its menu bar with itself
    }
}

void CBreltDlg::OnInitMenuPopup(HMENU popup, UINT, BOOL systemMenu) {
    HMENU bar = ::GetMenu(m_hWnd);
    if (systemMenu || bar == nullptr) {
        return;
    }
    // Filled again as it opens, so that its greying and "Desfés: ..." say what holds now.
    const std::vector<MenuLayout>& layouts = MenuBarLayout();
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        if (::GetSubMenu(bar, static_cast<int>(i)) == popup) {
            FillMenu(popup, layouts[i].items, false);
        }
    }
}

bool CBreltDlg::CanWriteTarget() const {
    return g_pfTarget != nullptr && !m_targetReadOnly;
}

bool CBreltDlg::CanActOnActivePane() const {
    return ActivePane().Stream() != nullptr;
}

bool CBreltDlg::CanUndo() const {
    return CanWriteTarget() && TargetHistory().State().NextUndo() != nullptr;
}

bool CBreltDlg::CanRedo() const {
    return CanWriteTarget() && TargetHistory().State().NextRedo() != nullptr;
}

std::wstring CBreltDlg::UndoSubject() const {
    return CanUndo() ? Widen(TargetHistory().State().NextUndo()->what) : std::wstring();
}

std::wstring CBreltDlg::RedoSubject() const {
    return CanRedo() ? Widen(TargetHistory().State().NextRedo()->what) : std::wstring();
}
