#pragma once

#include <windows.h>

#include <string>

// Opens a document (UTF-8 path) in the program the user opens such files with, such as a page in
// their browser; false when none could be started.
bool OpenDocument(HWND owner, const std::string& path);
