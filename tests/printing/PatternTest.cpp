#include "printing/Pattern.h"

#include "ShapesOf.h"

#include <gtest/gtest.h>

#include <map>

using namespace printing;

namespace {

constexpr editor::Colour kRed = editor::MakeColour(31, 0, 0);
constexpr editor::Colour kBlue = editor::MakeColour(0, 0, 31);

// A white stamp with a red square of 20×10 at (4, 6) and one blue pixel.
editor::Stamp Flag() {
    editor::Stamp stamp;
    for (int y = 6; y < 16; ++y) {
        for (int x = 4; x < 24; ++x) {
            stamp.Paint({x, y}, kRed);
        }
    }
    stamp.Paint({31, 31}, kBlue);
    return stamp;
}

// The squares of every page by where they are on the stamp: their colour and their number.
struct Square {
    Rgb colour;
    std::string number;
};

} // namespace

TEST(Pattern, LegendNumbersTheColoursMostUsedFirst) {
    const std::vector<LegendEntry> legend = LegendOf(Flag());
    ASSERT_EQ(legend.size(), 3u);
    EXPECT_EQ(legend[0], (LegendEntry{editor::kWhite, 1024 - 200 - 1, 1}));
    EXPECT_EQ(legend[1], (LegendEntry{kRed, 200, 2}));
    EXPECT_EQ(legend[2], (LegendEntry{kBlue, 1, 3}));
    EXPECT_EQ(NumberInkOn(RgbOf(kBlue)), 0xFFFFFFu);
    EXPECT_EQ(NumberInkOn(RgbOf(editor::kWhite)), 0x000000u);
}

// At 5 mm a square the whole stamp fits an A4 page: each square at its place and size in its
// colour with its colour's number, the lines on the squares' edges, every tenth bolder, and the
// legend under the grid saying how many pixels each colour has.
TEST(Pattern, BeadSquaresCarryTheirColoursNumberUnderAGridAndALegend) {
    const std::vector<Page> pages =
        PatternPages(kA4, Flag(), kBeadSquare, {"f.sgc · imatge 3", "d"});
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<Shape> fills = ShapesOf(pages[0], Shape::Kind::Fill);
    const std::vector<Shape> texts = ShapesOf(pages[0], Shape::Kind::Text);
    ASSERT_GE(fills.size(), 1024u);
    const Tenths left = fills[0].box.left, top = fills[0].box.top;
    for (int i = 0; i < 1024; ++i) {
        const int x = i % 32, y = i / 32;
        const bool red = x >= 4 && x < 24 && y >= 6 && y < 16;
        const Rgb colour = red ? 0xFF0000 : i == 1023 ? 0x0000FF : 0xFFFFFF;
        EXPECT_EQ(fills[static_cast<std::size_t>(i)].box,
                  (Box{left + x * 50, top + y * 50, 50, 50}));
        EXPECT_EQ(fills[static_cast<std::size_t>(i)].colour, colour) << x << "," << y;
        EXPECT_EQ(texts[static_cast<std::size_t>(i)].text, red ? "2" : i == 1023 ? "3" : "1");
        EXPECT_EQ(texts[static_cast<std::size_t>(i)].box, fills[static_cast<std::size_t>(i)].box);
    }
    // 33 lines each way, centred on the edges.
    std::map<Tenths, Tenths> across, down; // where → width
    for (std::size_t i = 1024; i < 1024 + 66; ++i) {
        const Box& line = fills[i].box;
        (line.height > line.width ? across
                                  : down)[line.height > line.width ? line.left + line.width / 2
                                                                   : line.top + line.height / 2] =
            std::min(line.width, line.height);
    }
    ASSERT_EQ(across.size(), 33u);
    ASSERT_EQ(down.size(), 33u);
    for (int i = 0; i <= 32; ++i) {
        EXPECT_EQ(across[left + i * 50], i % 10 == 0 ? kBoldLine : kThinLine) << i;
        EXPECT_EQ(down[top + i * 50], i % 10 == 0 ? kBoldLine : kThinLine) << i;
    }
    const std::vector<Shape> said(texts.begin() + 1024, texts.end());
    ASSERT_EQ(said.size(), 1u + 3 + 3); // the legend's heading, its entries, the titles
    EXPECT_EQ(said[0].text, "Colors");
    EXPECT_GT(said[0].box.top, top + 32 * 50);
    EXPECT_EQ(said[1].text, "1: 823 píxels");
    EXPECT_EQ(said[2].text, "2: 200 píxels");
    EXPECT_EQ(said[3].text, "3: 1 píxel");
    EXPECT_EQ(said[4].text, "f.sgc · imatge 3");
    EXPECT_LE(said[3].box.Bottom(), ContentArea(kA4).Bottom() - 100);
}

// Squares too large for one page: the grid on several, each square once, each page saying which
// part it holds; squares too small for a number carry none; sizes out of range give no page.
TEST(Pattern, LargeSquaresSpreadOverPagesAndSmallOnesCarryNoNumber) {
    const std::vector<Page> pages = PatternPages(kA4, Flag(), 80, {"f", "d"});
    ASSERT_EQ(PatternTileOf(kA4, 80).columns, 23); // (1900 - 6) / 80
    ASSERT_EQ(PatternTileOf(kA4, 80).rows, 32);
    ASSERT_EQ(pages.size(), 3u); // the grid's two halves fill their pages: the legend after
    EXPECT_EQ(ShapesOf(pages[2], Shape::Kind::Text)[0].text, "Colors");
    int squares = 0;
    for (const Page& page : pages) {
        for (const Shape& fill : ShapesOf(page, Shape::Kind::Fill)) {
            squares += fill.box.width == 80 && fill.box.height == 80;
        }
    }
    EXPECT_EQ(squares, 1024);
    EXPECT_EQ(ShapesOf(pages[0], Shape::Kind::Text)[1024 - 32 * 9].text,
              "Columnes 1–23, files 1–32");
    EXPECT_EQ(ShapesOf(pages[1], Shape::Kind::Text)[32 * 9].text, "Columnes 24–32, files 1–32");

    const std::vector<Page> small = PatternPages(kA4, Flag(), 25, {"f", "d"});
    ASSERT_EQ(small.size(), 1u);
    EXPECT_EQ(ShapesOf(small[0], Shape::Kind::Text).size(), 1u + 3 + 3);
    EXPECT_TRUE(PatternPages(kA4, Flag(), kSmallestSquare - 1, {"f", "d"}).empty());
    EXPECT_TRUE(PatternPages(kA4, Flag(), kLargestSquare + 1, {"f", "d"}).empty());
}

// A stamp of 1024 colours: the legend goes on over further pages, every colour once.
TEST(Pattern, ALegendTooLongForOnePageGoesOn) {
    editor::Stamp stamp;
    for (int i = 0; i < 1024; ++i) {
        stamp.Paint({i % 32, i / 32}, static_cast<editor::Colour>(i * 31));
    }
    const std::vector<Page> pages = PatternPages(kA4, stamp, kBeadSquare, {"f", "d"});
    ASSERT_GT(pages.size(), 2u);
    int entries = 0;
    for (const Page& page : pages) {
        for (const Shape& text : ShapesOf(page, Shape::Kind::Text)) {
            entries += text.text.ends_with(": 1 píxel");
            EXPECT_TRUE(ContentArea(kA4).Contains(text.box)) << text.text;
        }
    }
    EXPECT_EQ(entries, 1024);
    EXPECT_EQ(ShapesOf(pages[1], Shape::Kind::Text)[0].text, "Colors (continuació)");
}
