#pragma once

#include "editor/Stamp.h"
#include "printing/Paper.h"

// A pattern of one stamp for fuse beads or cross-stitch: each pixel a square of a stated size,
// the grid drawn with every tenth line bolder, each square carrying the number of its colour, and
// a legend of the colours with how many pixels each has.
namespace printing {

struct LegendEntry {
    editor::Colour colour = 0;
    int pixels = 0;
    int number = 0; // 1 for the colour with the most pixels
    bool operator==(const LegendEntry&) const = default;
};
// The stamp's colours, the most used first (ties by colour), numbered from 1.
std::vector<LegendEntry> LegendOf(const editor::Stamp& stamp);

// A square's size may be typed: from 2 to 30 mm.
inline constexpr Tenths kSmallestSquare = 20, kLargestSquare = 300;
inline constexpr Tenths kBeadSquare = 50;
// Squares smaller than this carry no number: it would not be read.
inline constexpr Tenths kNumberedSquare = 30;
inline constexpr Tenths kThinLine = 2, kBoldLine = 6;

// How many squares of the grid go on a page, across and down (at most the stamp's 32).
struct PatternTile {
    int columns = 0, rows = 0;
};
PatternTile PatternTileOf(const Paper& paper, Tenths square);

// The pages: the grid (on several pages, tile by tile, when it is larger than the paper), then
// the legend where room is left and on further pages as needed; none when the square is out of
// range or the paper can't hold one.
std::vector<Page> PatternPages(const Paper& paper, const editor::Stamp& stamp, Tenths square,
                               const Titles& titles);

// Black or white, whichever reads better on colour.
Rgb NumberInkOn(Rgb colour);
Rgb RgbOf(editor::Colour colour);

} // namespace printing
