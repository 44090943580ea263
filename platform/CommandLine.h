#pragma once

#include <string>
#include <vector>

// The arguments the program was started with, after its own path, split as Windows splits them
// (quotes, backslashes) and in UTF-8.
std::vector<std::string> CommandLineArguments();
