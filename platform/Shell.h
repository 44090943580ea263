#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

// Opens a document (UTF-8 path) in the program the user opens such files with, such as a page in
// their browser; false when none could be started.
bool OpenDocument(HWND owner, const std::string& path);

// The first file of a drop (UTF-8; "" for none), and where it was let go in the window's client
// coordinates; the drop is released (DragFinish) before it returns, whatever it held.
struct DroppedFile {
    std::string path;
    POINT point{};
};
DroppedFile TakeDrop(HDROP drop);
