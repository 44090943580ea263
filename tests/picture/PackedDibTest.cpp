#include "picture/PackedDib.h"

#include "../collection/TestFiles.h"

#include <gtest/gtest.h>

using picture::DecodePackedDib;

namespace {

// A packed DIB: a header of headerSize bytes with these fields, then extra (masks, palette),
// then the rows as given.
Bytes Dib(int width, int height, int bits, int compression, std::uint32_t headerSize,
          const Bytes& extra, const Bytes& rows) {
    Bytes dib(headerSize, 0);
    PutLittleEndian(dib, 0, headerSize, 4);
    PutLittleEndian(dib, 4, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(dib, 8, static_cast<std::uint32_t>(height), 4);
    PutLittleEndian(dib, 12, 1, 2);
    PutLittleEndian(dib, 14, static_cast<std::uint32_t>(bits), 2);
    PutLittleEndian(dib, 16, static_cast<std::uint32_t>(compression), 4);
    dib.insert(dib.end(), extra.begin(), extra.end());
    dib.insert(dib.end(), rows.begin(), rows.end());
    return dib;
}

Bytes Le(std::initializer_list<std::uint32_t> words, int bytes = 4) {
    Bytes out;
    for (std::uint32_t w : words) {
        for (int i = 0; i < bytes; ++i) {
            out.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
        }
    }
    return out;
}

std::vector<std::uint32_t> Pixels(const picture::Picture& p) { // 0xAARRGGBB, top row first
    std::vector<std::uint32_t> out;
    for (std::size_t i = 0; i < p.bgra.size(); i += 4) {
        out.push_back(static_cast<std::uint32_t>(p.bgra[i + 3] << 24 | p.bgra[i + 2] << 16 |
                                                 p.bgra[i + 1] << 8 | p.bgra[i]));
    }
    return out;
}

} // namespace

TEST(PackedDib, EveryKindAClipboardHoldsGivesItsPixelsTopRowFirst) {
    // 24 bits, bottom-up, rows padded to four bytes.
    Bytes rgb24 =
        Dib(2, 2, 24, 0, 40, {}, {0, 0, 255, 0, 255, 0, 0, 0, /**/ 255, 0, 0, 255, 255, 255, 0, 0});
    auto a = DecodePackedDib(rgb24.data(), rgb24.size());
    ASSERT_TRUE(a);
    EXPECT_EQ(Pixels(*a),
              (std::vector<std::uint32_t>{0xFF0000FF, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00}));
    // 32 bits, top-down, a V5 header whose masks say where alpha is.
    Bytes masks = Le({0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000});
    Bytes withAlpha = Dib(2, -1, 32, 3, 124, {}, Le({0x80FF0000, 0x000000FF}));
    std::copy(masks.begin(), masks.end(), withAlpha.begin() + 40);
    auto b = DecodePackedDib(withAlpha.data(), withAlpha.size());
    ASSERT_TRUE(b);
    EXPECT_EQ(Pixels(*b), (std::vector<std::uint32_t>{0x80FF0000, 0x000000FF}));
    // 32 bits without masks: a top byte of zeros everywhere is no alpha.
    Bytes rgb32 = Dib(1, 1, 32, 0, 40, {}, Le({0x0012FF34}));
    EXPECT_EQ(Pixels(*DecodePackedDib(rgb32.data(), rgb32.size())),
              std::vector<std::uint32_t>{0xFF12FF34});
    // 16 bits: 5-6-5 bit fields after a 40-byte header, and the 5-5-5 of plain RGB.
    Bytes r565 = Dib(2, 1, 16, 3, 40, Le({0xF800, 0x07E0, 0x001F}), Le({0xF800, 0x07E0}, 2));
    EXPECT_EQ(Pixels(*DecodePackedDib(r565.data(), r565.size())),
              (std::vector<std::uint32_t>{0xFFFF0000, 0xFF00FF00}));
    Bytes r555 = Dib(2, 1, 16, 0, 40, {}, Le({0x7C00, 0x001F}, 2));
    EXPECT_EQ(Pixels(*DecodePackedDib(r555.data(), r555.size())),
              (std::vector<std::uint32_t>{0xFFFF0000, 0xFF0000FF}));
    // 8 bits through a palette of two colours.
    Bytes paletted = Dib(3, 1, 8, 0, 40, Le({0x00112233, 0x00445566}), {1, 0, 1, 0});
    PutLittleEndian(paletted, 32, 2, 4);
    EXPECT_EQ(Pixels(*DecodePackedDib(paletted.data(), paletted.size())),
              (std::vector<std::uint32_t>{0xFF445566, 0xFF112233, 0xFF445566}));

    // Whatever its header claims, nothing is read beyond the block.
    for (const Bytes& dib : {rgb24, withAlpha, r565, paletted}) {
        for (std::size_t cut = 0; cut < dib.size(); ++cut) {
            EXPECT_FALSE(DecodePackedDib(dib.data(), cut)) << cut;
        }
    }
    Bytes lying = Dib(32, 32, 24, 0, 40, {}, Bytes(3072 - 96, 0)); // one row short
    EXPECT_FALSE(DecodePackedDib(lying.data(), lying.size()));
    Bytes huge = Dib(60000, 60000, 24, 0, 40, {}, Bytes(100, 0));
    EXPECT_FALSE(DecodePackedDib(huge.data(), huge.size()));
    Bytes compressed = Dib(2, 2, 8, 1, 40, {}, Bytes(100, 0)); // RLE: not a clipboard's
    EXPECT_FALSE(DecodePackedDib(compressed.data(), compressed.size()));
}
