#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/Panes.h"
#include "dialogs/OverviewDlg.h"

void CBreltDlg::OnShowOverview() {
    const Pane& pane = ActivePane();
    if (pane.stream == nullptr) {
        return;
    }
    std::string path = CollectionPath(pane);
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    bool isTarget = pane.number == TargetPane().number;
    COverviewDlg overview(pane.stream, pane.count, pane.current, name, isTarget,
                          [this, &pane] {
                              ShowPane(pane.number, pane.current - pane.selected);
                              HighlightSelection(g_nSourceSel, g_nTargetSel);
                          });
    if (overview.DoModal() == IDOK) {
        GoToImage(pane, overview.GetChosen());
    }
}
