#include "app/DisplayFiles.h"

#include "app/ProgramFolder.h"
#include "platform/FindFiles.h"
#include "platform/Text.h"

#include <windows.h>

#include <cwctype>
#include <vector>

namespace {

const wchar_t kLockName[] = L"brelt.lock"; // ASCII: Wine under LANG=C can't spell more
const wchar_t* const kDisplayNames[] = {L"xzzf.bmp",   L"xzzf2.bmp", L"xzzf3.bmp", L"xzzf4.bmp",
                                        L"xzzf5.bmp",  L"xzzg.bmp",  L"xzzg2.bmp", L"xzzg3.bmp",
                                        L"xzzg4.bmp",  L"xzzg5.bmp", L"zzz.bmp",   L"xzzi.bmp",
                                        L"segell.bmp", kLockName};

std::wstring TempFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) {
        // Never the working folder, which may be the user's library: the program's own.
        return Widen(ProgramFolder());
    }
    std::wstring path(folder, length);
    return path.back() == L'\\' ? path : path + L'\\';
}

std::wstring OwnFolderName() {
    return L"brelt-" + std::to_wstring(::GetCurrentProcessId());
}

// The lock of each folder this brelt has made, open for its whole run; the system deletes the
// lock file when the process ends, however it ends.
std::vector<std::pair<std::wstring, HANDLE>>& Locks() {
    static std::vector<std::pair<std::wstring, HANDLE>> locks;
    return locks;
}

void EnsureOwnFolder(const std::wstring& folder) {
    for (const auto& [made, lock] : Locks()) {
        if (made == folder) {
            return;
        }
    }
    ::CreateDirectoryW(folder.c_str(), nullptr);
    // Shared for reading only: another brelt that tries to delete it is refused, and so learns
    // that this one still runs.
    HANDLE lock =
        ::CreateFileW((folder + kLockName).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                      CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    Locks().push_back({folder, lock});
}

// Removes brelt's own files from folder, then the folder itself if nothing else is in it.
void RemoveDisplayFolder(const std::wstring& folder) {
    for (const wchar_t* name : kDisplayNames) {
        std::wstring file = folder + name;
        ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(file.c_str());
    }
    ::RemoveDirectoryW(folder.c_str());
}

bool IsDisplayFolderName(const std::wstring& name) {
    if (name.rfind(L"brelt-", 0) != 0 || name.size() == 6) {
        return false;
    }
    for (std::size_t i = 6; i < name.size(); ++i) {
        if (!std::iswdigit(name[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string DisplayFilePath(const std::string& name) {
    std::wstring folder = TempFolder() + OwnFolderName() + L"\\";
    EnsureOwnFolder(folder);
    return Narrow(folder) + name;
}

void RemoveAbandonedDisplayFolders() {
    std::wstring temp = TempFolder();
    for (CFindFiles found(temp + L"brelt-*"); found.Valid(); found.Next()) {
        std::wstring name = found.Data().cFileName;
        if (!found.IsFolder() || !IsDisplayFolderName(name) || name == OwnFolderName()) {
            continue;
        }
        std::wstring folder = temp + name + L"\\";
        std::wstring lock = folder + kLockName;
        // A running brelt holds its lock open without sharing deletion: it can't be deleted.
        if (::DeleteFileW(lock.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND) {
            RemoveDisplayFolder(folder);
        }
    }
}

void RemoveOwnDisplayFolder() {
    for (auto& [folder, lock] : Locks()) {
        if (lock != INVALID_HANDLE_VALUE) {
            ::CloseHandle(lock);
        }
        RemoveDisplayFolder(folder);
    }
    Locks().clear();
}
