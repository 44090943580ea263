#pragma once

#include "picture/Picture.h"
#include "picture/StampConversion.h"

#include <optional>
#include <vector>

// A sheet of stamps: one picture cut into a grid of cells, each of which becomes a stamp. brelt's
// own sheet, the "<collection>-full.png" of its export, is recognised by its layout and read
// back exactly; any other sheet's cells are converted as pictures are.
namespace sheet {

struct Layout {
    int columns = 1, rows = 1;
    int cellWidth = 32, cellHeight = 32;
    int margin = 0;  // left and top offset of the first cell
    int spacing = 0; // between cells, across and down
    bool operator==(const Layout&) const = default;
};

struct Rect {
    int x, y, width, height;
    bool operator==(const Rect&) const = default;
};

// Cell index, left to right then top to bottom, in the picture's pixels.
Rect CellRect(const Layout& layout, int index);
// Whether the layout has cells at all and every one of them lies within a width x height
// picture.
bool Fits(const Layout& layout, int width, int height);

// brelt's own sheet: 14 columns of cells of 136 x 160 pixels, each stamp at four times its size
// two pixels in from its cell's corner, its number under it, on white.
inline constexpr int kBreltColumns = 14, kBreltZoom = 4, kBreltCellWidth = 136,
                     kBreltCellHeight = 160, kBreltInset = 2;
Layout BreltSheetLayout(int rows);
// Whether picture is one of brelt's own sheets: its size and the white between its stamps.
bool IsBreltSheet(const picture::Picture& picture);

// A first guess at a picture's cells: brelt's own layout for its sheet (breltSheet set), else a
// grid of square cells of 32, 64, 16, 128, 48 or 24 pixels, the first that divides the picture,
// else one cell of the whole picture.
Layout GuessLayout(const picture::Picture& picture, bool& breltSheet);

// A blank cell, one flat colour or fully transparent, takes no image when blanks are skipped.
bool IsBlankCell(const picture::Picture& picture, const Rect& cell);

// The cells to import, in order; blank ones left out when skipBlank.
std::vector<int> CellsToImport(const picture::Picture& picture, const Layout& layout,
                               bool skipBlank);

// The stamp of a cell: on brelt's own sheet each 4x4 block read at its centre, so that a stamp
// comes back exactly and what was drawn over it in another program is what is read; any other
// cell converted as a picture is ("Encaixa", no dithering).
std::optional<picture::Stamp> StampOfCell(const picture::Picture& picture, const Layout& layout,
                                          int index, bool breltSheet);

} // namespace sheet
