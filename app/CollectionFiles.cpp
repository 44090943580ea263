#include "app/CollectionFiles.h"

#include "app/ProgramState.h"
#include "platform/Text.h"

CFileDialog CollectionFileDialog(BOOL openFileDialog, const char* title) {
    CFileDialog dialog(openFileDialog, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT,
                       "SGC Files (*.sgc)|*.sgc||", nullptr);
    dialog.SetTitle(title);
    dialog.SetInitialFolder(g_strLibraryDir);
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
