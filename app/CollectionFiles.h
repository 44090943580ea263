#pragma once

#include "platform/FileDialog.h"

#include <cstdio>
#include <string>

// What the commands that open or create collection files share.

// The file dialog over collection files, in the library folder that exists.
CFileDialog CollectionFileDialog(BOOL openFileDialog, const char* title);

// A read-only collection could not be written: its attributes go back to normal (hidden, system
// and archive go too), as they do for every collection the program opens or creates.
void ClearReadOnly(const std::string& path);

// Sets the attributes to normal, whatever they were; false when they can't be set.
bool ResetAttributes(const std::string& path);

bool FileExists(const std::string& path);

// A collection opened for reading and writing ("r+b"), or null with the reason.
struct UpdateStream {
    std::FILE* stream;
    // The system refused writing: a folder that only an administrator may change.
    bool accessDenied;
    // Someone else may not write it now (access denied or in use), but it may still be read.
    bool writingRefused;
};
UpdateStream OpenForUpdate(const std::string& path);

// What the user is told when a collection can't be changed because access is denied.
std::string AccessDeniedMessage(const std::string& path);

// Deletes a file of ours, read-only or not; false when it is still there.
bool RemoveFile(const std::string& path);
