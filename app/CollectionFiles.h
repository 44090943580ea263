#pragma once

#include "platform/FileDialog.h"

#include <string>

// What the commands that open or create collection files share.

// The file dialog over collection files, in the default library folder.
CFileDialog CollectionFileDialog(BOOL openFileDialog, const char* title);

// A read-only collection could not be written: its attributes go back to normal (hidden, system
// and archive go too), as they do for every collection the program opens or creates.
void ClearReadOnly(const std::string& path);

bool FileExists(const std::string& path);
