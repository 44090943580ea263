#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/Panes.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// The number in a go-to box: a signed decimal number with optional blanks around it. Anything
// else (letters, "12abc", a number beyond 32 bits, nothing) gives 0, which go-to refuses.
int ParseGoToNumber(const std::string& text) {
    std::size_t begin = text.find_first_not_of(" \t");
    std::size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos) {
        return 0;
    }
    std::string number = text.substr(begin, end - begin + 1);
    errno = 0;
    char* stop = nullptr;
    long long value = std::strtoll(number.c_str(), &stop, 10);
    bool whole = stop == number.c_str() + number.size() &&
                 (number[0] == '-' || number[0] == '+' || (number[0] >= '0' && number[0] <= '9'));
    if (!whole || errno == ERANGE || value < INT_MIN || value > INT_MAX) {
        return 0;
    }
    return static_cast<int>(value);
}

} // namespace

bool CBreltDlg::IsSlot(HWND window) const {
    for (const Pane* pane : {&SourcePane(), &TargetPane()}) {
        for (int id : pane->slotIds) {
            if (GetDlgItem(id) == window) {
                return true;
            }
        }
    }
    return false;
}

void CBreltDlg::OnSlotDoubleClicked(UINT slotId) {
    const Pane& target = TargetPane();
    for (int slot = 0; slot < 5; ++slot) {
        if (target.slotIds[slot] == static_cast<int>(slotId) && target.stream != nullptr) {
            OnSlotClicked(slotId);
            OnEditImage();
        }
    }
}

void CBreltDlg::OnSlotClicked(UINT slotId) {
    for (const Pane* pane : {&SourcePane(), &TargetPane()}) {
        for (int slot = 0; slot < 5; ++slot) {
            if (pane->slotIds[slot] == static_cast<int>(slotId)) {
                m_activePane = pane->number;
                // The keys follow the click: out of a go-to box, to the slot itself.
                ::SetFocus(GetDlgItem(static_cast<int>(slotId)));
                SelectSlot(*pane, slot);
            }
        }
    }
}
void CBreltDlg::OnSourcePrev() {
    ShowPrevious(SourcePane());
}
void CBreltDlg::OnSourceNext() {
    ShowNext(SourcePane());
}
void CBreltDlg::OnTargetPrev() {
    ShowPrevious(TargetPane());
}
void CBreltDlg::OnTargetNext() {
    ShowNext(TargetPane());
}
void CBreltDlg::OnSourceGoTo() {
    GoTo(SourcePane());
}
void CBreltDlg::OnTargetGoTo() {
    GoTo(TargetPane());
}

void CBreltDlg::SelectSlot(const Pane& pane, int slot) {
    // The strip stays: the current image moves with the frame.
    pane.current += slot - pane.selected;
    pane.selected = slot;
    SetDlgItemInt(pane.goToBox, static_cast<UINT>(pane.current), TRUE);
    HighlightSelection(g_nSourceSel, g_nTargetSel);
}

void CBreltDlg::ShowPrevious(const Pane& pane) {
    if (pane.current <= 1 || pane.stream == nullptr) {
        return;
    }
    --pane.current;
    if (pane.current <= pane.selected) {
        --pane.selected; // the strip is at the start: the frame moves instead
    } else {
        ShowPane(pane.number, pane.current - pane.selected);
    }
    SetDlgItemInt(pane.goToBox, static_cast<UINT>(pane.current), TRUE);
    HighlightSelection(g_nSourceSel, g_nTargetSel);
}

void CBreltDlg::ShowNext(const Pane& pane) {
    if (pane.current >= pane.count || pane.stream == nullptr) {
        return;
    }
    ++pane.current;
    if (pane.current - pane.selected > pane.count - 4) {
        ++pane.selected; // the strip is at the end: the frame moves instead
    } else {
        ShowPane(pane.number, pane.current - pane.selected);
    }
    SetDlgItemInt(pane.goToBox, static_cast<UINT>(pane.current), TRUE);
    HighlightSelection(g_nSourceSel, g_nTargetSel);
}

void CBreltDlg::GoTo(const Pane& pane) {
    int number = ParseGoToNumber(CWnd(GetDlgItem(pane.goToBox)).GetWindowText());
    if (number > pane.count || number <= 0 || pane.stream == nullptr) {
        Alert("No existeix cap imatge en la posició indicada o no s'ha carregat la col.lecció",
              MB_ICONEXCLAMATION);
        return;
    }
    GoToImage(pane, number);
}

void CBreltDlg::GoToImage(const Pane& pane, int number) {
    pane.current = number;
    if (number >= pane.count - 4) {
        // One of the last five: they fill the strip and the frame goes to the number's slot.
        ShowPane(pane.number, pane.count - 4);
        pane.selected = 4 - (pane.count - number);
    } else {
        ShowPane(pane.number, number);
        pane.selected = 0;
    }
    SetDlgItemInt(pane.goToBox, static_cast<UINT>(pane.current), TRUE);
    HighlightSelection(g_nSourceSel, g_nTargetSel);
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
    if (focus == GetDlgItem(SourcePane().goToBox)) {
        OnSourceGoTo();
    } else if (focus == GetDlgItem(TargetPane().goToBox)) {
        OnTargetGoTo();
    } else if (ours && IsPushButton(focus) && ::IsWindowEnabled(focus)) {
        ::SendMessageW(focus, BM_CLICK, 0, 0);
    } else if (!ours || !IsSlot(focus)) {
        CDialog::OnOK();
    }
}
