#include "printing/Pattern.h"

#include <algorithm>
#include <map>

namespace printing {

namespace {

constexpr Tenths kLegendRow = 70, kLegendSwatch = 50, kLegendColumn = 450;
constexpr Tenths kGridTop = kTitleSize + kTitleSize / 2 + kTitleSize; // under the heading

// The content area less the titles' bands: where grid and legend go.
Box BodyOf(const Paper& paper) {
    const Box area = ContentArea(paper);
    return {area.left, area.top + kGridTop, area.width, std::max(0, area.height - 2 * kGridTop)};
}

Tenths NumberSize(Tenths square, int digits) {
    // Digits are about 0.55 of the em wide: the widest number fits within the square.
    return std::min<Tenths>(square * 45 / 100, square * 150 / (100 * std::max(1, digits)));
}

// The squares of one tile, their numbers, and the grid's lines over them.
void AddTile(Page& page, const editor::Stamp& stamp, const std::vector<LegendEntry>& legend,
             Box where, Tenths square, int firstColumn, int firstRow, PatternTile tile) {
    std::map<editor::Colour, int> numbers;
    for (const LegendEntry& entry : legend) {
        numbers[entry.colour] = entry.number;
    }
    const Tenths numberSize =
        NumberSize(square, static_cast<int>(std::to_string(legend.size()).size()));
    for (int row = 0; row < tile.rows; ++row) {
        for (int column = 0; column < tile.columns; ++column) {
            const editor::Colour colour = stamp.ColourAt({firstColumn + column, firstRow + row});
            const Box box{where.left + column * square, where.top + row * square, square, square};
            page.shapes.push_back(FillOf(box, RgbOf(colour)));
            if (square >= kNumberedSquare) {
                page.shapes.push_back(TextOf(box, std::to_string(numbers[colour]), numberSize,
                                             Shape::Align::Centre, NumberInkOn(RgbOf(colour))));
            }
        }
    }
    // The lines on the squares' edges; those at 0, 10, 20 and 30 of the whole stamp bolder.
    auto line = [&](int index, bool across) {
        const Tenths width = index % 10 == 0 ? kBoldLine : kThinLine;
        const Tenths at = (across ? where.top : where.left) +
                          (index - (across ? firstRow : firstColumn)) * square - width / 2;
        page.shapes.push_back(FillOf(across ? Box{where.left, at, tile.columns * square, width}
                                            : Box{at, where.top, width, tile.rows * square}));
    };
    for (int column = firstColumn; column <= firstColumn + tile.columns; ++column) {
        line(column, false);
    }
    for (int row = firstRow; row <= firstRow + tile.rows; ++row) {
        line(row, true);
    }
}

// A thin line round box, outside it: four lines, so that each shows even on a small preview.
void AddFrame(Page& page, const Box& box) {
    const Tenths w = kThinLine;
    page.shapes.push_back(FillOf({box.left - w, box.top - w, box.width + 2 * w, w}));
    page.shapes.push_back(FillOf({box.left - w, box.Bottom(), box.width + 2 * w, w}));
    page.shapes.push_back(FillOf({box.left - w, box.top, w, box.height}));
    page.shapes.push_back(FillOf({box.Right(), box.top, w, box.height}));
}

// The legend from top on the last page, continued on new pages; each entry a swatch, its number
// and how many pixels it has.
void AddLegend(std::vector<Page>& pages, const Box& body, Tenths top,
               const std::vector<LegendEntry>& legend) {
    const int columns = std::max(1, body.width / kLegendColumn);
    std::size_t next = 0;
    while (next < legend.size()) {
        if (body.Bottom() - top < 2 * kLegendRow) { // no room for the heading and a row
            pages.emplace_back();
            top = body.top;
        }
        Page& page = pages.back();
        page.shapes.push_back(TextOf({body.left, top, body.width, kLegendRow},
                                     next == 0 ? "Colors" : "Colors (continuació)", kTitleSize));
        const int rows = (body.Bottom() - top) / kLegendRow - 1;
        for (int i = 0; i < rows * columns && next < legend.size(); ++i, ++next) {
            const LegendEntry& entry = legend[next];
            const Box cell{body.left + i % columns * kLegendColumn,
                           top + (1 + i / columns) * kLegendRow, kLegendColumn, kLegendRow};
            const Box swatch{cell.left, cell.top + (kLegendRow - kLegendSwatch) / 2, kLegendSwatch,
                             kLegendSwatch};
            page.shapes.push_back(FillOf(swatch, RgbOf(entry.colour)));
            AddFrame(page, swatch);
            const std::string said = std::to_string(entry.number) + ": " +
                                     std::to_string(entry.pixels) +
                                     (entry.pixels == 1 ? " píxel" : " píxels");
            page.shapes.push_back(TextOf(
                {swatch.Right() + 20, cell.top, cell.width - 90, kLegendRow}, said, kNumberSize));
        }
        top = body.Bottom();
    }
}

// "Columnes 1–23, files 1–32": which part of the stamp a page of a larger pattern holds.
std::string TileWords(int column, int row, PatternTile tile) {
    return "Columnes " + std::to_string(column + 1) + "–" + std::to_string(column + tile.columns) +
           ", files " + std::to_string(row + 1) + "–" + std::to_string(row + tile.rows);
}

} // namespace

Rgb RgbOf(editor::Colour colour) {
    const editor::Rgb rgb = editor::Shown(colour);
    return static_cast<Rgb>(rgb.red) << 16 | static_cast<Rgb>(rgb.green) << 8 | rgb.blue;
}

Rgb NumberInkOn(Rgb colour) {
    const int luma =
        (299 * static_cast<int>(colour >> 16 & 0xFF) + 587 * static_cast<int>(colour >> 8 & 0xFF) +
         114 * static_cast<int>(colour & 0xFF)) /
        1000;
    return luma < 128 ? 0xFFFFFF : 0x000000;
}

std::vector<LegendEntry> LegendOf(const editor::Stamp& stamp) {
    std::map<editor::Colour, int> counts;
    for (int y = 0; y < editor::kSide; ++y) {
        for (int x = 0; x < editor::kSide; ++x) {
            ++counts[stamp.ColourAt({x, y})];
        }
    }
    std::vector<LegendEntry> legend;
    for (const auto& [colour, pixels] : counts) {
        legend.push_back({colour, pixels, 0});
    }
    std::stable_sort(legend.begin(), legend.end(), [](const LegendEntry& a, const LegendEntry& b) {
        return a.pixels > b.pixels;
    });
    for (std::size_t i = 0; i < legend.size(); ++i) {
        legend[i].number = static_cast<int>(i) + 1;
    }
    return legend;
}

PatternTile PatternTileOf(const Paper& paper, Tenths square) {
    if (square < kSmallestSquare || square > kLargestSquare) {
        return {};
    }
    const Box body = BodyOf(paper);
    // Room for the outer lines' half-width on every side.
    return {std::min(editor::kSide, (body.width - kBoldLine) / square),
            std::min(editor::kSide, (body.height - kBoldLine) / square)};
}

std::vector<Page> PatternPages(const Paper& paper, const editor::Stamp& stamp, Tenths square,
                               const Titles& titles) {
    const PatternTile tile = PatternTileOf(paper, square);
    std::vector<Page> pages;
    const Box body = BodyOf(paper);
    if (tile.columns <= 0 || tile.rows <= 0 || body.height < 2 * kLegendRow) {
        return pages;
    }
    const Box grid{body.left + kBoldLine / 2, body.top + kBoldLine / 2, 0, 0};
    const std::vector<LegendEntry> legend = LegendOf(stamp);
    Tenths below = 0;
    for (int row = 0; row < editor::kSide; row += tile.rows) {
        for (int column = 0; column < editor::kSide; column += tile.columns) {
            const PatternTile here{std::min(tile.columns, editor::kSide - column),
                                   std::min(tile.rows, editor::kSide - row)};
            pages.emplace_back();
            AddTile(pages.back(), stamp, legend, grid, square, column, row, here);
            if (tile.columns < editor::kSide || tile.rows < editor::kSide) {
                pages.back().shapes.push_back(
                    TextOf({body.left, body.top - kTitleSize, body.width, kTitleSize},
                           TileWords(column, row, here), kNumberSize));
            }
            below = grid.top + here.rows * square + kBoldLine + kTitleSize;
        }
    }
    AddLegend(pages, body, below, legend);
    AddTitles(pages, paper, titles);
    return pages;
}

} // namespace printing
