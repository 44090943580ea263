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
    std::function<void(int, int)> swap;
    std::function<void(int, CWnd*)> edit;
    if (pane.number == TargetPane().number) {
        edit = [this](int image, CWnd* overview) { EditImage(image, overview); };
        swap = [this](int first, int second) {
            EditCollection("Intercanvi d'imatges", {first, second}, [&](std::FILE*& target) {
                return Written::AllOr(SwapPixelAreas(target, first, second), {first, second});
            });
        };
    }
    COverviewDlg overview(pane.stream, pane.count, pane.current, name, swap, edit);
    if (overview.DoModal() == IDOK) {
        GoToImage(pane, overview.GetChosen());
    }
}
