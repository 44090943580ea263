#include "app/CollectionFiles.h"
#include "app/ProgramFolder.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/CollectionIO.h"
#include "collection/FileOpen.h"
#include "collection/PathNames.h"

void CBreltDlg::OnGenerateCollection() {
    CreateNewCollection();
}

void CBreltDlg::OnNewCollection() {
    std::optional<std::string> created = CreateNewCollection();
    if (!created) {
        return;
    }
    if (OpenCollectionFile(TargetPane(), *created, FileNameOf(*created))) {
        Inform("S'ha creat la col·lecció nova " + *created +
               ", amb les imatges en blanc, i s'ha obert com a destinació.");
    }
}

namespace {

// The copy of the template, its 98 images made white. The copy takes the template's attributes:
// a read-only template would give a read-only collection that could neither be painted nor,
// without administrator rights, removed.
bool PaintNewCollectionWhite(const std::string& path) {
    std::FILE* collection = ResetAttributes(path) ? OpenFile(path, "r+b") : nullptr;
    if (collection == nullptr) {
        return false;
    }
    CCollectionIO().FillWhite(collection, 98);
    const bool painted = !std::ferror(collection);
    return std::fclose(collection) == 0 && painted;
}

} // namespace

std::optional<std::string> CBreltDlg::CreateNewCollection() {
    CFileDialog dialog = CollectionFileDialog(FALSE, "Crea Fitxer...");
    if (dialog.DoModal() != IDOK) {
        return std::nullopt;
    }
    std::string path = dialog.GetPathName();
    std::string name = dialog.GetFileName();
    std::string extension = dialog.GetFileExt();

    if (name.empty()) {
        return std::nullopt;
    }
    if (extension.empty()) {
        path += ".sgc";
    }
    g_strNewPath = ProgramFolder() + "writeable.bin";

    // An existing file is never overwritten, nor are its attributes changed: the user might take
    // it for a fresh collection.
    if (FileExists(path)) {
        Alert("El fitxer " + path +
                  " ja existeix. No s'ha creat cap col·lecció nova i el fitxer no s'ha tocat.",
              MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    if (!FileExists(g_strNewPath)) {
        Alert("No es troba la plantilla " + g_strNewPath +
              ", que ha d'estar al costat del programa. No s'ha creat cap col·lecció.");
        return std::nullopt;
    }
    if (!::CopyFileW(Widen(g_strNewPath).c_str(), Widen(path).c_str(), TRUE)) {
        Alert(::GetLastError() == ERROR_ACCESS_DENIED
                  ? AccessDeniedMessage(path)
                  : "No s'ha pogut crear el fitxer " + path + ".");
        return std::nullopt;
    }
    if (!PaintNewCollectionWhite(path)) {
        // Half a collection is worse than none: the copy is ours to take back.
        std::string failed = "No s'ha pogut preparar la col·lecció nova " + path + ". ";
        if (RemoveFile(path)) {
            Alert(failed + "No s'ha creat.");
        } else {
            Alert(failed + "Ha quedat a mig fer i no s'ha pogut esborrar: esborreu-la vós mateix, "
                           "no la feu servir.");
        }
        return std::nullopt;
    }
    return path;
}
