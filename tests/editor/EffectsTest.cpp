#include "editor/Effects.h"
#include "editor/ColourAdjust.h"
#include "editor/Colours.h"
#include "editor/Drawing.h"

#include "picture/ColourLevels.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace editor;

namespace {

const Colour kRed = MakeColour(31, 0, 0), kBlue = MakeColour(0, 0, 31),
             kYellow = MakeColour(31, 31, 0);

bool NextTo(const Stamp& stamp, Point p, Colour colour, bool corners) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            Point q{p.x + dx, p.y + dy};
            bool side = (dx == 0) != (dy == 0), corner = dx != 0 && dy != 0;
            if ((side || (corner && corners)) && Stamp::Contains(q) &&
                stamp.ColourAt(q) == colour) {
                return true;
            }
        }
    }
    return false;
}

// A pale drawing (a yellow ellipse with a red eye) on a plain background.
Stamp Drawing(Colour background) {
    Stamp stamp;
    DrawRectangle(stamp, {0, 0}, {31, 31}, background, true);
    DrawEllipse(stamp, {6, 4}, {25, 27}, kYellow, true);
    stamp.Paint({12, 12}, kRed);
    return stamp;
}

} // namespace

TEST(Outline, ItsPixelsAreExactlyThoseNextToTheDrawingAndNotInIt) {
    const Colour grey = MakeColour(20, 20, 20);
    for (bool corners : {false, true}) {
        const Stamp drawing = Drawing(grey);
        Stamp outside = drawing;
        DrawOutline(outside, {false, corners, kBlue, std::nullopt}); // the corners' grey
        Stamp inside = drawing;
        DrawOutline(inside, {true, corners, kBlue, grey});
        for (int i = 0; i < kSide * kSide; ++i) {
            Point p{i % kSide, i / kSide};
            bool in = drawing.ColourAt(p) != grey;
            bool outer =
                !in && (NextTo(drawing, p, kYellow, corners) || NextTo(drawing, p, kRed, corners));
            EXPECT_EQ(outside.ColourAt(p) == kBlue, outer) << p.x << "," << p.y;
            EXPECT_EQ(outside.ColourAt(p), outer ? kBlue : drawing.ColourAt(p));
            bool inner = in && NextTo(drawing, p, grey, corners);
            EXPECT_EQ(inside.ColourAt(p), inner ? kBlue : drawing.ColourAt(p));
        }
    }
    // A drawing that reaches the stamp's edge is outlined there from inside.
    Stamp full;
    DrawRectangle(full, {0, 0}, {31, 31}, kRed, true);
    DrawOutline(full, {true, false, kBlue, kWhite});
    EXPECT_EQ(full.ColourAt({0, 5}), kBlue);
    EXPECT_EQ(full.ColourAt({1, 5}), kRed);
}

TEST(Outline, TheBackgroundIsTheColourOfMostCorners) {
    Stamp stamp = Drawing(kWhite);
    stamp.Paint({0, 0}, kRed);
    EXPECT_EQ(CornerColour(stamp), kWhite);
    stamp.Paint({31, 0}, kRed);
    stamp.Paint({0, 31}, kBlue);
    EXPECT_EQ(CornerColour(stamp), kRed);
}

TEST(Shadow, FallsOnTheBackgroundWhereTheMovedDrawingCoversIt) {
    const Stamp drawing = Drawing(kWhite);
    const Colour shade = MakeColour(10, 10, 10);
    for (int dx = -2; dx <= 2; ++dx) {
        for (int dy = -2; dy <= 2; ++dy) {
            Stamp shadowed = drawing;
            DrawShadow(shadowed, {dx, dy, shade, std::nullopt});
            for (int i = 0; i < kSide * kSide; ++i) {
                Point p{i % kSide, i / kSide}, from{p.x - dx, p.y - dy};
                bool under = drawing.ColourAt(p) == kWhite && Stamp::Contains(from) &&
                             drawing.ColourAt(from) != kWhite;
                ASSERT_EQ(shadowed.ColourAt(p), under ? shade : drawing.ColourAt(p));
            }
        }
    }
}

TEST(ColourAdjustment, KeepsPerceivedLightnessAndChangesOnlyWhatItShould) {
    float worst = 0, worstNearest = 0;
    for (int c = 0; c <= 0x7FFF; c += 37) {
        const Colour colour = static_cast<Colour>(c);
        for (int turn : {-150, -60, 30, 90, 180}) {
            for (int chroma : {-50, 0, 60}) {
                ColourAdjustment adjustment{turn, 0, chroma, true};
                float off =
                    std::abs(LightnessOf(Adjusted(colour, adjustment)) - LightnessOf(colour));
                worst = std::max(worst, off);
                adjustment.keepLightness = false;
                worstNearest =
                    std::max(worstNearest, std::abs(LightnessOf(Adjusted(colour, adjustment)) -
                                                    LightnessOf(colour)));
            }
        }
        EXPECT_EQ(Adjusted(colour, {0, 0, 0, true}), colour);
        EXPECT_EQ(Adjusted(colour, {0, 100, 0, true}), kWhite);
        EXPECT_EQ(Adjusted(colour, {0, -100, 0, true}), kBlack);
        // No colour left: a grey, untinted.
        const picture::Oklab grey = picture::OklabOf(
            {picture::LinearOfLevel(sgc::RedOf(Adjusted(colour, {0, 0, -100, true}))),
             picture::LinearOfLevel(sgc::GreenOf(Adjusted(colour, {0, 0, -100, true}))),
             picture::LinearOfLevel(sgc::BlueOf(Adjusted(colour, {0, 0, -100, true})))});
        EXPECT_LE(grey.Chroma(), picture::kNeutralChroma);
    }
    EXPECT_LE(worst, kLightnessTolerance);
    // Simply the nearest colour, lightness goes where the screen's limits take it.
    EXPECT_GT(worstNearest, 2 * kLightnessTolerance);
    std::printf("largest change of lightness: %.4f kept, %.4f nearest\n", worst, worstNearest);
    Stamp stamp = Drawing(kWhite);
    Stamp turned = stamp;
    AdjustColours(turned, {120, 0, 0, true});
    EXPECT_EQ(turned.ColourAt({0, 0}), kWhite); // white has no hue to turn
    EXPECT_NE(turned.ColourAt({16, 16}), kYellow);
    EXPECT_EQ(turned.ColourAt({16, 16}), Adjusted(kYellow, {120, 0, 0, true}));
}
