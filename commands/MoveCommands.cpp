#include "app/DisplayFiles.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/Panes.h"
#include "collection/BitmapImport.h"
#include "collection/CollectionIO.h"
#include "collection/ImageSequences.h"

namespace {

const char* const kWriteFailed =
    "No s'ha pogut escriure la imatge a la col.lecció. Potser el disc és ple o el fitxer l'ha "
    "bloquejat un altre programa. La col.lecció mostra el que hi ha realment al fitxer.";

} // namespace

void CBreltDlg::OnMoveImageToCollection() {
    if (g_pfImage == nullptr || g_pfTarget == nullptr) {
        return;
    }
    long pixelOffset = InspectBitmap(g_pfImage).pixelOffset;
    bool written = ImportBitmapPixels(g_pfImage, g_pfTarget, g_nTargetFirst, pixelOffset);
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
    std::clearerr(g_pfSource);
    std::clearerr(g_pfTarget);
    CCollectionIO io;
    io.CopyRecordPixels(g_pfSource, g_pfTarget, g_nSourceFirst, g_nTargetFirst);
    bool written = !std::ferror(g_pfSource) && !std::ferror(g_pfTarget);
    ShowStoredTargetImage();
    HighlightSelection(g_nSourceSel, g_nTargetSel);
    if (!written) {
        Alert(kWriteFailed);
    }
}

// The current target image as the file now holds it, in the slot that shows it.
void CBreltDlg::ShowStoredTargetImage() {
    std::string path = DisplayFilePath("xzzg.bmp");
    ExportImage(g_pfTarget, path.c_str(), g_nTargetFirst);
    HBITMAP bitmap = LoadDisplayBitmap(path);
    if (g_nTargetSel >= 0 && g_nTargetSel <= 4) {
        SetSlotBitmap(TargetPane().slotIds[g_nTargetSel], bitmap);
    } else if (bitmap != nullptr) {
        ::DeleteObject(bitmap);
    }
}
