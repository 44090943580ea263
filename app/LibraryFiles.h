#pragma once

#include <string>
#include <vector>

// Where the library's collections are and what brelt keeps of them: the library folder (as the
// file dialogs start there) and the folders the user added, remembered in
// %LOCALAPPDATA%\brelt\biblioteca.txt; the index in %LOCALAPPDATA%\brelt\biblioteca.idx.

// Every folder of the library, the library folder first, each once.
std::vector<std::string> LibraryFolders();
// folder added to the library for this run and the next ones; false when it can't be kept.
bool AddLibraryFolder(const std::string& folder);
// "" without a local application data folder: the index is then made anew each time.
std::string LibraryIndexPath();
