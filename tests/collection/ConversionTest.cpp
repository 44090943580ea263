#include "TestFiles.h"
#include "collection/CollectionIO.h"

#include <gtest/gtest.h>

namespace {

Bytes Words(std::initializer_list<unsigned> words) {
    Bytes bytes;
    for (unsigned w : words) {
        bytes.push_back(static_cast<std::uint8_t>(w >> 8));
        bytes.push_back(static_cast<std::uint8_t>(w));
    }
    bytes.resize(2048, 0);
    return bytes;
}

Bytes To24(const Bytes& pixels16) {
    UniqueFile src = StreamWith(pixels16), dst = StreamWith({});
    CCollectionIO().Convert16To24(src.get(), dst.get());
    return StreamContent(dst.get());
}

Bytes To16(const Bytes& pixels24) {
    UniqueFile src = StreamWith(pixels24), dst = StreamWith({});
    CCollectionIO().Convert24To16(src.get(), dst.get());
    return StreamContent(dst.get());
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t count) {
    return Bytes(bytes.begin() + static_cast<long>(from),
                 bytes.begin() + static_cast<long>(from + count));
}

} // namespace

TEST(Convert16To24, GivesBlueGreenRedWithTheChannelExpansionRule) {
    Bytes out = To24(Words({0x0001, 0x0004, 0x0421, 0x7C00, 0x03E0, 0x001F, 0x7FFF, 0x8001}));
    ASSERT_EQ(out.size(), 3072u);
    EXPECT_EQ(Slice(out, 0, 3), (Bytes{0x0F, 0x00, 0x00}));
    EXPECT_EQ(Slice(out, 3, 3), (Bytes{0x20, 0x00, 0x00}));
    EXPECT_EQ(Slice(out, 6, 3), (Bytes{0x0F, 0x0F, 0x0F}));
    EXPECT_EQ(Slice(out, 9, 3), (Bytes{0x00, 0x00, 0xFF}));
    EXPECT_EQ(Slice(out, 12, 3), (Bytes{0x00, 0xFF, 0x00}));
    EXPECT_EQ(Slice(out, 15, 3), (Bytes{0xFF, 0x00, 0x00}));
    EXPECT_EQ(Slice(out, 18, 3), (Bytes{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Slice(out, 21, 3), (Bytes{0x0F, 0x00, 0x00})) << "bit 15 is ignored";
    EXPECT_EQ(Slice(out, 24, 3072 - 24), Bytes(3072 - 24, 0));
}

TEST(Convert16To24, ExpandsEveryFiveBitValueAsDocumented) {
    const int expected[32] = {0,   15,  16,  31,  32,  47,  48,  63,  64,  79,  80,
                              95,  96,  111, 112, 127, 128, 143, 144, 159, 160, 175,
                              176, 191, 192, 207, 208, 223, 224, 239, 240, 255};
    Bytes words(2048, 0);
    for (unsigned v = 0; v < 32; ++v) {
        words[2 * v + 1] = static_cast<std::uint8_t>(v); // blue only
    }
    Bytes out = To24(words);
    for (int v = 0; v < 32; ++v) {
        EXPECT_EQ(out[3 * v], expected[v]) << "5-bit value " << v;
    }
}

TEST(Convert24To16, DropsTheLowThreeBitsOfEachChannel) {
    const std::uint8_t first[] = {7,   7, 7,   8, 8,   8, 255, 255, 255, 0,  0,
                                  255, 0, 255, 0, 255, 0, 0,   15,  16,  200};
    Bytes pixels24(3072, 0);
    std::copy(std::begin(first), std::end(first), pixels24.begin());
    Bytes out = To16(pixels24);
    ASSERT_EQ(out.size(), 2048u);
    EXPECT_EQ(Slice(out, 0, 14), (Bytes{0x00, 0x00, 0x04, 0x21, 0x7F, 0xFF, 0x7C, 0x00, 0x03, 0xE0,
                                        0x00, 0x1F, (200 / 8) << 2, (16 / 8) << 5 | 15 / 8}));
}

TEST(Conversion, EveryFifteenBitWordSurvivesTheRoundTrip) {
    for (unsigned block = 0; block < 32; ++block) {
        Bytes words;
        for (unsigned i = 0; i < 1024; ++i) {
            unsigned w = block * 1024 + i;
            words.push_back(static_cast<std::uint8_t>(w >> 8));
            words.push_back(static_cast<std::uint8_t>(w));
        }
        Bytes back = To16(To24(words));
        ASSERT_EQ(back, words) << "block " << block;
        for (std::size_t i = 0; i < back.size(); i += 2) {
            ASSERT_LT(back[i], 0x80) << "bit 15 is never set";
        }
    }
}

TEST(Conversion, ReadsFromTheSourceStartAndAppendsAtTheDestination) {
    Bytes words = PatternBytes(2048, 3);
    UniqueFile src = StreamWith(words); // positioned at its end
    UniqueFile dst = StreamWith({0xAA, 0xBB});
    CCollectionIO().Convert16To24(src.get(), dst.get());
    Bytes out = StreamContent(dst.get());
    ASSERT_EQ(out.size(), 2u + 3072u);
    EXPECT_EQ(Slice(out, 0, 2), (Bytes{0xAA, 0xBB}));
    EXPECT_EQ(Slice(out, 2, 3072), Expected24From16(words));
}

TEST(Conversion, AShortSourceReadsAsBlackAndANullStreamDoesNothing) {
    Bytes out = To24({0x7F, 0xFF, 0x7C});
    ASSERT_EQ(out.size(), 3072u);
    // The second pixel's missing low byte reads as 0: 7C 00, full red.
    EXPECT_EQ(Slice(out, 0, 6), (Bytes{0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF}));
    EXPECT_EQ(Slice(out, 6, 3066), Bytes(3066, 0));
    EXPECT_EQ(To16({}), Bytes(2048, 0));

    UniqueFile dst = StreamWith({1, 2, 3});
    CCollectionIO io;
    io.Convert16To24(nullptr, dst.get());
    io.Convert24To16(nullptr, dst.get());
    io.Convert16To24(dst.get(), nullptr);
    EXPECT_EQ(StreamContent(dst.get()), (Bytes{1, 2, 3}));
}
