#include "app/CollectionFiles.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "collection/CollectionIO.h"
#include "collection/FileOpen.h"

#include <vector>

namespace {

// The folder of the running program, with its trailing backslash.
std::string ProgramFolder() {
    std::vector<wchar_t> path(32768, L'\0');
    DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring full(path.data(), length);
    return Narrow(full.substr(0, full.find_last_of(L'\\') + 1));
}

} // namespace

void CBreltDlg::OnGenerateCollection() {
    CFileDialog dialog = CollectionFileDialog(FALSE, "Crea Fitxer...");
    if (dialog.DoModal() != IDOK) {
        return;
    }
    std::string path = dialog.GetPathName();
    std::string name = dialog.GetFileName();
    std::string extension = dialog.GetFileExt();

    ClearReadOnly(path);
    if (name.empty()) {
        return;
    }
    if (extension.empty()) {
        path += ".sgc";
    }
    g_strNewPath = ProgramFolder() + "writeable.bin";

    // An existing file is never overwritten: the user might take it for a fresh collection.
    if (FileExists(path)) {
        Alert("El fitxer " + path +
                  " ja existeix. No s'ha creat cap col.lecció nova i el fitxer no s'ha tocat.",
              MB_ICONEXCLAMATION);
        return;
    }
    if (!FileExists(g_strNewPath)) {
        Alert("No es troba la plantilla " + g_strNewPath +
              ", que ha d'estar al costat del programa. No s'ha creat cap col.lecció.");
        return;
    }
    if (!::CopyFileW(Widen(g_strNewPath).c_str(), Widen(path).c_str(), TRUE)) {
        Alert("No s'ha pogut crear el fitxer " + path + ".");
        return;
    }
    std::FILE* collection = OpenFile(path, "r+b");
    bool painted = false;
    if (collection != nullptr) {
        CCollectionIO().FillWhite(collection, 98);
        painted = !std::ferror(collection);
        painted = std::fclose(collection) == 0 && painted;
    }
    if (!painted) {
        // Half a collection is worse than none: the copy is ours to take back.
        ::DeleteFileW(Widen(path).c_str());
        Alert("No s'ha pogut preparar la col.lecció nova " + path + ". No s'ha creat.");
    }
}
