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

} // namespace

std::optional<Picture> DecodePackedDib(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < 12) {
        return std::nullopt;
    }
    const std::uint32_t headerSize = Read(data, size, 0, 4);
    long long width = 0, height = 0;
    int bits = 0;
    std::uint32_t compression = kRgb, colours = 0;
    if (headerSize == 12) {
        width = Read(data, size, 4, 2);
        height = static_cast<std::int16_t>(Read(data, size, 6, 2));
        bits = static_cast<int>(Read(data, size, 10, 2));
    } else if (headerSize >= 40 && headerSize <= size) {
        width = static_cast<std::int32_t>(Read(data, size, 4, 4));
        height = static_cast<std::int32_t>(Read(data, size, 8, 4));
        bits = static_cast<int>(Read(data, size, 14, 2));
        compression = Read(data, size, 16, 4);
        colours = Read(data, size, 32, 4);
    } else {
        return std::nullopt;
    }
    const bool topDown = height < 0;
    height = std::abs(height);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        width * height > kMaxPixels) {
        return std::nullopt;
    }
    const bool fields = compression == kBitFields || compression == kAlphaBitFields;
    if (!(compression == kRgb || (fields && (bits == 16 || bits == 32))) ||
        !(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32)) {
        return std::nullopt;
    }

    // Masks: in the header from its V4 form on, after a 40-byte one otherwise.
    std::size_t at = headerSize;
    Channel red, green, blue, alpha;
    if (fields) {
        std::size_t masks = headerSize >= 52 ? 40 : headerSize;
        red = Channel(Read(data, size, masks, 4));
        green = Channel(Read(data, size, masks + 4, 4));
        blue = Channel(Read(data, size, masks + 8, 4));
        if (headerSize >= 56 || compression == kAlphaBitFields) {
            alpha = Channel(Read(data, size, masks + 12, 4));
        }
        if (headerSize == 40) {
            at += compression == kAlphaBitFields ? 16 : 12;
        }
    } else if (bits == 16) {
        red = Channel(0x7C00), green = Channel(0x03E0), blue = Channel(0x001F);
    } else if (bits >= 24) {
        red = Channel(0xFF0000), green = Channel(0xFF00), blue = Channel(0xFF);
    }
    std::vector<std::uint32_t> palette;
    if (bits <= 8) {
        std::size_t entries = colours != 0 && colours <= (1u << bits) ? colours : 1u << bits;
        std::size_t entry = headerSize == 12 ? 3 : 4;
        if (at + entries * entry > size) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < entries; ++i) {
            palette.push_back(Read(data, size, at + i * entry, 3));
        }
        at += entries * entry;
    }
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    if (at > size || (size - at) / stride < static_cast<std::size_t>(height)) {
        return std::nullopt; // the header claims more than the block holds
    }

    Picture picture{static_cast<int>(width), static_cast<int>(height), {}};
    picture.bgra.resize(static_cast<std::size_t>(width) * height * 4);
    bool anyAlpha = false;
    for (long long row = 0; row < height; ++row) {
        const std::uint8_t* line = data + at + static_cast<std::size_t>(row) * stride;
        long long y = topDown ? row : height - 1 - row;
        std::uint8_t* out = &picture.bgra[static_cast<std::size_t>(y * width) * 4];
        for (long long x = 0; x < width; ++x, out += 4) {
            std::uint32_t pixel = 0;
            if (bits <= 8) {
                std::size_t bit = static_cast<std::size_t>(x) * bits;
                int index = line[bit / 8] >> (8 - bits - bit % 8) & ((1 << bits) - 1);
                pixel = static_cast<std::size_t>(index) < palette.size()
                            ? palette[static_cast<std::size_t>(index)]
                            : 0;
            } else {
                pixel = Read(line, stride, static_cast<std::size_t>(x) * bits / 8, bits / 8);
            }
            out[0] = bits <= 8 ? static_cast<std::uint8_t>(pixel) : blue.Of(pixel);
            out[1] = bits <= 8 ? static_cast<std::uint8_t>(pixel >> 8) : green.Of(pixel);
            out[2] = bits <= 8 ? static_cast<std::uint8_t>(pixel >> 16) : red.Of(pixel);
            // 32-bit pixels without an alpha mask carry one in their top byte only sometimes.
            bool topByte = bits == 32 && alpha.bits == 0 && !fields;
            out[3] = alpha.bits > 0 ? alpha.Of(pixel)
                     : topByte      ? static_cast<std::uint8_t>(pixel >> 24)
                                    : 255;
            anyAlpha = anyAlpha || (topByte && out[3] != 0);
        }
    }
    // A top byte that is zero everywhere is no alpha: the picture is opaque.
    if (bits == 32 && alpha.bits == 0 && !fields && !anyAlpha) {
        for (std::size_t i = 3; i < picture.bgra.size(); i += 4) {
            picture.bgra[i] = 255;
        }
    }
    return picture;
}

} // namespace picture
