#include "dialogs/EditorKeys.h"

#include "dialogs/EditorDlg.h"
#include "platform/ControlAccess.h"
#include "platform/Text.h"
#include "res/resource.h"

#include <iterator>
#include <string>
#include <utility>

namespace {

// The editor open now: one at a time, each over the one window of the program.
CEditorDlg* g_editor = nullptr;

LRESULT CALLBACK EditorKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message->message == WM_KEYDOWN && g_editor != nullptr &&
        g_editor->OnEditorKey(message->hwnd, static_cast<UINT>(message->wParam))) {
        return TRUE;
    }
    return CWindowsHook::CallNext(code, wParam, lParam);
}

bool Held(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

// The one-letter key of each tool, in the order of CEditorDlg::Tool, and its name.
const char kToolKeys[] = {'L', 'N', 'R', 'O', 'C', 'G', 'S', 'E', 'T'};
const char* const kToolNames[] = {"Llapis", "Línia",      "Rectangle", "Omple", "Comptagotes",
                                  "Goma",   "Selecciona", "El·lipse",  "Text"};

} // namespace

CEditorKeys::CEditorKeys(CEditorDlg& editor)
    : m_outer(std::exchange(g_editor, &editor)), m_hook(WH_MSGFILTER, &EditorKeyFilter) {}

CEditorKeys::~CEditorKeys() {
    m_hook.Remove();
    g_editor = m_outer;
}

namespace {

// A tool's tip, which is its name to a screen reader too: "Llapis (tecla L)".
std::string ToolTipOf(int tool) {
    return std::string(kToolNames[tool]) + " (tecla " + kToolKeys[tool] + ")";
}

CControlAccess::Words ToolWords(HWND button, int tool) {
    long state = STATE_SYSTEM_FOCUSABLE;
    state |= ::GetFocus() == button ? STATE_SYSTEM_FOCUSED : 0;
    state |= ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED ? STATE_SYSTEM_CHECKED : 0;
    state |= ::IsWindowEnabled(button) ? 0 : STATE_SYSTEM_UNAVAILABLE;
    return {Widen(ToolTipOf(tool)), L"", ROLE_SYSTEM_RADIOBUTTON, state};
}

} // namespace

void CEditorDlg::CreateToolTips() {
    m_toolTips.Create(m_hWnd);
    for (int tool = 0; tool < static_cast<int>(std::size(kToolKeys)); ++tool) {
        HWND button = GetDlgItem(IDC_EDITOR_PENCIL + tool);
        m_toolTips.AddTool(button);
        m_toolAccess.push_back(std::make_unique<CControlAccess>(
            button, [button, tool] { return ToolWords(button, tool); }));
    }
}

void CEditorDlg::OnNotify(NMHDR* header, LRESULT*) {
    HWND control = CToolTips::ToolAskedFor(header);
    const int tool = control != nullptr ? ::GetDlgCtrlID(control) - IDC_EDITOR_PENCIL : -1;
    if (tool >= 0 && tool < static_cast<int>(std::size(kToolKeys))) {
        m_toolTips.Answer(header, ToolTipOf(tool));
    }
}

bool CEditorDlg::OnEditorKey(HWND target, UINT key) {
    if (m_hWnd == nullptr || ::GetAncestor(target, GA_ROOT) != m_hWnd) {
        return false; // a window of its own, such as an effect's dialog, which the editor owns
    }
    if (key == VK_ESCAPE && (m_selection || m_drawnBox)) {
        SetDown(); // Esc sets a selection down before it closes the window
        return true;
    }
    // Ctrl with Alt is AltGr, which types characters.
    const bool control = Held(VK_CONTROL) && !Held(VK_MENU);
    const bool inText =
        target == GetDlgItem(IDC_EDITOR_TOLERANCE) || target == GetDlgItem(IDC_EDITOR_SYMMETRY);
    if (control) {
        // A text box keeps its own copy, paste, cut, select-all and undo.
        return !inText && OnControlKey(key);
    }
    return !inText && !Held(VK_MENU) && OnPlainKey(target, key);
}

bool CEditorDlg::OnControlKey(UINT key) {
    switch (key) {
    case 'Z':
        OnUndo();
        return true;
    case 'Y':
        OnRedo();
        return true;
    case 'A':
        SelectAll();
        return true;
    case 'C':
        CopySelection();
        return true;
    case 'X':
        CutSelection();
        return true;
    case 'V':
        Paste();
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        OnShift(key == VK_LEFT    ? IDC_EDITOR_SHIFT_LEFT
                : key == VK_RIGHT ? IDC_EDITOR_SHIFT_RIGHT
                : key == VK_UP    ? IDC_EDITOR_SHIFT_UP
                                  : IDC_EDITOR_SHIFT_DOWN);
        return true;
    default:
        return false;
    }
}

bool CEditorDlg::OnPlainKey(HWND target, UINT key) {
    if (key == VK_DELETE && m_selection) {
        ChangeSelection([this](editor::Selection& s) { s.Fill(m_secondary); });
        return true;
    }
    const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    if (arrow && m_selection && target == m_canvas.GetSafeHwnd()) {
        ChangeSelection([key](editor::Selection& s) {
            s.MoveBy(key == VK_LEFT    ? -1
                     : key == VK_RIGHT ? 1
                                       : 0,
                     key == VK_UP     ? -1
                     : key == VK_DOWN ? 1
                                      : 0);
        });
        return true;
    }
    for (std::size_t i = 0; i < std::size(kToolKeys); ++i) {
        if (key == static_cast<UINT>(kToolKeys[i]) && !Held(VK_SHIFT)) {
            ChooseTool(static_cast<Tool>(i));
            return true;
        }
    }
    return false;
}
