#include "collection/CollectionFormat.h"

#include <gtest/gtest.h>

TEST(ImageCount, FollowsTheSizeClassAtItsBoundaries) {
    struct Case {
        long size;
        int count;
    } cases[] = {
        {202752, 98},  {203775, 98}, {203776, 98}, {231423, 98},      {231424, 112},
        {232447, 112}, {232448, 98}, {260095, 98}, {260096, 126},     {261119, 126},
        {261120, 98},  {0, 98},      {-1, 98},     {1024 * 1024, 98},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sgc::ImageCountForSize(c.size), c.count) << "size " << c.size;
    }
}

TEST(RecordOffset, PlacesEachRecordAfterTheHeader) {
    EXPECT_EQ(sgc::RecordOffset(1), 36);
    EXPECT_EQ(sgc::RecordOffset(2), 36 + 2056);
    EXPECT_EQ(sgc::RecordOffset(98), 199468);
    EXPECT_EQ(sgc::RecordOffset(112), 228252);
    EXPECT_EQ(sgc::RecordOffset(126), 257036);
    // The last record of each size class ends before the class's smallest file does.
    EXPECT_EQ(sgc::RecordOffset(99), 201524);
    EXPECT_EQ(sgc::RecordOffset(113), 230308);
    EXPECT_EQ(sgc::RecordOffset(127), 259092);
    EXPECT_LT(sgc::RecordOffset(0), 0);
}

TEST(PixelWord, PacksAndUnpacksEachChannelInItsFiveBits) {
    const unsigned word = sgc::WordFromBytes(0xFC, 0x1F); // bit 15 set, red 31, blue 31
    EXPECT_EQ(sgc::RedOf(word), 31);
    EXPECT_EQ(sgc::GreenOf(word), 0);
    EXPECT_EQ(sgc::BlueOf(word), 31);
    EXPECT_EQ(sgc::PackWord(31, 0, 31), 0x7C1Fu) << "bit 15 is never set by packing";
    EXPECT_EQ(sgc::PackWord(1, 2, 3), 0x0443u);
    EXPECT_EQ(sgc::WordOfShown(255, 7, 8), 0x7C01u) << "each channel's top five bits";
    EXPECT_EQ(sgc::HighByte(0x7C1F), 0x7C);
    EXPECT_EQ(sgc::LowByte(0x7C1F), 0x1F);
    for (int value = 0; value < 32; ++value) { // shown and stored again, every level comes back
        const int shown = sgc::ExpandChannel(value);
        EXPECT_EQ(sgc::WordOfShown(shown, shown, shown), sgc::PackWord(value, value, value));
    }
}
