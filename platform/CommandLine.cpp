#include "platform/CommandLine.h"

#include "platform/LocalMemory.h"
#include "platform/Text.h"

#include <shellapi.h>

std::vector<std::string> CommandLineArguments() {
    int count = 0;
    CLocalMemory<LPWSTR> arguments(::CommandLineToArgvW(::GetCommandLineW(), &count));
    std::vector<std::string> files;
    for (int i = 1; arguments.Get() != nullptr && i < count; ++i) {
        files.push_back(Narrow(arguments.Get()[i]));
    }
    return files;
}
