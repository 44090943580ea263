#include "layout/Zoom.h"

#include <gtest/gtest.h>

using layout::FitWhole;
using layout::Placement;

TEST(Zoom, AStampTakesTheLargestWholeZoomThatFitsCentred) {
    // A slot of the main window under Wine: 46 x 34 at 96 DPI, 69 x 51 at 144, 94 x 67 at 192.
    EXPECT_EQ(FitWhole(46, 34, 32), (Placement{1, 7, 1}));
    EXPECT_EQ(FitWhole(69, 51, 32), (Placement{1, 18, 9}));
    EXPECT_EQ(FitWhole(94, 67, 32), (Placement{2, 15, 1}));
    EXPECT_EQ(FitWhole(64, 64, 32), (Placement{2, 0, 0})) << "exactly";
    EXPECT_EQ(FitWhole(63, 200, 32), (Placement{1, 15, 84})) << "the narrower side decides";
    // Too small for the stamp at all: shown at 1, centred, rather than blurred.
    EXPECT_EQ(FitWhole(20, 40, 32), (Placement{1, -6, 4}));
    EXPECT_EQ(FitWhole(10, 10, 0), (Placement{})) << "nothing to place";
}

TEST(Zoom, LengthsAndZoomsFollowTheDpiRoundedDown) {
    EXPECT_EQ(layout::ForDpi(32, 96), 32);
    EXPECT_EQ(layout::ForDpi(32, 120), 40);
    EXPECT_EQ(layout::ForDpi(7, 144), 10) << "10.5, rounded down";
    EXPECT_EQ(layout::ForDpi(1, 72), 1) << "a length never vanishes";
    EXPECT_EQ(layout::ForDpi(0, 192), 0);
    EXPECT_EQ(layout::ForDpi(1 << 30, 192), 1 << 20) << "no overflow";
    for (auto [zoom, dpi, expected] :
         {std::tuple{4, 96, 4}, std::tuple{4, 120, 5}, std::tuple{4, 144, 6}, std::tuple{4, 192, 8},
          std::tuple{1, 144, 1}, std::tuple{1, 192, 2}, std::tuple{2, 144, 3},
          std::tuple{4, 72, 4}}) {
        EXPECT_EQ(layout::ZoomForDpi(zoom, dpi), expected) << zoom << " at " << dpi;
    }
}

TEST(Zoom, ManyStampsTakeTheLargestZoomTheScreenHolds) {
    // 14 cells of 32 pixels, 4 pixels of border each, on screens of several widths.
    EXPECT_EQ(layout::ZoomWithin(4, 32, 14, 56, 1920), 4);
    EXPECT_EQ(layout::ZoomWithin(4, 32, 14, 56, 1500), 3);
    EXPECT_EQ(layout::ZoomWithin(4, 32, 14, 56, 1000), 2);
    EXPECT_EQ(layout::ZoomWithin(4, 32, 14, 56, 300), 1) << "never below 1";
    EXPECT_EQ(layout::ZoomWithin(2, 32, 14, 56, 5000), 2) << "never above what was wanted";
}
