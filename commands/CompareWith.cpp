#include "app/CollectionFiles.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/CollectionFormat.h"
#include "collection/FileContent.h"
#include "collection/PathNames.h"
#include "dialogs/CompareDlg.h"
#include "messages/EditMessages.h"
#include "settings/RecentFiles.h"

#include <algorithm>

// "Compara amb...": the target beside another collection, image by image, and the images chosen
// copied from the other into the target as one change.
void CBreltDlg::OnCompareWith() {
    CFileDialog chooser = CollectionFileDialog(TRUE, "Compara amb...");
    if (chooser.DoModal() != IDOK) {
        return;
    }
    const std::string path = chooser.GetPathName(), name = chooser.GetFileName();
    if (settings::SamePath(path, TargetPane().Path())) {
        Alert("«" + name + "» és la mateixa col·lecció que la destinació.");
        return;
    }
    FileContent other = ReadWholeFile(path);
    FileContent now = ReadWholeStream(TargetPane().Stream());
    if (!other.ok() || !sgc::HasCollectionSize(static_cast<long long>(other.bytes.size()))) {
        Alert("No s'ha pogut llegir " + path + " com a col·lecció.");
        return;
    }
    if (!now.ok()) {
        Alert("No s'ha pogut llegir la col·lecció " + TargetPane().Path() + ".");
        return;
    }
    // Image by image as far as both go.
    const int count = std::min(TargetPane().Count(),
                               sgc::ImageCountForSize(static_cast<long>(other.bytes.size())));
    CCompareDlg compare("Compara amb " + name, other.bytes, now.bytes, count,
                        {"A cada casella, a l'esquerra «" + name +
                             "» i a la dreta la destinació; les que són diferents, en vermell.",
                         "Copia els &seleccionats", "Copia-ho &tot"});
    if (compare.DoModal() == IDOK && !compare.GetChosen().empty()) {
        WriteImagesFrom(other.bytes, compare.GetChosen(), "Copia d'una altra col·lecció",
                        "S'han copiat a la destinació les imatges " +
                            ImageList(compare.GetChosen()) + " de «" + name +
                            "». Ctrl+Z ho desfà.");
    }
}
