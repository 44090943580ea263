#include "editor/Colours.h"
#include "editor/Drawing.h"
#include "editor/Stroke.h"
#include "editor/Symmetry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

using namespace editor;

namespace {

const Colour kRed = MakeColour(31, 0, 0);

Colour Grey(int level) {
    return MakeColour(level, level, level);
}

int Painted(const Stamp& stamp, Colour colour) {
    int count = 0;
    for (int i = 0; i < kSide * kSide; ++i) {
        count += stamp.ColourAt({i % kSide, i / kSide}) == colour ? 1 : 0;
    }
    return count;
}

bool IsMirrorImage(const Stamp& stamp, Symmetry symmetry) {
    for (int i = 0; i < kSide * kSide; ++i) {
        Point p{i % kSide, i / kSide};
        for (Point mirror : MirrorsOf(p, symmetry)) {
            if (stamp.WordAt(mirror) != stamp.WordAt(p)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

TEST(Fill, ItsToleranceJoinsAPhotosNearGreysAndStopsAtOtherColours) {
    // A sky of greys one level apart, as a photo converts, split by a red line; a patch of the
    // same greys beyond the line.
    Stamp photo;
    for (int i = 0; i < kSide * kSide; ++i) {
        Point p{i % kSide, i / kSide};
        photo.Paint(p, Grey(22 + (p.x + p.y) % 2));
    }
    DrawLine(photo, {20, 0}, {20, 31}, kRed);
    EXPECT_LT(Distance(Grey(22), Grey(23)), 7.0f); // the default tolerance joins them
    Stamp exact = photo;
    FloodFill(exact, {0, 0}, kBlack, {0, false});
    EXPECT_EQ(Painted(exact, kBlack), 1); // alone among the other grey: a checkerboard
    Stamp near = photo;
    FloodFill(near, {0, 0}, kBlack, FillOptions{});
    EXPECT_EQ(Painted(near, kBlack), 20 * 32); // up to the red line, not across it
    Stamp whole = photo;
    FloodFill(whole, {0, 0}, kBlack, FillOptions{7, true});
    EXPECT_EQ(Painted(whole, kBlack), 31 * 32); // beyond it too; the line stays red
    Stamp wide = photo;
    FloodFill(wide, {0, 0}, kBlack, FillOptions{kMaxTolerance, false});
    EXPECT_EQ(Painted(wide, kBlack), 32 * 32); // 100 joins every colour
}

TEST(Ellipse, EverySizeIsSymmetricTouchesItsBoxAndIsClosed) {
    for (int width = 1; width <= kSide; ++width) {
        for (int height = 1; height <= kSide; ++height) {
            SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
            Stamp outline, filled;
            DrawEllipse(outline, {width - 1, height - 1}, {0, 0}, kBlack, false);
            DrawEllipse(filled, {0, 0}, {width - 1, height - 1}, kBlack, true);
            int touching = 0;
            for (int i = 0; i < kSide * kSide; ++i) {
                Point p{i % kSide, i / kSide}, mirror{width - 1 - p.x, height - 1 - p.y};
                bool in = outline.ColourAt(p) == kBlack;
                ASSERT_FALSE(in && filled.ColourAt(p) != kBlack); // the outline is its edge
                if (in) {
                    ASSERT_EQ(outline.ColourAt({mirror.x, p.y}), kBlack);
                    ASSERT_EQ(outline.ColourAt({p.x, mirror.y}), kBlack);
                    touching |= (p.x == 0) | (p.y == 0) << 1 | (p.x == width - 1) << 2 |
                                (p.y == height - 1) << 3;
                }
            }
            EXPECT_EQ(touching, 15);
            // Closed: a fill from outside the box reaches nothing inside the outline.
            Stamp flooded = outline;
            FloodFill(flooded, {kSide - 1, kSide - 1}, kRed, {0, false});
            Stamp fromOutside = filled;
            FloodFill(fromOutside, {kSide - 1, kSide - 1}, kRed, {0, false});
            if (width < kSide || height < kSide) {
                EXPECT_EQ(Painted(flooded, kRed), Painted(fromOutside, kRed));
            }
        }
    }
}

TEST(Symmetry, EveryToolPaintsItsMirrorImage) {
    const std::vector<std::function<void(Stamp&)>> tools = {
        [](Stamp& s) {
            s.Paint({3, 4}, kRed);
        },
        [](Stamp& s) {
            DrawLine(s, {2, 1}, {14, 9}, kRed);
        },
        [](Stamp& s) {
            DrawRectangle(s, {5, 5}, {20, 11}, kRed, false);
        },
        [](Stamp& s) {
            DrawEllipse(s, {1, 2}, {12, 25}, kRed, true);
        },
        [](Stamp& s) {
            FloodFill(s, {0, 0}, kRed);
        },
    };
    for (Symmetry symmetry : {Symmetry::Vertical, Symmetry::Horizontal, Symmetry::Both}) {
        for (const auto& tool : tools) {
            Stamp before; // with a shape of its own, already symmetric, for the fill to meet
            DrawRectangle(before, {8, 8}, {23, 23}, kBlack, false);
            Stamp after = before;
            tool(after);
            Stamp mirrored = Mirrored(before, after, symmetry);
            EXPECT_TRUE(IsMirrorImage(mirrored, symmetry));
            EXPECT_EQ(Mirrored(before, after, Symmetry::None), after);
        }
    }
    EXPECT_EQ(MirrorsOf({15, 16}, Symmetry::Both),
              (std::vector<Point>{{16, 16}, {15, 15}, {16, 15}})); // the axes lie between
}

TEST(Stroke, APerfectOneHasNoLCornersAndEveryOneStaysJoined) {
    std::mt19937 random(29);
    for (int run = 0; run < 200; ++run) {
        Point at{16, 16};
        Stroke stroke(at, true);
        for (int step = 0; step < 40; ++step) { // a wobbling hand, sometimes a jump
            int reach = step % 7 == 0 ? 5 : 1;
            at.x = std::clamp(at.x + static_cast<int>(random() % (2 * reach + 1)) - reach, 0, 31);
            at.y = std::clamp(at.y + static_cast<int>(random() % (2 * reach + 1)) - reach, 0, 31);
            stroke.Add(at);
        }
        const std::vector<Point>& pixels = stroke.Pixels();
        EXPECT_EQ(pixels.back(), at);
        for (std::size_t i = 1; i < pixels.size(); ++i) {
            ASSERT_LE(std::max(std::abs(pixels[i].x - pixels[i - 1].x),
                               std::abs(pixels[i].y - pixels[i - 1].y)),
                      1);
            if (i >= 2) {
                Point a = pixels[i - 2], c = pixels[i];
                bool diagonal = std::abs(a.x - c.x) == 1 && std::abs(a.y - c.y) == 1;
                ASSERT_FALSE(diagonal &&
                             std::abs(a.x - pixels[i - 1].x) + std::abs(a.y - pixels[i - 1].y) ==
                                 1);
            }
        }
    }
    Stroke stairs({0, 0}, true);
    for (Point p : {Point{1, 0}, Point{1, 1}, Point{2, 1}, Point{2, 2}}) {
        stairs.Add(p);
    }
    EXPECT_EQ(stairs.Pixels(), (std::vector<Point>{{0, 0}, {1, 1}, {2, 2}}));
    Stroke plain({0, 0}, false);
    for (Point p : {Point{1, 0}, Point{1, 1}, Point{3, 1}}) {
        plain.Add(p);
    }
    EXPECT_EQ(plain.Pixels(), (std::vector<Point>{{0, 0}, {1, 0}, {1, 1}, {2, 1}, {3, 1}}));
}
