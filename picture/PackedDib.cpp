#include "picture/PackedDib.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace picture {

namespace {

std::uint32_t Read(const std::uint8_t* data, std::size_t size, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes && at + static_cast<std::size_t>(i) < size; ++i) {
        value |= static_cast<std::uint32_t>(data[at + static_cast<std::size_t>(i)]) << (8 * i);
    }
    return value;
}

// One channel out of a pixel by its mask, scaled to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0, bits = 0;
    explicit Channel(std::uint32_t m = 0)
        : mask(m), shift(m != 0 ? std::countr_zero(m) : 0), bits(m != 0 ? std::popcount(m) : 0) {}
    std::uint8_t Of(std::uint32_t pixel) const {
        if (bits == 0) {
            return 0;
        }
        std::uint32_t value = (pixel & mask) >> shift;
        std::uint32_t top = (1u << std::min(bits, 31)) - 1;
        return static_cast<std::uint8_t>(bits >= 8 ? value >> (bits - 8) : value * 255 / top);
    }
};

constexpr std::uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;

// What a DIB's header says, checked: a size the program takes, a depth and compression it reads.
struct DibHeader {
    std::uint32_t size = 0;
    long long width = 0, height = 0;
    bool topDown = false;
    int bits = 0;
    std::uint32_t compression = kRgb, colours = 0;
    bool Fields() const { return compression == kBitFields || compression == kAlphaBitFields; }
};

std::optional<DibHeader> ReadHeader(const std::uint8_t* data, std::size_t size) {
    DibHeader header;
    header.size = Read(data, size, 0, 4);
    if (header.size == 12) {
        header.width = Read(data, size, 4, 2);
        header.height = static_cast<std::int16_t>(Read(data, size, 6, 2));
        header.bits = static_cast<int>(Read(data, size, 10, 2));
    } else if (header.size >= 40 && header.size <= size) {
        header.width = static_cast<std::int32_t>(Read(data, size, 4, 4));
        header.height = static_cast<std::int32_t>(Read(data, size, 8, 4));
        header.bits = static_cast<int>(Read(data, size, 14, 2));
        header.compression = Read(data, size, 16, 4);
        header.colours = Read(data, size, 32, 4);
    } else {
        return std::nullopt;
    }
    header.topDown = header.height < 0;
    header.height = std::abs(header.height);
    const long long width = header.width, height = header.height;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        width * height > kMaxPixels) {
        return std::nullopt;
    }
    const int bits = header.bits;
    if (!(header.compression == kRgb || (header.Fields() && (bits == 16 || bits == 32))) ||
        !(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32)) {
        return std::nullopt;
    }
    return header;
}

struct Channels {
    Channel red, green, blue, alpha;
};

// The channels' masks: in the header from its V4 form on, after a 40-byte one otherwise (at
// then moves past them); fixed ones for plain 16, 24 and 32 bits.
Channels ReadChannels(const std::uint8_t* data, std::size_t size, const DibHeader& header,
                      std::size_t& at) {
    Channels channels;
    if (header.Fields()) {
        std::size_t masks = header.size >= 52 ? 40 : header.size;
        channels.red = Channel(Read(data, size, masks, 4));
        channels.green = Channel(Read(data, size, masks + 4, 4));
        channels.blue = Channel(Read(data, size, masks + 8, 4));
        if (header.size >= 56 || header.compression == kAlphaBitFields) {
            channels.alpha = Channel(Read(data, size, masks + 12, 4));
        }
        if (header.size == 40) {
            at += header.compression == kAlphaBitFields ? 16 : 12;
        }
    } else if (header.bits == 16) {
        channels = {Channel(0x7C00), Channel(0x03E0), Channel(0x001F), Channel()};
    } else if (header.bits >= 24) {
        channels = {Channel(0xFF0000), Channel(0xFF00), Channel(0xFF), Channel()};
    }
    return channels;
}

// The palette of 1-, 4- and 8-bit pictures, at moved past it; nullopt when it runs off the end.
std::optional<std::vector<std::uint32_t>> ReadPalette(const std::uint8_t* data, std::size_t size,
                                                      const DibHeader& header, std::size_t& at) {
    std::vector<std::uint32_t> palette;
    if (header.bits > 8) {
        return palette;
    }
    const std::uint32_t most = 1u << header.bits;
    std::size_t entries = header.colours != 0 && header.colours <= most ? header.colours : most;
    std::size_t entry = header.size == 12 ? 3 : 4;
    if (at + entries * entry > size) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < entries; ++i) {
        palette.push_back(Read(data, size, at + i * entry, 3));
    }
    at += entries * entry;
    return palette;
}

// The pixel at x of a row, as a palette entry or as the bits the masks take apart.
std::uint32_t PixelOf(const std::uint8_t* line, std::size_t stride, long long x, int bits,
                      const std::vector<std::uint32_t>& palette) {
    if (bits > 8) {
        return Read(line, stride, static_cast<std::size_t>(x) * bits / 8, bits / 8);
    }
    std::size_t bit = static_cast<std::size_t>(x) * bits;
    int index = line[bit / 8] >> (8 - bits - bit % 8) & ((1 << bits) - 1);
    return static_cast<std::size_t>(index) < palette.size()
               ? palette[static_cast<std::size_t>(index)]
               : 0;
}

// Every pixel into picture; true when a 32-bit picture's top bytes carry an alpha somewhere.
bool ReadPixels(const std::uint8_t* pixels, std::size_t stride, const DibHeader& header,
                const Channels& channels, const std::vector<std::uint32_t>& palette,
                Picture& picture) {
    const int bits = header.bits;
    // 32-bit pixels without an alpha mask carry one in their top byte only sometimes.
    const bool topByte = bits == 32 && channels.alpha.bits == 0 && !header.Fields();
    bool anyAlpha = false;
    for (long long row = 0; row < header.height; ++row) {
        const std::uint8_t* line = pixels + static_cast<std::size_t>(row) * stride;
        long long y = header.topDown ? row : header.height - 1 - row;
        std::uint8_t* out = &picture.bgra[static_cast<std::size_t>(y * header.width) * 4];
        for (long long x = 0; x < header.width; ++x, out += 4) {
            const std::uint32_t pixel = PixelOf(line, stride, x, bits, palette);
            out[0] = bits <= 8 ? static_cast<std::uint8_t>(pixel) : channels.blue.Of(pixel);
            out[1] = bits <= 8 ? static_cast<std::uint8_t>(pixel >> 8) : channels.green.Of(pixel);
            out[2] = bits <= 8 ? static_cast<std::uint8_t>(pixel >> 16) : channels.red.Of(pixel);
            out[3] = channels.alpha.bits > 0 ? channels.alpha.Of(pixel)
                     : topByte               ? static_cast<std::uint8_t>(pixel >> 24)
                                             : 255;
            anyAlpha = anyAlpha || (topByte && out[3] != 0);
        }
    }
    return anyAlpha;
}

} // namespace

std::optional<Picture> DecodePackedDib(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < 12) {
        return std::nullopt;
    }
    const std::optional<DibHeader> header = ReadHeader(data, size);
    if (!header) {
        return std::nullopt;
    }
    std::size_t at = header->size;
    const Channels channels = ReadChannels(data, size, *header, at);
    const std::optional<std::vector<std::uint32_t>> palette = ReadPalette(data, size, *header, at);
    const std::size_t stride =
        (static_cast<std::size_t>(header->width) * header->bits + 31) / 32 * 4;
    if (!palette || at > size || (size - at) / stride < static_cast<std::size_t>(header->height)) {
        return std::nullopt; // the header claims more than the block holds
    }
    Picture picture{static_cast<int>(header->width), static_cast<int>(header->height), {}};
    picture.bgra.resize(static_cast<std::size_t>(header->width) * header->height * 4);
    const bool anyAlpha = ReadPixels(data + at, stride, *header, channels, *palette, picture);
    // A top byte that is zero everywhere is no alpha: the picture is opaque.
    if (header->bits == 32 && channels.alpha.bits == 0 && !header->Fields() && !anyAlpha) {
        for (std::size_t i = 3; i < picture.bgra.size(); i += 4) {
            picture.bgra[i] = 255;
        }
    }
    return picture;
}

} // namespace picture
