#pragma once

#include "library/LibraryIndex.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The library as its window shows it: each collection file with its stamps, brought up to date
// from the files as they are now and the index of the last time.
namespace library {

// A collection file as it was just read.
struct FileRead {
    std::string path;
    std::optional<std::vector<std::uint8_t>> bytes; // nothing: it could not be read
    std::int64_t modified = 0;
};
using DigestOf = std::function<Sha256(const std::vector<std::uint8_t>&)>;

struct Shelf {
    Entry entry;
    std::vector<StampColours> stamps; // in image order; none unless it is a collection
};

// The shelf for a file just read. Its stamps' prints are taken from `known` when an entry there
// has the same digest (the file unchanged, or moved or renamed), and made anew otherwise.
Shelf ShelfOf(const FileRead& file, const Index& known, const DigestOf& digest);

// The index to keep of shelves.
Index IndexOf(const std::vector<Shelf>& shelves);

} // namespace library
