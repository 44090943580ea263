#include "app/DisplayFiles.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "collection/ImageSequences.h"
#include "dialogs/MsgDlg.h"

void CBreltDlg::OnShiftCollection() {
    CMsgDlg confirmation(nullptr);
    if (g_pfTarget == nullptr) {
        return;
    }
    // The image that the shift overwrites, for the dialog to show.
    ExportImage(g_pfTarget, DisplayFilePath("zzz.bmp").c_str(), g_nTargetCount);
    // A dialog that could not even be shown has asked nothing: that is no "SI".
    if (confirmation.DoModal() == -1 || g_bConfirmed != 1) {
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
