#include "library/Shelves.h"

#include "collection/CollectionFormat.h"
#include "collection/FileContent.h"

namespace library {

namespace {

// The entry known for these bytes: the one at the same path first, then any with the digest.
// No digest (all zero: the platform could not make one) matches nothing, so that two files
// without one never share their prints.
const Entry* KnownFor(const Index& known, const std::string& path, const Sha256& digest) {
    if (digest == Sha256{}) {
        return nullptr;
    }
    const Entry* moved = nullptr;
    for (const Entry& entry : known.entries) {
        if (entry.digest == digest && entry.state == Entry::State::Collection) {
            if (entry.path == path) {
                return &entry;
            }
            moved = moved != nullptr ? moved : &entry;
        }
    }
    return moved;
}

} // namespace

Shelf ShelfOf(const FileRead& file, const Index& known, const DigestOf& digest) {
    Shelf shelf;
    Entry& entry = shelf.entry;
    entry.path = file.path;
    entry.modified = file.modified;
    if (!file.bytes) {
        return shelf; // unreadable
    }
    const FileBytes& bytes = *file.bytes;
    entry.size = bytes.size();
    entry.digest = digest(bytes);
    if (!sgc::HasCollectionSize(static_cast<long long>(bytes.size()))) {
        entry.state = Entry::State::NotACollection;
        return shelf;
    }
    entry.state = Entry::State::Collection;
    const int count = sgc::ImageCountForSize(static_cast<long>(bytes.size()));
    for (int image = 1; image <= count; ++image) {
        shelf.stamps.push_back(ColoursOfArea(PixelAreaIn(bytes, image)));
    }
    const Entry* same = KnownFor(known, file.path, entry.digest);
    if (same != nullptr && same->prints.size() == shelf.stamps.size()) {
        entry.prints = same->prints;
    } else {
        for (const StampColours& stamp : shelf.stamps) {
            entry.prints.push_back(PrintOf(stamp));
        }
    }
    return shelf;
}

Index IndexOf(const std::vector<Shelf>& shelves) {
    Index index;
    for (const Shelf& shelf : shelves) {
        index.entries.push_back(shelf.entry);
    }
    return index;
}

} // namespace library
