#include "app/DisplayFiles.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "collection/PixelAreas.h"
#include "dialogs/MsgDlg.h"

bool CBreltDlg::ConfirmLoss(int last, CWnd* owner) {
    // The confirmation of the shift (and of an insertion in the overview), showing the image that
    // goes. A dialog that could not even be shown has asked nothing: that is no "SI".
    ExportImage(g_pfTarget, DisplayFilePath("zzz.bmp").c_str(), last);
    CMsgDlg confirmation(owner);
    return confirmation.DoModal() != -1 && g_bConfirmed == 1;
}

void CBreltDlg::OnShiftCollection() {
    // The confirmation shows the image that the shift overwrites.
    if (g_pfTarget == nullptr || !ConfirmLoss(g_nTargetCount, nullptr)) {
        return;
    }
    std::vector<int> moved;
    for (int image = g_nTargetFirst + 1; image <= g_nTargetCount; ++image) {
        moved.push_back(image);
    }
    const int from = g_nTargetFirst;
    EditCollection("Desplaçar Col.lecció", moved, [&](std::FILE*& target) {
        ShowTargetShiftPreview(); // from the file as it is before the shift
        // Whole areas in memory, on the edit's own copy of the file: the same bytes as the
        // images' rows reversed twice through temporary files, in a tenth of the time.
        Written written = Written::AllOr(ShiftAreasUp(target, g_nTargetCount, from), moved);
        written.shown = true;
        return written;
    });
}
