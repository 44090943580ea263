#include "app/CollectionFiles.h"

#include "app/LibraryFolder.h"
#include "collection/FileOpen.h"
#include "platform/Text.h"

#include <cerrno>
#include <cstdlib>

CFileDialog CollectionFileDialog(BOOL openFileDialog, const char* title) {
    CFileDialog dialog(openFileDialog, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT,
                       "SGC Files (*.sgc)|*.sgc||", nullptr);
    dialog.SetTitle(title);
    dialog.SetInitialFolder(LibraryFolder());
    return dialog;
}

void ClearReadOnly(const std::string& path) {
    std::wstring widePath = Widen(path);
    DWORD attributes = ::GetFileAttributesW(widePath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ::SetFileAttributesW(widePath.c_str(), attributes & FILE_ATTRIBUTE_NORMAL);
    }
}

bool ResetAttributes(const std::string& path) {
    return ::SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
}

bool FileExists(const std::string& path) {
    return ::GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RemoveFile(const std::string& path) {
    ResetAttributes(path);
    return ::DeleteFileW(Widen(path).c_str()) != 0 || !FileExists(path);
}

UpdateStream OpenForUpdate(const std::string& path) {
    errno = 0;
    _doserrno = 0;
    std::FILE* stream = OpenFile(path, "r+b");
    // The runtime keeps the system's own reason beside errno: access denied (a protected
    // folder) is told apart from a file in use.
    return {stream, stream == nullptr && _doserrno == ERROR_ACCESS_DENIED,
            stream == nullptr && errno == EACCES};
}

std::string AccessDeniedMessage(const std::string& path) {
    return "La col·lecció " + path +
           " és en una carpeta que només pot canviar un administrador, i brelt no hi pot "
           "escriure.\nCopieu-la o creeu-la en una altra carpeta (per exemple, Documents), o bé "
           "inicieu brelt com a administrador.";
}
