#include "sheet/Sheet.h"

#include "picture/ColourLevels.h"

#include <algorithm>

namespace sheet {

namespace {

const std::uint8_t* PixelAt(const picture::Picture& p, int x, int y) {
    return &p.bgra[(static_cast<std::size_t>(y) * p.width + x) * 4];
}

// A pixel composited over white, as a stamp has no transparency.
picture::Rgb OverWhite(const std::uint8_t* bgra) {
    auto over = [alpha = bgra[3]](std::uint8_t v) {
        return static_cast<std::uint8_t>((v * alpha + 255 * (255 - alpha) + 127) / 255);
    };
    return {over(bgra[2]), over(bgra[1]), over(bgra[0])};
}

bool IsWhite(const std::uint8_t* bgra) {
    picture::Rgb rgb = OverWhite(bgra);
    return rgb.red > 240 && rgb.green > 240 && rgb.blue > 240;
}

} // namespace

Rect CellRect(const Layout& layout, int index) {
    int column = index % std::max(1, layout.columns), row = index / std::max(1, layout.columns);
    return {layout.margin + column * (layout.cellWidth + layout.spacing),
            layout.margin + row * (layout.cellHeight + layout.spacing), layout.cellWidth,
            layout.cellHeight};
}

bool Fits(const Layout& layout, int width, int height) {
    if (layout.columns < 1 || layout.rows < 1 || layout.cellWidth < 1 || layout.cellHeight < 1 ||
        layout.margin < 0 || layout.spacing < 0 || layout.columns > 4096 || layout.rows > 4096) {
        return false;
    }
    Rect last = CellRect(layout, layout.columns * layout.rows - 1);
    return static_cast<long long>(last.x) + last.width <= width &&
           static_cast<long long>(last.y) + last.height <= height;
}

Layout BreltSheetLayout(int rows) {
    return {kBreltColumns, rows, kBreltCellWidth, kBreltCellHeight, 0, 0};
}

bool IsBreltSheet(const picture::Picture& picture) {
    if (!picture::IsUsable(picture) || picture.width != kBreltColumns * kBreltCellWidth ||
        picture.height % kBreltCellHeight != 0) {
        return false;
    }
    // The white between stamps: the columns right of each stamp, down the whole sheet. A user
    // may have drawn over a little of it; most must stay white.
    long long white = 0, all = 0;
    for (int column = 0; column < kBreltColumns; ++column) {
        int from = column * kBreltCellWidth + kBreltInset + 32 * kBreltZoom;
        for (int x = from; x < (column + 1) * kBreltCellWidth; ++x) {
            for (int y = 0; y < picture.height; y += 3) {
                white += IsWhite(PixelAt(picture, x, y)) ? 1 : 0;
                ++all;
            }
        }
    }
    return white * 10 >= all * 9;
}

Layout GuessLayout(const picture::Picture& picture, bool& breltSheet) {
    breltSheet = IsBreltSheet(picture);
    if (breltSheet) {
        return BreltSheetLayout(picture.height / kBreltCellHeight);
    }
    for (int side : {32, 64, 16, 128, 48, 24}) {
        if (picture.width % side == 0 && picture.height % side == 0) {
            return {picture.width / side, picture.height / side, side, side, 0, 0};
        }
    }
    return {1, 1, std::max(1, picture.width), std::max(1, picture.height), 0, 0};
}

bool IsBlankCell(const picture::Picture& picture, const Rect& cell) {
    bool transparent = true, flat = true;
    const std::uint8_t* first = PixelAt(picture, cell.x, cell.y);
    for (int y = cell.y; y < cell.y + cell.height; ++y) {
        for (int x = cell.x; x < cell.x + cell.width; ++x) {
            const std::uint8_t* p = PixelAt(picture, x, y);
            transparent = transparent && p[3] == 0;
            flat = flat && std::equal(p, p + 4, first);
        }
    }
    return transparent || flat;
}

std::vector<int> CellsToImport(const picture::Picture& picture, const Layout& layout,
                               bool skipBlank) {
    std::vector<int> cells;
    if (!picture::IsUsable(picture) || !Fits(layout, picture.width, picture.height)) {
        return cells;
    }
    for (int index = 0; index < layout.columns * layout.rows; ++index) {
        if (!skipBlank || !IsBlankCell(picture, CellRect(layout, index))) {
            cells.push_back(index);
        }
    }
    return cells;
}

std::optional<picture::Stamp> StampOfCell(const picture::Picture& picture, const Layout& layout,
                                          int index, bool breltSheet) {
    if (!picture::IsUsable(picture) || !Fits(layout, picture.width, picture.height) || index < 0 ||
        index >= layout.columns * layout.rows) {
        return std::nullopt;
    }
    Rect cell = CellRect(layout, index);
    if (breltSheet) {
        picture::Stamp stamp{};
        const int block = kBreltZoom, centre = kBreltZoom / 2;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                picture::Rgb rgb = picture::NearestStorable(
                    OverWhite(PixelAt(picture, cell.x + kBreltInset + x * block + centre,
                                      cell.y + kBreltInset + y * block + centre)));
                std::uint8_t* out = &stamp[static_cast<std::size_t>(y * 32 + x) * 3];
                out[0] = rgb.blue, out[1] = rgb.green, out[2] = rgb.red;
            }
        }
        return stamp;
    }
    picture::Picture part{cell.width, cell.height, {}};
    part.bgra.reserve(static_cast<std::size_t>(cell.width) * cell.height * 4);
    for (int y = cell.y; y < cell.y + cell.height; ++y) {
        const std::uint8_t* row = PixelAt(picture, cell.x, y);
        part.bgra.insert(part.bgra.end(), row, row + static_cast<std::size_t>(cell.width) * 4);
    }
    return picture::ConvertToStamp(part, {});
}

} // namespace sheet
