#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace picture {

// The size of a picture as its file's first bytes declare it, read before any decoder is asked:
// some decoders (Wine's among them) decode the whole frame as soon as they open a file, so a
// picture of a few kilobytes that declares 20000 x 20000 pixels would take gigabytes.
struct PictureHeader {
    enum class Format { Png, Jpeg, Gif, Bmp, Tiff };
    Format format;
    std::uint32_t width;
    std::uint32_t height;
    int bitsPerPixel; // of the decoded frame, as far as the header tells; 32 when it doesn't
};

// The header of a PNG, JPEG, GIF, BMP or TIFF file from its first size bytes; nothing for any
// other kind of file or when the size is not within them.
std::optional<PictureHeader> ReadPictureHeader(const std::uint8_t* data, std::size_t size);

// The most a decoded frame may take before a picture is refused: 100 megapixels, 400 MB.
inline constexpr long long kMaxDecodedPixels = 100'000'000;
inline constexpr long long kMaxDecodedBytes = 400'000'000;
bool IsTooBigToDecode(const PictureHeader& header);

} // namespace picture
