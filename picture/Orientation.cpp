#include "picture/Orientation.h"

#include <cstring>

namespace picture {

namespace {

// A bounded reader of TIFF fields in the byte order the EXIF block declares.
struct TiffReader {
    const std::uint8_t* data;
    std::size_t size;
    bool bigEndian;

    bool Has(std::size_t at, std::size_t bytes) const { return at <= size && bytes <= size - at; }
    unsigned Read(std::size_t at, int bytes) const {
        unsigned value = 0;
        for (int i = 0; i < bytes; ++i) {
            int shift = bigEndian ? 8 * (bytes - 1 - i) : 8 * i;
            value |= static_cast<unsigned>(data[at + i]) << shift;
        }
        return value;
    }
};

int OrientationInExif(const std::uint8_t* tiff, std::size_t size) {
    if (size < 8 || (std::memcmp(tiff, "II", 2) != 0 && std::memcmp(tiff, "MM", 2) != 0)) {
        return 1;
    }
    TiffReader reader{tiff, size, tiff[0] == 'M'};
    std::size_t ifd = reader.Read(4, 4);
    if (reader.Read(2, 2) != 42 || !reader.Has(ifd, 2)) {
        return 1;
    }
    unsigned entries = reader.Read(ifd, 2);
    for (unsigned e = 0; e < entries && reader.Has(ifd + 2 + 12 * e, 12); ++e) {
        std::size_t entry = ifd + 2 + 12 * e;
        constexpr unsigned kOrientationTag = 0x0112, kShortType = 3;
        if (reader.Read(entry, 2) == kOrientationTag && reader.Read(entry + 2, 2) == kShortType) {
            unsigned value = reader.Read(entry + 8, 2);
            return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
        }
    }
    return 1;
}

} // namespace

int JpegExifOrientation(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < 4 || data[0] != 0xFF || data[1] != 0xD8) {
        return 1;
    }
    // Segments: FF, a marker, a big-endian length that counts itself, the payload.
    std::size_t at = 2;
    while (at + 4 <= size && data[at] == 0xFF) {
        std::uint8_t marker = data[at + 1];
        std::size_t length = static_cast<std::size_t>(data[at + 2]) << 8 | data[at + 3];
        if (marker == 0xDA || length < 2 || length > size - at - 2) {
            break; // the image data begins, or the segment runs past what was read
        }
        const std::uint8_t* payload = data + at + 4;
        std::size_t payloadSize = length - 2;
        if (marker == 0xE1 && payloadSize >= 6 && std::memcmp(payload, "Exif\0\0", 6) == 0) {
            return OrientationInExif(payload + 6, payloadSize - 6);
        }
        at += 2 + length;
    }
    return 1;
}

void ApplyOrientation(Picture& picture, int orientation) {
    if (orientation < 2 || orientation > 8 || !IsUsable(picture)) {
        return;
    }
    const int w = picture.width, h = picture.height;
    const bool turned = orientation >= 5; // a quarter turn swaps the sides
    Picture upright{turned ? h : w, turned ? w : h, std::vector<std::uint8_t>(picture.bgra.size())};
    for (int y = 0; y < upright.height; ++y) {
        for (int x = 0; x < upright.width; ++x) {
            int sx = x, sy = y;
            switch (orientation) {
            case 2:
                sx = w - 1 - x;
                break; // mirrored
            case 3:
                sx = w - 1 - x;
                sy = h - 1 - y;
                break; // upside down
            case 4:
                sy = h - 1 - y;
                break; // mirrored upside down
            case 5:
                sx = y;
                sy = x;
                break; // mirrored across the diagonal
            case 6:
                sx = y;
                sy = h - 1 - x;
                break; // to be turned clockwise
            case 7:
                sx = w - 1 - y;
                sy = h - 1 - x;
                break; // mirrored across the other diagonal
            default:
                sx = w - 1 - y;
                sy = x;
                break; // 8: to be turned anticlockwise
            }
            std::memcpy(&upright.bgra[(static_cast<std::size_t>(y) * upright.width + x) * 4],
                        &picture.bgra[(static_cast<std::size_t>(sy) * w + sx) * 4], 4);
        }
    }
    picture = std::move(upright);
}

} // namespace picture
