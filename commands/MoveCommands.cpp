#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "collection/BitmapImport.h"
#include "collection/CollectionIO.h"
#include "collection/ImageSequences.h"
#include "collection/PixelAreas.h"

void CBreltDlg::OnMoveImageToCollection() {
    if (g_pfImage == nullptr || g_pfTarget == nullptr) {
        return;
    }
    const int image = g_nTargetFirst;
    EditCollection("Moure Imatge a Col.lecció", {image}, [&](std::FILE*& target) {
        long pixelOffset = InspectBitmap(g_pfImage).pixelOffset;
        EditResult written = ImportBitmapPixels(g_pfImage, target, image, pixelOffset);
        return Written{written ? std::vector<int>{} : std::vector<int>{image},
                       written.noTempStream};
    });
}

void CBreltDlg::OnMoveToCollection() {
    if (g_pfSource == nullptr || g_pfTarget == nullptr) {
        return;
    }
    // A source image that can't be read would be copied as black: nothing is written then.
    if (!ReadPixelArea(g_pfSource, g_nSourceFirst)) {
        Alert("No s'ha pogut llegir la imatge " + std::to_string(g_nSourceFirst) +
              " de la col·lecció d'origen " + m_sourcePath + ". No s'ha canviat res.");
        return;
    }
    const int image = g_nTargetFirst;
    EditCollection("Moure a la Col.lecció", {image}, [&](std::FILE*& target) {
        std::clearerr(g_pfSource);
        std::clearerr(target);
        CCollectionIO().CopyRecordPixels(g_pfSource, target, g_nSourceFirst, image);
        return Written::AllOr(!std::ferror(g_pfSource) && !std::ferror(target), {image});
    });
}
