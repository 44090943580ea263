#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/PathNames.h"

namespace {

// The main window's client area as its template lays it out, at the window's DPI now.
RECT TemplateClientRect(HWND dialog) {
    RECT rect{0, 0, 477, 174};
    ::MapDialogRect(dialog, &rect);
    return rect;
}

} // namespace

void CBreltDlg::AddMenuAndStatusBar() {
    CreateMenuBar();
    m_statusBar.Create(m_hWnd, IDC_STATUS_BAR);
    FitFrameToControls();
    UpdateStatusBar();
}

void CBreltDlg::FitFrameToControls() {
    // The menu bar takes its height from the client area: the window grows by it and by the
    // status bar, so that every control of the template keeps its place.
    RECT client{}, window{};
    GetClientRect(&client);
    ::GetWindowRect(m_hWnd, &window);
    RECT wanted = TemplateClientRect(m_hWnd);
    int statusHeight = m_statusBar.GetSafeHwnd() != nullptr ? m_statusBar.Height() : 0;
    int grow = wanted.bottom + statusHeight - client.bottom;
    int widen = wanted.right - client.right;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left + widen,
                   window.bottom - window.top + grow, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_statusBar.Reposition();
}

std::wstring CBreltDlg::PaneStatus() const {
    const CCollectionPane& pane = ActivePane();
    const bool source = pane.IsSource();
    if (g_pfSource == nullptr && g_pfTarget == nullptr) {
        // "›" rather than "▸", which the window's font under Wine does not have.
        return L"Obriu una col·lecció amb Fitxer › Obre la destinació... o amb Buscar...";
    }
    std::wstring name = source ? L"Origen: " : L"Destí: ";
    if (pane.Stream() == nullptr) {
        return name + L"cap col·lecció oberta";
    }
    std::string file = FileNameOf(pane.Path());
    bool readOnly = source ? m_sourceReadOnly : m_targetReadOnly;
    return name + Widen(file) + (readOnly ? L" (només lectura)" : L"") + L" · imatge " +
           std::to_wstring(pane.Current()) + L" de " + std::to_wstring(pane.Count());
}

void CBreltDlg::UpdateStatusBar() {
    // Once the command has finished: a status bar repaints itself as its text is set, which
    // under Wine costs the arrows a fifth of their time.
    if (!m_statusPosted && m_statusBar.GetSafeHwnd() != nullptr) {
        m_statusPosted = ::PostMessageW(m_hWnd, WM_APP_UPDATE_STATUS, 0, 0) != FALSE;
    }
}

LRESULT CBreltDlg::OnUpdateStatus(WPARAM, LPARAM) {
    m_statusPosted = false;
    std::wstring undo = UndoSubject();
    m_statusBar.SetTexts({PaneStatus(), undo.empty() ? L"" : L"Ctrl+Z desfà: " + undo});
    return 0;
}

void CBreltDlg::FocusCurrentSlot() {
    if (HWND slot = ActivePane().CurrentSlotWindow()) {
        ::SetFocus(slot);
    }
}
