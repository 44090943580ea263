#include "collection/BitmapImport.h"

#include "collection/CollectionFormat.h"
#include "collection/StreamBytes.h"

#include <climits>
#include <cstdint>

namespace {

// A little-endian field at offset; false when the file ends before it does.
bool ReadField(std::FILE* f, long long offset, int bytes, long long size, std::uint32_t& value) {
    if (offset + bytes > size || !streambytes::SeekTo(f, offset)) {
        return false;
    }
    value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= static_cast<std::uint32_t>(streambytes::ReadByte(f)) << (8 * i);
    }
    return true;
}

} // namespace

BitmapInspection InspectBitmap(std::FILE* bitmap) {
    constexpr long long kFileHeaderSize = 14;
    BitmapInspection result{false, -1};
    long long size = streambytes::Size(bitmap);
    std::uint32_t pixelOffset = 0, infoSize = 0, width = 0, height = 0, bitsPerPixel = 0,
                  compression = 0;
    bool complete =
        ReadField(bitmap, 10, 4, size, pixelOffset) && ReadField(bitmap, 14, 4, size, infoSize) &&
        ReadField(bitmap, 18, 4, size, width) && ReadField(bitmap, 22, 4, size, height) &&
        ReadField(bitmap, 28, 2, size, bitsPerPixel) && ReadField(bitmap, 30, 4, size, compression);
    streambytes::SeekTo(bitmap, 0);
    // A height of -32 (top row first) reads as a large unsigned number and is refused too.
    result.accepted =
        complete && width == 32 && height == 32 && bitsPerPixel == 24 && compression == 0;
    // In 64 bits: a long is 32 bits on Windows, where an offset near 4 GiB would wrap. An offset
    // that points into the headers would take header bytes for pixels.
    long long offset = pixelOffset;
    if (complete && offset >= kFileHeaderSize + infoSize && offset + bmp::kPixelBlockSize <= size) {
        result.pixelOffset = static_cast<long>(offset);
    } else if (size >= bmp::kPixelBlockSize && size <= LONG_MAX) {
        result.pixelOffset = static_cast<long>(size - bmp::kPixelBlockSize);
    }
    return result;
}
