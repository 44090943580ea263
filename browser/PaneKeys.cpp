#include "app/CommandTable.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"

#include <algorithm>

namespace {

// The dialog whose panes the keys move: one main window per program.
CBreltDlg* g_keysDialog = nullptr;

// Runs for every message of the dialog's modal loop before the dialog manager sees it, which
// would otherwise take the arrow keys to move the focus between buttons.
LRESULT CALLBACK PaneKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message->message == WM_KEYDOWN && g_keysDialog != nullptr &&
        g_keysDialog->OnPaneKey(message->hwnd, static_cast<UINT>(message->wParam))) {
        return TRUE;
    }
    return CWindowsHook::CallNext(code, wParam, lParam);
}

} // namespace

void CBreltDlg::InstallPaneKeys() {
    g_keysDialog = this;
    m_paneKeys.emplace(WH_MSGFILTER, &PaneKeyFilter);
}

void CBreltDlg::RemovePaneKeys() {
    m_paneKeys.reset();
    if (g_keysDialog == this) {
        g_keysDialog = nullptr;
    }
}

namespace {

bool Held(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

// The keys a text box keeps for its own text: its copy, paste, cut and select-all.
bool IsTextBoxKey(UINT key, bool control) {
    return control && (key == 'C' || key == 'V' || key == 'X' || key == 'A');
}

} // namespace

bool CBreltDlg::OnPaneKey(HWND target, UINT key) {
    if (target != m_hWnd && ::GetParent(target) != m_hWnd) {
        return false; // another window's keys
    }
    // Ctrl with Alt is AltGr, which types characters; Shift makes another key of these.
    const bool control = Held(VK_CONTROL) && !Held(VK_MENU);
    const bool inGoToBox = target == SourcePane().GoToBox() || target == TargetPane().GoToBox();
    const Command* command = Held(VK_SHIFT) ? nullptr : CommandForKey(key, control);
    // Ctrl+Z and Ctrl+Y are the collection's everywhere, a go-to box included: the box's own
    // undo of typing is not worth the trap of an undo that seems to do nothing.
    if (command != nullptr && !(inGoToBox && IsTextBoxKey(key, control))) {
        RunCommand(*command);
        return true;
    }
    // Other keys typed into a go-to box keep their meaning there.
    CCollectionPane& pane = ActivePane();
    if (inGoToBox || !pane.IsOpen()) {
        return false;
    }
    // The frame keeps its slot where the strip can move with it, as the arrows scroll it.
    bool moved = true;
    switch (key) {
    case VK_LEFT:
        moved = pane.MovePrevious();
        break;
    case VK_RIGHT:
        moved = pane.MoveNext();
        break;
    case VK_PRIOR:
    case VK_NEXT:
        pane.MoveTo(pane.Current() + (key == VK_NEXT ? 5 : -5));
        break;
    case VK_HOME:
    case VK_END:
        pane.MoveTo(key == VK_HOME ? 1 : pane.Count());
        break;
    default:
        return false;
    }
    if (moved) {
        ShowFrames();
    }
    return true;
}
