#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Writes that are on the disk, not only in the system's cache, once these return true: what a
// crash or a power cut can't take back.

// Flushes the stream and asks the system to put the file on the disk (FlushFileBuffers on
// Windows, fsync elsewhere).
bool SyncFile(std::FILE* stream);

// Puts bytes in place of the file at path (UTF-8), all or nothing: written beside it, synced,
// then renamed over it. False, with the file as it was, when any step fails.
bool ReplaceFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);
