#include "app/DisplayFiles.h"

#include "app/ProgramFolder.h"
#include "platform/Text.h"

#include <windows.h>

std::string DisplayFilePath(const std::string& name) {
    wchar_t folder[MAX_PATH + 1] = {};
    DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) {
        // Never the working folder, which may be the user's library: the program's own.
        return ProgramFolder() + name;
    }
    std::string path = Narrow(folder);
    if (path.back() != '\\') {
        path += '\\';
    }
    return path + name;
}
