#pragma once

#include "collection/FileContent.h"

#include <ctime>
#include <string>
#include <system_error>

// Copies of whole collections, made before brelt changes one: the first time in a session, and
// again whenever another program has changed it since. Every collection has a folder of its own
// under the backup folder, "<name> (<folder>)", whose "origen.txt" names the collection by its
// full path and lists its copies in the order they were made; "índex.txt" beside the folders
// lists every copy with its collection. Restoring is a plain copy of one of those files.

inline constexpr int kBackupsKept = 20; // of each collection

struct BackupResult {
    std::string copy;      // the copy's path (UTF-8), empty when none could be made
    std::error_code error; // why not, as the system said
    enum class Failed { Nothing, Folder, Write, Check };
    Failed failed = Failed::Nothing;
};

// Writes content as a new copy of the collection whose full path is collectionPath (UTF-8), as
// "<name> <YYYY-MM-DD HH.MM.SS>.sgc" with the local time `when` ("... (2).sgc" and on for more
// copies in one second), and reads it back: only a copy equal to content counts. Then deletes
// that collection's oldest copies beyond kBackupsKept, never the one just made, and writes the
// index anew.
BackupResult BackUpCollection(const FileBytes& content, const std::string& collectionPath,
                              const std::string& root, std::time_t when);

// The name of the folder that keeps a collection's copies: its file name without the extension,
// then the name of the folder it lies in.
std::string BackupFolderName(const std::string& collectionPath);
