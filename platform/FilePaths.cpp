#include "platform/FilePaths.h"

#include "platform/Text.h"

#include <windows.h>

#include <shlobj.h>

#include <vector>

namespace {

const wchar_t kExtendedPrefix[] = L"\\\\?\\";
const wchar_t kExtendedUncPrefix[] = L"\\\\?\\UNC\\";

std::wstring WithoutPrefix(std::wstring path) {
    if (path.rfind(kExtendedUncPrefix, 0) == 0) {
        return L"\\\\" + path.substr(8);
    }
    if (path.rfind(kExtendedPrefix, 0) == 0) {
        return path.substr(4);
    }
    return path;
}

std::wstring FullPath(const std::wstring& path) {
    DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return path;
    }
    std::wstring full(length, L'\0');
    length = ::GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    full.resize(length);
    return full;
}

std::string KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR folder = nullptr;
    std::string path;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &folder))) {
        path = Narrow(folder);
    }
    ::CoTaskMemFree(folder);
    return path;
}

} // namespace

std::string PicturesFolder() {
    return KnownFolder(FOLDERID_Pictures);
}

std::string DocumentsFolder() {
    return KnownFolder(FOLDERID_Documents);
}

std::string ResolvedPath(const std::string& path) {
    std::wstring wide = ExtendedPath(path);
    // Opened for no access at all: asking a file its name needs no right to read it, and no
    // other program is kept from anything.
    HANDLE file =
        ::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        std::vector<wchar_t> name(32768, L'\0');
        DWORD length =
            ::GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        ::CloseHandle(file);
        if (length > 0 && length < name.size()) {
            return Narrow(WithoutPrefix(std::wstring(name.data(), length)));
        }
    }
    // No final name to ask for: the long form of the full path, as far as it exists.
    std::wstring full = FullPath(WithoutPrefix(wide));
    std::vector<wchar_t> longName(32768, L'\0');
    DWORD length = ::GetLongPathNameW(full.c_str(), longName.data(), 32768);
    return Narrow(length > 0 && length < 32768 ? std::wstring(longName.data(), length) : full);
}

std::string AbsolutePath(const std::string& path) {
    return Narrow(FullPath(Widen(path)));
}

std::string CollectionKey(const std::string& path) {
    std::wstring resolved = Widen(ResolvedPath(path));
    ::CharUpperBuffW(resolved.data(), static_cast<DWORD>(resolved.size()));
    return Narrow(resolved);
}

std::wstring ExtendedPath(const std::string& path) {
    std::wstring wide = Widen(path);
    if (wide.size() < MAX_PATH - 12 || wide.rfind(kExtendedPrefix, 0) == 0) {
        return wide;
    }
    std::wstring full = FullPath(wide);
    // The prefix turns off the system's own parsing: the path must be whole and use backslashes.
    for (wchar_t& c : full) {
        c = c == L'/' ? L'\\' : c;
    }
    if (full.rfind(L"\\\\", 0) == 0) {
        return kExtendedUncPrefix + full.substr(2);
    }
    return kExtendedPrefix + full;
}

std::string ShownPath(const std::string& path) {
    return Narrow(WithoutPrefix(Widen(path)));
}

std::string EnvironmentValue(const wchar_t* name) {
    DWORD length = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (length == 0) {
        return {};
    }
    std::wstring value(length, L'\0');
    length = ::GetEnvironmentVariableW(name, value.data(), length);
    value.resize(length);
    return Narrow(value);
}
