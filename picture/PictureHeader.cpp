#include "picture/PictureHeader.h"

#include <algorithm>
#include <cstring>

namespace picture {

namespace {

// Reads fields at offsets of a buffer; any field beyond its end reads as 0 and clears ok.
struct Fields {
    const std::uint8_t* data;
    std::size_t size;
    bool ok = true;

    std::uint32_t Get(std::size_t at, int bytes, bool bigEndian) {
        if (at > size || size - at < static_cast<std::size_t>(bytes)) {
            ok = false;
            return 0;
        }
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            int shift = 8 * (bigEndian ? bytes - 1 - i : i);
            value |= static_cast<std::uint32_t>(data[at + static_cast<std::size_t>(i)]) << shift;
        }
        return value;
    }
    bool Starts(const char* signature, std::size_t length) const {
        return size >= length && std::memcmp(data, signature, length) == 0;
    }
};

std::optional<PictureHeader> Complete(Fields& f, PictureHeader header) {
    if (!f.ok || header.width == 0 || header.height == 0) {
        return std::nullopt;
    }
    header.bitsPerPixel = std::clamp(header.bitsPerPixel, 1, 64);
    return header;
}

std::optional<PictureHeader> Png(Fields& f) {
    // IHDR comes first: width, height, bit depth, colour type.
    int channels[] = {1, 0, 3, 1, 2, 0, 4};
    std::uint32_t colour = f.Get(25, 1, true);
    int bits = static_cast<int>(f.Get(24, 1, true)) * (colour < 7 ? channels[colour] : 4);
    return Complete(f, {PictureHeader::Format::Png, f.Get(16, 4, true), f.Get(20, 4, true),
                        colour == 3 ? 32 : bits});
}

std::optional<PictureHeader> Gif(Fields& f) {
    return Complete(f, {PictureHeader::Format::Gif, f.Get(6, 2, false), f.Get(8, 2, false), 32});
}

std::optional<PictureHeader> Bmp(Fields& f) {
    std::uint32_t infoSize = f.Get(14, 4, false);
    if (infoSize == 12) { // the old OS/2 header: 16-bit sizes
        return Complete(f, {PictureHeader::Format::Bmp, f.Get(18, 2, false), f.Get(20, 2, false),
                            static_cast<int>(f.Get(24, 2, false))});
    }
    // The width is signed too, and no bitmap is of a negative width.
    auto width = static_cast<std::int32_t>(f.Get(18, 4, false));
    auto height = static_cast<std::int32_t>(f.Get(22, 4, false));
    std::uint32_t absolute =
        height < 0 ? 0u - static_cast<std::uint32_t>(height) : static_cast<std::uint32_t>(height);
    if (width < 0) {
        return std::nullopt;
    }
    return Complete(f, {PictureHeader::Format::Bmp, static_cast<std::uint32_t>(width), absolute,
                        std::max(32, static_cast<int>(f.Get(28, 2, false)))});
}

std::optional<PictureHeader> Jpeg(Fields& f) {
    // Segment after segment up to the start of frame, which holds the size.
    std::size_t at = 2;
    while (f.ok) {
        if (f.Get(at, 1, true) != 0xFF) {
            return std::nullopt;
        }
        std::uint32_t marker = f.Get(at + 1, 1, true);
        if (marker == 0xFF) { // fill bytes
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // no length
            at += 2;
            continue;
        }
        bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            return Complete(f,
                            {PictureHeader::Format::Jpeg, f.Get(at + 7, 2, true),
                             f.Get(at + 5, 2, true), 8 * static_cast<int>(f.Get(at + 9, 1, true))});
        }
        if (marker == 0xD9 || marker == 0xDA) { // the end, or the data, before any frame
            return std::nullopt;
        }
        at += 2 + f.Get(at + 2, 2, true);
    }
    return std::nullopt;
}

std::optional<PictureHeader> Tiff(Fields& f, bool bigEndian) {
    std::size_t ifd = f.Get(4, 4, bigEndian);
    std::uint32_t entries = f.Get(ifd, 2, bigEndian);
    std::uint32_t width = 0, height = 0, bits = 8, samples = 1;
    for (std::uint32_t i = 0; f.ok && i < entries; ++i) {
        std::size_t entry = ifd + 2 + 12 * static_cast<std::size_t>(i);
        std::uint32_t tag = f.Get(entry, 2, bigEndian), type = f.Get(entry + 2, 2, bigEndian);
        // SHORT values sit in the first two bytes of the value field, LONG ones fill it.
        std::uint32_t value =
            type == 3 ? f.Get(entry + 8, 2, bigEndian) : f.Get(entry + 8, 4, bigEndian);
        std::uint32_t count = f.Get(entry + 4, 4, bigEndian);
        switch (tag) {
        case 256:
            width = value;
            break;
        case 257:
            height = value;
            break;
        case 258: // with several samples the value is where the bits of each are: take 16
            bits = count == 1 ? value : 16;
            break;
        case 277:
            samples = value;
            break;
        default:
            break;
        }
    }
    return Complete(f, {PictureHeader::Format::Tiff, width, height,
                        static_cast<int>(std::min<std::uint32_t>(bits * samples, 64))});
}

} // namespace

std::optional<PictureHeader> ReadPictureHeader(const std::uint8_t* data, std::size_t size) {
    Fields f{data, size};
    if (f.Starts("\x89PNG\r\n\x1a\n", 8)) {
        return Png(f);
    }
    if (f.Starts("GIF87a", 6) || f.Starts("GIF89a", 6)) {
        return Gif(f);
    }
    if (f.Starts("BM", 2)) {
        return Bmp(f);
    }
    if (f.Starts("\xFF\xD8", 2)) {
        return Jpeg(f);
    }
    if (f.Starts("II*\0", 4) || f.Starts("MM\0*", 4)) {
        return Tiff(f, data[0] == 'M');
    }
    return std::nullopt;
}

bool IsTooBigToDecode(const PictureHeader& header) {
    long long pixels = static_cast<long long>(header.width) * header.height;
    long long bytes = pixels * ((header.bitsPerPixel + 7) / 8);
    return pixels > kMaxDecodedPixels || bytes > kMaxDecodedBytes;
}

} // namespace picture
