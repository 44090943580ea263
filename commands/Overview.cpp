#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/Panes.h"
#include "collection/PixelAreas.h"
#include "dialogs/OverviewDlg.h"

void CBreltDlg::OnShowOverview() {
    const Pane& pane = ActivePane();
    if (pane.stream == nullptr) {
        return;
    }
    std::string path = CollectionPath(pane);
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    std::function<bool(int, int)> swap;
    if (pane.number == TargetPane().number) {
        swap = [this, &pane](int first, int second) {
            std::optional<Change> change = BeginChange("Intercanvi d'imatges", {first, second});
            if (!change) {
                return true; // refused, and said so
            }
            bool swapped = SwapPixelAreas(pane.stream, first, second);
            CommitChange(std::move(*change));
            ShowPane(pane.number, pane.current - pane.selected);
            HighlightSelection(g_nSourceSel, g_nTargetSel);
            return swapped;
        };
    }
    COverviewDlg overview(pane.stream, pane.count, pane.current, name, swap);
    if (overview.DoModal() == IDOK) {
        GoToImage(pane, overview.GetChosen());
    }
}
