#include "text/TextStamps.h"

#include <gtest/gtest.h>

#include <set>

using namespace text;

namespace {

// A drawing of width x height with blocks of full ink, and a faint fringe round the first one,
// as a font engine's smoothing leaves.
Drawing WithBlocks(int width, int height, int baseline, const std::vector<InkBox>& blocks) {
    Drawing drawing{width, height, baseline,
                    std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), 0)};
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const InkBox& block = blocks[b];
        const int fringe = b == 0 ? 1 : 0;
        for (int y = block.top - fringe; y < block.bottom + fringe; ++y) {
            for (int x = block.left - fringe; x < block.right + fringe; ++x) {
                bool inside =
                    x >= block.left && x < block.right && y >= block.top && y < block.bottom;
                drawing.coverage[static_cast<std::size_t>(y * width + x)] = inside ? 255 : 60;
            }
        }
    }
    return drawing;
}

// The rows and columns of the stamp that hold the ink's colour.
InkBox Painted(const editor::Stamp& stamp, editor::Colour ink) {
    InkBox box{editor::kSide, editor::kSide, 0, 0};
    for (int y = 0; y < editor::kSide; ++y) {
        for (int x = 0; x < editor::kSide; ++x) {
            if (stamp.ColourAt({x, y}) == ink) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
        }
    }
    return box;
}

std::set<editor::Colour> ColoursOf(const editor::Stamp& stamp) {
    std::set<editor::Colour> colours;
    for (int i = 0; i < editor::kSide * editor::kSide; ++i) {
        colours.insert(stamp.ColourAt({i % editor::kSide, i / editor::kSide}));
    }
    return colours;
}

const editor::Colour kRed = editor::MakeColour(31, 0, 0);

} // namespace

TEST(TextStamps, TheInkAloneFillsTheStampWithAMarginOfOnePixelCentred) {
    // A tall stroke, 40 x 100, its faint fringe ignored, somewhere in a large drawing.
    const Drawing drawing = WithBlocks(200, 160, 130, {{70, 30, 110, 130}});
    ASSERT_EQ(InkOf(drawing), (InkBox{70, 30, 110, 130}));
    const Placement placement = FitAlone(InkOf(drawing));
    EXPECT_DOUBLE_EQ(placement.scale, 0.3);
    const editor::Stamp stamp = Paint(CoverageIn(drawing, placement), {kRed}, false);
    EXPECT_EQ(Painted(stamp, kRed), (InkBox{10, 1, 22, 31})) << "30 rows high, 12 wide, centred";
    EXPECT_EQ(ColoursOf(stamp), (std::set<editor::Colour>{kRed, editor::kWhite}));
    // A wide one is as wide as the room.
    const Drawing wide = WithBlocks(300, 100, 80, {{10, 40, 290, 80}});
    EXPECT_EQ(Painted(Paint(CoverageIn(wide, FitAlone(InkOf(wide))), {kRed}, false), kRed),
              (InkBox{1, 14, 31, 18}));
}

TEST(TextStamps, AFixedSizeSeriesSharesOneScaleOneBaselineAndOneHeight) {
    // Drawn at one size: a capital from 100 above the baseline to it, a narrow digit as tall,
    // a letter with a descender 30 below it, its body 60 high.
    const int baseline = 120;
    const std::vector<Drawing> series = {
        WithBlocks(200, 160, baseline, {{60, 20, 140, 120}}),
        WithBlocks(200, 160, baseline, {{90, 20, 110, 120}}),
        WithBlocks(200, 160, baseline, {{70, 60, 130, 150}}),
        WithBlocks(200, 160, baseline, {}),
    };
    const std::vector<Placement> placements = FitSeries(series);
    ASSERT_EQ(placements.size(), 4u);
    // From the capital's top (100 above) to the descender's end (30 below): 130 into 30 rows.
    for (const Placement& placement : placements) {
        EXPECT_DOUBLE_EQ(placement.scale, 30.0 / 130);
    }
    std::vector<InkBox> painted;
    for (std::size_t i = 0; i < 3; ++i) {
        painted.push_back(
            Painted(Paint(CoverageIn(series[i], placements[i]), {kRed}, false), kRed));
    }
    EXPECT_EQ(painted[0].top, painted[1].top) << "capital and digit: one height";
    EXPECT_EQ(painted[0].bottom, painted[1].bottom) << "and one baseline";
    EXPECT_EQ(painted[0].top, 1);
    EXPECT_EQ(painted[2].bottom, 31) << "the descender reaches the margin";
    EXPECT_EQ(painted[1].left + painted[1].right, 32) << "each centred across";
    EXPECT_EQ(Paint(CoverageIn(series[3], placements[3]), {kRed}, false), editor::Stamp())
        << "no ink: the background";
}

TEST(TextStamps, SmoothingBlendsTheEdgesAndAnOutlineGoesRoundTheLetters) {
    // A slanting edge: pixels covered in many shares along it.
    Drawing drawing{300, 300, 250, std::vector<std::uint8_t>(300 * 300, 0)};
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 300; ++x) {
            drawing.coverage[static_cast<std::size_t>(y * 300 + x)] = 2 * x + y < 450 ? 255 : 0;
        }
    }
    const Placement placement = FitAlone(InkOf(drawing));
    const auto coverage = CoverageIn(drawing, placement);
    const std::set<editor::Colour> crisp = ColoursOf(Paint(coverage, {kRed}, false));
    const std::set<editor::Colour> smooth = ColoursOf(Paint(coverage, {kRed}, true));
    EXPECT_EQ(crisp, (std::set<editor::Colour>{kRed, editor::kWhite}));
    EXPECT_GT(smooth.size(), 3u) << "blends of red and white along the edge";
    Colours outlined{kRed, editor::kWhite, true, editor::kBlack};
    const editor::Stamp withOutline = Paint(coverage, outlined, false);
    EXPECT_EQ(withOutline.ColourAt({31, 31}), editor::kWhite);
    EXPECT_EQ(withOutline.ColourAt({0, 0}), editor::kWhite) << "the margin";
    EXPECT_EQ(withOutline.ColourAt({6, 0}), editor::kBlack) << "above the ink's top row";
}

TEST(TextStamps, TheEditorsLettersAreTheInkAtItsScaleInOneColourClearRoundIt) {
    // Ink 40 wide and 80 high at (100, 20), with a faint fringe, and a second block of ink.
    const Drawing drawing = WithBlocks(400, 200, 100, {{100, 20, 140, 100}, {180, 60, 200, 100}});
    const editor::Colour red = editor::MakeColour(31, 0, 0);
    const editor::Piece letters = LettersOf(drawing, 0.25, red); // the ink's box, 100 x 80
    ASSERT_EQ(letters.width, 25);
    ASSERT_EQ(letters.height, 20);
    EXPECT_EQ(letters.words, std::vector<editor::Word>(25 * 20, red));
    for (int y = 0; y < 20; ++y) {
        // The first block fills columns 0..9, the second columns 20..24 of the lower half.
        EXPECT_FALSE(letters.IsClear(0, y) || letters.IsClear(9, y)) << y;
        EXPECT_TRUE(letters.IsClear(10, y) && letters.IsClear(19, y)) << y;
        EXPECT_EQ(letters.IsClear(20, y), y < 10) << y;
    }
    EXPECT_EQ(LettersOf(drawing, 0.01, red).width, 1);          // never less than a pixel
    EXPECT_EQ(LettersOf(drawing, 100, red).width, kMaxLetters); // never an unbounded piece
    EXPECT_TRUE(LettersOf(WithBlocks(8, 8, 4, {}), 1, red).words.empty());  // no ink: nothing
    EXPECT_TRUE(LettersOf(Drawing{8, 8, 4, {1, 2}}, 1, red).words.empty()); // lies about its size
}
