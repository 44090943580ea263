#include "editor/Colours.h"
#include "editor/Drawing.h"
#include "editor/EditorHistory.h"

#include "../collection/TestFiles.h"

#include <gtest/gtest.h>

#include <set>

using namespace editor;

namespace {

// A stamp whose every word differs, bit 15 set in every other one.
Stamp Patterned() {
    Bytes area = PatternBytes(2048, 161);
    for (std::size_t i = 0; i < area.size(); i += 4) {
        area[i] |= 0x80;
    }
    return Stamp::FromArea(area);
}

int CountOf(const Stamp& stamp, Colour colour) {
    int count = 0;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            count += stamp.ColourAt({x, y}) == colour ? 1 : 0;
        }
    }
    return count;
}

} // namespace

TEST(StampEditor, PaintingTouchesOnlyItsPixelsAndUntouchedWordsKeepBit15) {
    Bytes area = PatternBytes(2048, 161);
    area[0] |= 0x80;
    Stamp stamp = Stamp::FromArea(area);
    EXPECT_EQ(stamp.ToArea(), area) << "words read and written as stored";
    stamp.Paint({5, 0}, MakeColour(31, 0, 0));
    stamp.Paint({-1, 3}, kBlack); // outside: nothing
    stamp.Paint({32, 3}, kBlack);
    Bytes expected = area;
    expected[10] = 0x7C; // pixel 5 of the top row, full red, bit 15 clear
    expected[11] = 0x00;
    EXPECT_EQ(stamp.ToArea(), expected);
    EXPECT_EQ(Stamp::FromArea(Bytes(10, 0xFF)).WordAt({31, 31}), 0) << "missing bytes are zero";
}

TEST(StampEditor, LinesLeaveNoGapsAndRectanglesAreOutlinedOrFilled) {
    for (Point end : {Point{31, 5}, Point{3, 31}, Point{0, 0}, Point{31, 31}, Point{-4, 40}}) {
        std::vector<Point> line = LinePoints({0, 0}, end);
        EXPECT_EQ(line.front(), (Point{0, 0}));
        EXPECT_EQ(line.back(), end);
        for (std::size_t i = 1; i < line.size(); ++i) {
            EXPECT_LE(std::abs(line[i].x - line[i - 1].x), 1);
            EXPECT_LE(std::abs(line[i].y - line[i - 1].y), 1);
        }
        EXPECT_EQ(static_cast<int>(line.size()), std::max(std::abs(end.x), std::abs(end.y)) + 1);
    }
    Stamp outline, filled;
    DrawRectangle(outline, {20, 3}, {2, 12}, kBlack, false);
    DrawRectangle(filled, {2, 3}, {20, 12}, kBlack, true);
    EXPECT_EQ(CountOf(outline, kBlack), 2 * 19 + 2 * 8);
    EXPECT_EQ(CountOf(filled, kBlack), 19 * 10);
    EXPECT_EQ(outline.ColourAt({10, 7}), kWhite);
}

TEST(StampEditor, AFillStopsAtADiagonalAndReplacingAColourTakesEveryPixelOfIt) {
    Stamp stamp;
    DrawLine(stamp, {0, 31}, {31, 0}, kBlack); // a diagonal: no 4-connected way across
    FloodFill(stamp, {0, 0}, MakeColour(0, 0, 31));
    EXPECT_EQ(CountOf(stamp, MakeColour(0, 0, 31)), 31 * 32 / 2);
    EXPECT_EQ(stamp.ColourAt({31, 31}), kWhite);
    Stamp before = stamp;
    FloodFill(stamp, {0, 0}, MakeColour(0, 0, 31)); // already that colour
    EXPECT_EQ(stamp, before);
    ReplaceColour(stamp, kWhite, MakeColour(31, 31, 0));
    EXPECT_EQ(CountOf(stamp, MakeColour(31, 31, 0)), 31 * 32 / 2);
    EXPECT_EQ(CountOf(stamp, kBlack), 32);
    ClearAll(stamp);
    EXPECT_EQ(stamp, Stamp());
}

TEST(StampEditor, TurnsFlipsAndShiftsMoveWholeWordsAndComeBackRound) {
    const Stamp original = Patterned();
    Stamp stamp = original;
    for (int i = 0; i < 4; ++i) {
        RotateLeft(stamp);
    }
    EXPECT_EQ(stamp, original);
    FlipHorizontally(stamp);
    EXPECT_EQ(stamp.WordAt({31, 0}), original.WordAt({0, 0}));
    FlipHorizontally(stamp);
    FlipVertically(stamp);
    FlipVertically(stamp);
    EXPECT_EQ(stamp, original);
    RotateRight(stamp);
    EXPECT_EQ(stamp.WordAt({31, 0}), original.WordAt({0, 0})) << "top left to top right";
    EXPECT_EQ(stamp.WordAt({31, 31}), original.WordAt({31, 0}));
    RotateLeft(stamp);
    EXPECT_EQ(stamp, original);
    Shift(stamp, 1, 0);
    EXPECT_EQ(stamp.WordAt({0, 5}), original.WordAt({31, 5})) << "what leaves comes back";
    Shift(stamp, 31, 32);
    EXPECT_EQ(stamp, original);
    Shift(stamp, -33, 64);
    Shift(stamp, 1, 0);
    EXPECT_EQ(stamp, original);
}

TEST(StampEditor, EveryColourOfferedIsStorableAndASnappedOneRoundTrips) {
    for (int colour = 0; colour < 32768; ++colour) {
        auto c = static_cast<Colour>(colour);
        ASSERT_EQ(SnapToStorable(Shown(c)), c) << colour;
    }
    // A grey chosen is snapped to a grey, as a picture of it is converted, never to a tint.
    EXPECT_EQ(SnapToStorable({216, 215, 216}), MakeColour(26, 26, 26));
    EXPECT_EQ(SnapToStorable({200, 199, 200}), MakeColour(24, 24, 24));
    const auto& palette = ChildrensPalette();
    EXPECT_EQ(palette.size(), 32u);
    EXPECT_EQ(std::set<Colour>(palette.begin(), palette.end()).size(), palette.size());
    for (Colour c : palette) {
        EXPECT_EQ(ColourOf(c), c);
    }
    Stamp stamp;
    DrawRectangle(stamp, {0, 0}, {31, 9}, kBlack, true);
    DrawRectangle(stamp, {0, 10}, {0, 12}, MakeColour(31, 0, 0), true);
    EXPECT_EQ(ColoursByUse(stamp), (std::vector<Colour>{kWhite, kBlack, MakeColour(31, 0, 0)}));
}

TEST(StampEditor, ItsHistoryGoesBackAndForthAndANewChangeDropsWhatCouldBeRedone) {
    EditorHistory history;
    Stamp stamp;
    EXPECT_FALSE(history.Undo(stamp));
    std::vector<Stamp> states{stamp};
    for (int i = 0; i < 3; ++i) {
        history.Push(stamp);
        stamp.Paint({i, i}, kBlack);
        states.push_back(stamp);
    }
    for (int i = 2; i >= 0; --i) {
        EXPECT_TRUE(history.Undo(stamp));
        EXPECT_EQ(stamp, states[static_cast<std::size_t>(i)]);
    }
    EXPECT_TRUE(history.Redo(stamp));
    EXPECT_EQ(stamp, states[1]);
    history.Push(stamp);
    stamp.Paint({9, 9}, kBlack);
    EXPECT_FALSE(history.CanRedo());
    EXPECT_TRUE(history.Undo(stamp));
    EXPECT_EQ(stamp, states[1]);
}
