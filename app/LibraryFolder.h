#pragma once

#include <string>

// Where the paint program's collections really are on current Windows. Everything here is looked
// up when asked, from the environment and the file system, and never remembered or written.

// The start folder of the collection file dialogs: the fixed library folder when it exists;
// otherwise the paint program's library under Program Files (x86), then under Program Files,
// then the user's Documents.
std::string LibraryFolder();

// When path lies under Program Files (either) and Windows keeps a copy of it in the user's
// VirtualStore, that copy: older programs that write there without administrator rights are
// silently redirected to it and from then on see only it. Empty otherwise.
std::string VirtualStoreCopy(const std::string& path);
