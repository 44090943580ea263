#include "browser/Panes.h"

#include "app/ProgramState.h"
#include "res/resource.h"

const Pane& SourcePane() {
    static const Pane pane{
        1,
        g_pfSource,
        g_nSourceCount,
        g_nSourceFirst,
        g_nSourceSel,
        {IDC_SOURCE_SLOT1, IDC_SOURCE_SLOT2, IDC_SOURCE_SLOT3, IDC_SOURCE_SLOT4, IDC_SOURCE_SLOT5},
        {"xzzf.bmp", "xzzf2.bmp", "xzzf3.bmp", "xzzf4.bmp", "xzzf5.bmp"},
        IDC_SOURCE_GOTO_BOX,
        IDC_SOURCE_NAME};
    return pane;
}

const Pane& TargetPane() {
    static const Pane pane{
        2,
        g_pfTarget,
        g_nTargetCount,
        g_nTargetFirst,
        g_nTargetSel,
        {IDC_TARGET_SLOT1, IDC_TARGET_SLOT2, IDC_TARGET_SLOT3, IDC_TARGET_SLOT4, IDC_TARGET_SLOT5},
        {"xzzg.bmp", "xzzg2.bmp", "xzzg3.bmp", "xzzg4.bmp", "xzzg5.bmp"},
        IDC_TARGET_GOTO_BOX,
        IDC_TARGET_NAME};
    return pane;
}

const Pane& PaneByNumber(int number) {
    return number == 1 ? SourcePane() : TargetPane();
}
