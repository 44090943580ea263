#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// What a file seems to be by its first bytes, when that is something other than a collection: a
// picture, an archive, a document. A collection has no signature of its own, so a file that is
// none of these may still be one; these are the kinds that can't be.
struct FileKind {
    enum class Family {
        Picture,     // a picture format: PNG, JPEG, SVG, HEIC...
        NotAPicture, // an archive, a document, a sound, a program
    };
    Family family;
    std::string name;   // in a sentence: "una imatge PNG", "un document PDF"
    std::string format; // the format's short name: "PNG", "PDF"
    bool decodedAlways; // a picture the system always decodes (PNG, JPEG, GIF, BMP, TIFF)
};

// How many of a file's first bytes RecogniseFileKind looks at, at most.
inline constexpr std::size_t kFileKindBytes = 4096;

// The kind of file whose first bytes are data[0..size), or nothing when they are none of the
// known signatures (a collection, or a file of a kind not in the table).
std::optional<FileKind> RecogniseFileKind(const std::uint8_t* data, std::size_t size);
