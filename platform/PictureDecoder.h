#pragma once

#include "collection/FileKinds.h"
#include "picture/Picture.h"

#include <optional>
#include <string>
#include <vector>

// Decodes a picture file (path in UTF-8) with the system's own codecs, Windows Imaging
// Component: PNG, JPEG, GIF, TIFF, BMP and whatever else the user has installed. Gives frame 0
// as straight blue-green-red-alpha pixels, turned upright as a JPEG's EXIF orientation says; a
// picture above 50 megapixels is first reduced to 4096 pixels on its long side by the codec's
// own scaler. COM must be initialised on the calling thread.
//
// A picture whose header declares a frame too big to decode (picture::IsTooBigToDecode) is
// decided on before any decoder opens it: a JPEG whose decoder can reduce while decoding is
// decoded reduced; any other is refused as too big.
struct DecodedPicture {
    std::optional<picture::Picture> picture; // nothing when it could not be decoded
    bool tooBig = false;                     // refused for its size
    bool bitmap = false;                     // a BMP file, by its header
    unsigned width = 0, height = 0;          // the size it declares, when too big
    std::optional<FileKind> kind;            // not decoded: what its first bytes say it is
};
DecodedPicture DecodePicture(const std::string& path);
// The same for a picture file's bytes held in memory, such as a "PNG" on the clipboard.
DecodedPicture DecodePictureData(const std::vector<std::uint8_t>& data);
