#include "sheet/Sheet.h"

#include "picture/ColourLevels.h"

#include "../collection/TestFiles.h"

#include <gtest/gtest.h>

#include <random>

using picture::Picture;
using picture::Stamp;

namespace {

Picture White(int width, int height) {
    return {width, height,
            std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4, 255)};
}

void Put(Picture& p, int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b,
         std::uint8_t a = 255) {
    std::uint8_t* px = &p.bgra[(static_cast<std::size_t>(y) * p.width + x) * 4];
    px[0] = b, px[1] = g, px[2] = r, px[3] = a;
}

// A stamp of colours a collection stores, different for every seed.
Stamp RandomStamp(unsigned seed) {
    std::mt19937 random(seed);
    Stamp stamp{};
    for (std::size_t i = 0; i < stamp.size(); ++i) {
        int level = static_cast<int>(random() % 32);
        stamp[i] = static_cast<std::uint8_t>(level * 8 + (level % 2 ? 7 : 0));
    }
    return stamp;
}

// brelt's sheet of stamps as its export draws it: each at 4x two pixels in, a "number" under it.
Picture BreltSheet(const std::vector<Stamp>& stamps) {
    int rows = static_cast<int>((stamps.size() + 13) / 14);
    Picture sheet = White(14 * 136, rows * 160);
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        int left = static_cast<int>(i % 14) * 136, top = static_cast<int>(i / 14) * 160;
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 128; ++x) {
                const std::uint8_t* s =
                    &stamps[i][static_cast<std::size_t>((y / 4) * 32 + x / 4) * 3];
                Put(sheet, left + 2 + x, top + 2 + y, s[2], s[1], s[0]);
            }
        }
        for (int x = 60; x < 76; ++x) { // the number, somewhere in the label under the stamp
            Put(sheet, left + x, top + 140, 0, 0, 0);
        }
    }
    return sheet;
}

} // namespace

TEST(Sheet, CellsAreCutWithTheirMarginAndSpacingAndMustFitThePicture) {
    sheet::Layout layout{3, 2, 10, 8, 5, 2};
    EXPECT_EQ(sheet::CellRect(layout, 0), (sheet::Rect{5, 5, 10, 8}));
    EXPECT_EQ(sheet::CellRect(layout, 4), (sheet::Rect{17, 15, 10, 8}));
    EXPECT_TRUE(sheet::Fits(layout, 5 + 3 * 10 + 2 * 2, 5 + 2 * 8 + 2));
    EXPECT_FALSE(sheet::Fits(layout, 5 + 3 * 10 + 2 * 2 - 1, 100));
    EXPECT_FALSE(sheet::Fits({0, 2, 10, 8, 0, 0}, 100, 100));
    EXPECT_FALSE(sheet::Fits({3, 2, 10, 8, -1, 0}, 100, 100));

    // Tiles of 16 x 16 pixel art, with margin and spacing: each enlarged whole, pixel for pixel.
    Picture tiles = White(2 + 2 * 16 + 3, 2 + 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            Put(tiles, 2 + x, 2 + y, x % 2 ? 255 : 0, 0, y % 2 ? 255 : 0);
            Put(tiles, 2 + 16 + 3 + x, 2 + y, 0, 255, 0);
        }
    }
    sheet::Layout grid{2, 1, 16, 16, 2, 3};
    auto first = sheet::StampOfCell(tiles, grid, 0, false);
    ASSERT_TRUE(first);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const std::uint8_t* px = &(*first)[static_cast<std::size_t>(y * 32 + x) * 3];
            EXPECT_EQ(px[2], (x / 2) % 2 ? 255 : 0);
            EXPECT_EQ(px[0], (y / 2) % 2 ? 255 : 0);
        }
    }
    EXPECT_FALSE(sheet::StampOfCell(tiles, grid, 2, false)) << "no third cell";
}

TEST(Sheet, BreltsOwnSheetOf126StampsComesBackExactlyAndAsDrawnOver) {
    std::vector<Stamp> stamps;
    for (unsigned i = 0; i < 126; ++i) {
        stamps.push_back(RandomStamp(i + 1));
    }
    Picture drawn = BreltSheet(stamps);
    // Drawn over in another program: one block of stamp 5 repainted, a stray dot off a centre.
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            Put(drawn, 4 * 136 + 2 + 12 + x, 2 + 8 + y, 250, 3, 9);
        }
    }
    Put(drawn, 4 * 136 + 2 + 20 * 4, 2 + 20 * 4, 0, 0, 255);
    bool brelt = false;
    sheet::Layout layout = sheet::GuessLayout(drawn, brelt);
    ASSERT_TRUE(brelt);
    EXPECT_EQ(layout, sheet::BreltSheetLayout(9));
    std::vector<int> cells = sheet::CellsToImport(drawn, layout, false);
    ASSERT_EQ(cells.size(), 126u);
    for (int i = 0; i < 126; ++i) {
        auto stamp = sheet::StampOfCell(drawn, layout, cells[static_cast<std::size_t>(i)], true);
        ASSERT_TRUE(stamp);
        Stamp expected = stamps[static_cast<std::size_t>(i)];
        if (i == 4) {
            picture::Rgb snapped = picture::NearestStorable({250, 3, 9});
            std::uint8_t* px = &expected[(2 * 32 + 3) * 3];
            px[0] = snapped.blue, px[1] = snapped.green, px[2] = snapped.red;
        }
        EXPECT_EQ(*stamp, expected) << "stamp " << i + 1;
    }

    // Not brelt's: a sheet of that size without white between its cells.
    Picture painted = drawn;
    for (int y = 0; y < painted.height; ++y) {
        for (int x = 130; x < 136; ++x) {
            Put(painted, x, y, 10, 20, 30);
            Put(painted, 5 * 136 + x, y, 10, 20, 30);
        }
    }
    EXPECT_FALSE(sheet::IsBreltSheet(painted));
    EXPECT_FALSE(sheet::IsBreltSheet(White(1904, 1441)));
}

TEST(Sheet, BlankCellsAreSkippedWhenAskedAndA2xGridReadsBackExactly) {
    // Cells of 64: a 2x grid of stamps, each pixel a 2 x 2 block.
    Picture grid = White(3 * 64, 64);
    Stamp stamp = RandomStamp(77);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const std::uint8_t* s = &stamp[static_cast<std::size_t>((y / 2) * 32 + x / 2) * 3];
            Put(grid, x, y, s[2], s[1], s[0]);
            Put(grid, 128 + x, y, 0, 0, 0, 0); // a transparent cell
        }
    }
    bool brelt = true;
    EXPECT_EQ(sheet::GuessLayout(grid, brelt), (sheet::Layout{6, 2, 32, 32, 0, 0}))
        << "cells of 32 are the first guess";
    EXPECT_FALSE(brelt);
    sheet::Layout layout{3, 1, 64, 64, 0, 0}; // as the user gives them
    EXPECT_EQ(sheet::CellsToImport(grid, layout, true), std::vector<int>{0})
        << "a white cell and a transparent one take no image";
    EXPECT_EQ(sheet::CellsToImport(grid, layout, false), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(sheet::StampOfCell(grid, layout, 0, false), stamp);
    EXPECT_EQ(sheet::GuessLayout(White(50, 30), brelt), (sheet::Layout{1, 1, 50, 30, 0, 0}));
}
