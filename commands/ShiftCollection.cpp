#include "app/DisplayFiles.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "collection/CollectionIO.h"
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
    std::optional<Change> change = BeginChange("Desplaçar Col.lecció", moved);
    if (!change) {
        return;
    }
    ShowTargetShiftPreview();

    EditResult shifted = ShiftImagesUp(g_pfTarget, g_nTargetCount, g_nTargetFirst);
    // Closing writes out what is still buffered; the file is then opened afresh.
    bool closed = std::fclose(g_pfTarget) == 0;
    g_pfTarget = OpenFile(g_strTargetPath, "r+b");
    if (!moved.empty()) {
        CommitChange(std::move(*change));
    }

    if (g_pfTarget == nullptr) {
        Alert("No s'ha pogut tornar a obrir la col.lecció " + g_strTargetPath +
              ". Torneu-la a obrir amb \"Buscar...\".");
    } else if (!shifted || !closed) {
        // The preview showed the result hoped for: show what the file really holds.
        ShowPane(2, g_nTargetFirst - g_nTargetSel);
        Alert(shifted.noTempStream
                  ? "No s'han pogut desplaçar totes les imatges de la col.lecció: no s'ha pogut "
                    "crear un fitxer temporal a la carpeta temporal de l'usuari."
                  : "No s'han pogut desplaçar totes les imatges de la col.lecció. Potser el disc "
                    "és ple o el fitxer l'ha bloquejat un altre programa.");
    }
    HighlightSelection(g_nSourceSel, g_nTargetSel);
}
