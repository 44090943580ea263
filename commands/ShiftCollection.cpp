#include "app/DisplayFiles.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "collection/FileOpen.h"
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
    bool reopened = true;
    EditCollection("Desplaçar Col.lecció", moved, [&](std::FILE*& target) {
        ShowTargetShiftPreview(); // from the file as it is before the shift
        EditResult shifted = ShiftImagesUp(target, g_nTargetCount, from);
        // Closing writes out what is still buffered; the file is then opened afresh.
        bool closed = std::fclose(target) == 0;
        target = OpenFile(g_strTargetPath, "r+b");
        reopened = target != nullptr;
        Written written;
        int notWritten = shifted ? (closed ? 0 : g_nTargetCount) : shifted.stoppedAt;
        for (int image = from + 1; image <= notWritten; ++image) {
            written.failed.push_back(image);
        }
        written.noTempStream = shifted.noTempStream;
        written.shown = true;
        return written;
    });
    if (!reopened) {
        Alert("No s'ha pogut tornar a obrir la col·lecció " + g_strTargetPath +
              ". Torneu-la a obrir amb \"Buscar...\".");
    }
}
