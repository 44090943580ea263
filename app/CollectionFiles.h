#pragma once

#include "platform/FileDialog.h"

#include <string>

// What the commands that open or create collection files share.

// The file dialog over collection files, in the default library folder.
CFileDialog CollectionFileDialog(BOOL openFileDialog, const char* title);

// A read-only collection could not be written: its attributes go back to normal (hidden, system
// and archive go too), as they do for every collection the program opens or creates.
void ClearReadOnly(const std::string& path);

// Sets the attributes to normal, whatever they were; false when they can't be set.
bool ResetAttributes(const std::string& path);

bool FileExists(const std::string& path);

// Deletes a file of ours, read-only or not; false when it is still there.
bool RemoveFile(const std::string& path);
