#pragma once

#include <string>

// The folder of the running program (UTF-8), with its trailing backslash: where the template
// lies, whatever the working folder.
std::string ProgramFolder();
