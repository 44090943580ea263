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
