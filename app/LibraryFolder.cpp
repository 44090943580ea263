#include "app/LibraryFolder.h"

#include "app/ProgramState.h"
#include "platform/FilePaths.h"
#include "platform/Text.h"

#include <windows.h>

#include <shlobj.h>

namespace {

const char* const kLibraryUnderProgramFiles = "\\Orvane\\Krimbo\\Biblioteques\\Segells";

bool IsFolder(const std::string& path) {
    DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path) {
    DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether path lies inside folder, whatever the case of its letters.
bool IsInside(const std::string& path, std::string folder) {
    if (folder.empty()) {
        return false;
    }
    if (folder.back() != '\\') {
        folder += '\\';
    }
    std::wstring widePath = Widen(path), wideFolder = Widen(folder);
    return widePath.size() > wideFolder.size() &&
           ::CompareStringOrdinal(widePath.c_str(), static_cast<int>(wideFolder.size()),
                                  wideFolder.c_str(), static_cast<int>(wideFolder.size()),
                                  TRUE) == CSTR_EQUAL;
}

} // namespace

std::string LibraryFolder() {
    for (const std::string& folder :
         {g_strLibraryDir, EnvironmentValue(L"ProgramFiles(x86)") + kLibraryUnderProgramFiles,
          EnvironmentValue(L"ProgramFiles") + kLibraryUnderProgramFiles}) {
        if (IsFolder(folder)) {
            return folder;
        }
    }
    return DocumentsFolder();
}

std::string VirtualStoreCopy(const std::string& path) {
    std::string localAppData = EnvironmentValue(L"LOCALAPPDATA");
    bool underProgramFiles = IsInside(path, EnvironmentValue(L"ProgramFiles(x86)")) ||
                             IsInside(path, EnvironmentValue(L"ProgramFiles"));
    // Windows keeps the copy at the same path below VirtualStore, without the drive.
    if (localAppData.empty() || !underProgramFiles || path.size() < 3 || path[1] != ':' ||
        path[2] != '\\') {
        return {};
    }
    std::string copy = localAppData + "\\VirtualStore" + path.substr(2);
    return IsFile(copy) ? copy : std::string();
}
