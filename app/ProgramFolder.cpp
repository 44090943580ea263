#include "app/ProgramFolder.h"

#include "collection/PathNames.h"
#include "platform/Text.h"

#include <windows.h>

#include <vector>

std::string ProgramFolder() {
    // Long enough for any path the system allows, so that deep folders work too.
    std::vector<wchar_t> path(32768, L'\0');
    DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring full(path.data(), length);
    return FolderOf(Narrow(full)) + "\\";
}
