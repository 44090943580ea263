#include "app/ProgramState.h"
#include "app/breltDlg.h"

bool CBreltDlg::IsSlot(HWND window) const {
    return m_sourcePane.SlotOf(window) >= 0 || m_targetPane.SlotOf(window) >= 0;
}

void CBreltDlg::OnSlotClicked(UINT slotId) {
    HWND window = GetDlgItem(static_cast<int>(slotId));
    for (CCollectionPane* pane : {&m_sourcePane, &m_targetPane}) {
        if (int slot = pane->SlotOf(window); slot >= 0) {
            m_activePane = pane->Number();
            // The keys follow the click: out of a go-to box, to the slot itself.
            ::SetFocus(window);
            pane->SelectSlot(slot);
            ShowFrames();
        }
    }
}

void CBreltDlg::OnSlotFocus(HWND slot) {
    for (CCollectionPane* pane : {&m_sourcePane, &m_targetPane}) {
        if (pane->SlotOf(slot) >= 0 && m_activePane != pane->Number()) {
            m_activePane = pane->Number();
            ShowFrames();
        }
    }
}

void CBreltDlg::OnSourcePrev() {
    if (SourcePane().MovePrevious()) {
        ShowFrames();
    }
}
void CBreltDlg::OnSourceNext() {
    if (SourcePane().MoveNext()) {
        ShowFrames();
    }
}
void CBreltDlg::OnTargetPrev() {
    if (TargetPane().MovePrevious()) {
        ShowFrames();
    }
}
void CBreltDlg::OnTargetNext() {
    if (TargetPane().MoveNext()) {
        ShowFrames();
    }
}
void CBreltDlg::OnSourceGoTo() {
    GoToTyped(SourcePane());
}
void CBreltDlg::OnTargetGoTo() {
    GoToTyped(TargetPane());
}

void CBreltDlg::GoToTyped(CCollectionPane& pane) {
    int number = pane.TypedNumber();
    if (number > pane.Count() || number <= 0 || !pane.IsOpen()) {
        Alert("No existeix cap imatge en la posició indicada o no s'ha carregat la col.lecció",
              MB_ICONEXCLAMATION);
        return;
    }
    pane.GoToImage(number);
    ShowFrames();
}

namespace {

bool IsPushButton(HWND window) {
    LONG style = ::GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
    return WindowClassIs(window, L"Button") &&
           (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON);
}

} // namespace

void CBreltDlg::OnOK() {
    // Enter in a go-to box goes to the number typed there, and on a push button presses it, as
    // the dialog manager of Windows does (Wine's sends the OK command instead). A slot that has
    // the focus after a click takes Enter too, as nothing to do. Only where nothing takes it does
    // Enter end the program.
    HWND focus = ::GetFocus();
    bool ours = focus != nullptr && ::GetParent(focus) == m_hWnd;
    if (focus == SourcePane().GoToBox()) {
        OnSourceGoTo();
    } else if (focus == TargetPane().GoToBox()) {
        OnTargetGoTo();
    } else if (ours && IsPushButton(focus) && ::IsWindowEnabled(focus)) {
        ::SendMessageW(focus, BM_CLICK, 0, 0);
    } else if (!ours || !IsSlot(focus)) {
        CDialog::OnOK();
    }
}
