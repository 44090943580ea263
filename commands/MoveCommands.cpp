#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "collection/BitmapImport.h"
#include "collection/CollectionIO.h"
#include "collection/ImageSequences.h"

namespace {

const char* const kWriteFailed =
    "No s'ha pogut escriure la imatge a la col.lecció. Potser el disc és ple o el fitxer l'ha "
    "bloquejat un altre programa. La col.lecció mostra el que hi ha realment al fitxer.";
const char* const kNoTempFile =
    "No s'ha pogut crear un fitxer temporal a la carpeta temporal de l'usuari. La col.lecció no "
    "s'ha tocat.";

} // namespace

void CBreltDlg::OnMoveImageToCollection() {
    if (g_pfImage == nullptr || g_pfTarget == nullptr) {
        return;
    }
    std::optional<Change> change = BeginChange("Moure Imatge a Col.lecció", {g_nTargetFirst});
    if (!change) {
        return;
    }
    long pixelOffset = InspectBitmap(g_pfImage).pixelOffset;
    EditResult written = ImportBitmapPixels(g_pfImage, g_pfTarget, g_nTargetFirst, pixelOffset);
    if (written.noTempStream) {
        // Nothing was written: the slot already shows what the file holds.
        Alert(kNoTempFile);
        return;
    }
    CommitChange(std::move(*change));
    ShowStoredTargetImage();
    HighlightSelection(g_nSourceSel, g_nTargetSel);
    if (!written) {
        Alert(kWriteFailed);
    }
}

void CBreltDlg::OnMoveToCollection() {
    if (g_pfSource == nullptr || g_pfTarget == nullptr) {
        return;
    }
    std::optional<Change> change = BeginChange("Moure a la Col.lecció", {g_nTargetFirst});
    if (!change) {
        return;
    }
    std::clearerr(g_pfSource);
    std::clearerr(g_pfTarget);
    CCollectionIO io;
    io.CopyRecordPixels(g_pfSource, g_pfTarget, g_nSourceFirst, g_nTargetFirst);
    bool written = !std::ferror(g_pfSource) && !std::ferror(g_pfTarget);
    CommitChange(std::move(*change));
    ShowStoredTargetImage();
    HighlightSelection(g_nSourceSel, g_nTargetSel);
    if (!written) {
        Alert(kWriteFailed);
    }
}
