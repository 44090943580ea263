#pragma once

#include <string>
#include <string_view>

// The program keeps its texts and paths in UTF-8 and talks to Windows in UTF-16, so that its
// Catalan texts and any file name show right whatever the system's ANSI code page.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
