#pragma once

#include "library/StampPrint.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the library knows of each collection file, kept on disk between runs so that a library of
// hundreds of collections opens at once: where it is, its size and when it changed, a digest of
// its bytes, and a print of each stamp. A file whose digest changed is read again.
namespace library {

using Sha256 = std::array<std::uint8_t, 32>;

struct Entry {
    enum class State : std::uint8_t { Collection, NotACollection, Unreadable };
    std::string path; // UTF-8
    std::uint64_t size = 0;
    std::int64_t modified = 0; // the file's last write, as the platform counts it
    Sha256 digest{};
    State state = State::Unreadable;
    std::vector<Print> prints; // one a stamp, in image order
    bool operator==(const Entry&) const = default;
};

struct Index {
    std::vector<Entry> entries;
    bool operator==(const Index&) const = default;
};

// The index as bytes on disk, checked by a fingerprint of them all.
std::vector<std::uint8_t> Serialize(const Index& index);
// Nothing for bytes that are not a whole, undamaged index: it is then built again, never trusted.
std::optional<Index> Parse(const std::vector<std::uint8_t>& bytes);

} // namespace library
