#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/Panes.h"
#include "dialogs/OverviewDlg.h"

void CBreltDlg::OnShowOverview() {
    const Pane& pane = ActivePane();
    if (pane.stream == nullptr) {
        return;
    }
    CWnd label(GetDlgItem(pane.nameLabel));
    bool isTarget = pane.number == TargetPane().number;
    COverviewDlg overview(pane.stream, pane.count, pane.current, label.GetWindowText(), isTarget,
                          [this, &pane] {
                              ShowPane(pane.number, pane.current - pane.selected);
                              HighlightSelection(g_nSourceSel, g_nTargetSel);
                          });
    if (overview.DoModal() == IDOK) {
        GoToImage(pane, overview.GetChosen());
    }
}
