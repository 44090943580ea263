#pragma once

#include "collection/PixelAreas.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A collection file's whole content in memory: what brelt compares, backs up and takes areas
// from. Collections are 200 to 260 KB; a file far larger than any collection is not read.

using FileBytes = std::vector<std::uint8_t>;

inline constexpr std::size_t kMaxCollectionFileSize = 16u << 20;

struct FileContent {
    enum class Status { Read, Failed, TooLarge };
    Status status = Status::Failed;
    FileBytes bytes;
    bool ok() const { return status == Status::Read; }
};

// The whole file through an open stream: written bytes are flushed first, and the stream's
// position is left at its start.
FileContent ReadWholeStream(std::FILE* stream);
// The whole file at path (UTF-8), opened for reading only.
FileContent ReadWholeFile(const std::string& path);

// The pixel area of image imageNumber (1 or more) in content; bytes past its end are zeros, as a
// short file reads.
PixelAreaBytes PixelAreaIn(const FileBytes& content, int imageNumber);
