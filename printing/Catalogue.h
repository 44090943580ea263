#pragma once

#include "printing/Paper.h"

// A catalogue of stamps at a stated size, each with its number under it, in rows and pages as
// many as the paper holds: for the classroom wall.
namespace printing {

// The sizes a stamp can be printed at: 1, 1.5, 2 and 3 cm.
inline constexpr Tenths kCatalogueSizes[] = {100, 150, 200, 300};

// The grid of one page: stamps a row and rows a page (none when the paper is too small), and
// where the first stamp goes.
struct CatalogueGrid {
    int columns = 0, rows = 0;
    Tenths left = 0, top = 0;
    Tenths columnStep = 0, rowStep = 0;
    int PerPage() const { return columns * rows; }
};
CatalogueGrid CatalogueGridOf(const Paper& paper, Tenths stampSize);

// The room between stamps, across and down, and the height of the numbers under them.
Tenths ColumnGap(Tenths stampSize);
inline constexpr Tenths kRowGap = 70; // the number and the space below it

// The pages of images (collection numbers, in order) at stampSize, titled; none when the paper
// can't hold one stamp.
std::vector<Page> CataloguePages(const Paper& paper, Tenths stampSize,
                                 const std::vector<int>& images, const Titles& titles);

} // namespace printing
