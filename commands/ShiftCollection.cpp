#include "app/DisplayFiles.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "collection/ImageSequences.h"
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
        EditResult shifted = ShiftImagesUp(target, g_nTargetCount, from);
        Written written;
        // Shifted from the end: where it stopped, the images down to from's next are left.
        for (int image = from + 1; !shifted && image <= shifted.stoppedAt; ++image) {
            written.failed.push_back(image);
        }
        written.noTempStream = shifted.noTempStream;
        written.shown = true;
        return written;
    });
}
