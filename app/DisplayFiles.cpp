#include "app/DisplayFiles.h"

#include "platform/Text.h"

#include <windows.h>

std::string DisplayFilePath(const std::string& name) {
    wchar_t folder[MAX_PATH + 1] = {};
    DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    std::string path = length > 0 && length <= MAX_PATH ? Narrow(folder) : std::string();
    if (!path.empty() && path.back() != '\\') {
        path += '\\';
    }
    return path + name;
}
