#pragma once

namespace layout {

// The DPI every length of the program is first given for: 100 % on Windows.
inline constexpr int kBaseDpi = 96;

// Where a square picture of side pixels stands in a box of width x height pixels: at the largest
// whole zoom that fits, nearest pixel, centred (at 1 in a box too small for it).
struct Placement {
    int zoom = 1;
    int left = 0, top = 0;
    bool operator==(const Placement&) const = default;
};
Placement FitWhole(int width, int height, int side);

// A length given for 96 DPI, at dpi: rounded down, never below 1 for a length of at least 1.
int ForDpi(int length, int dpi);

// The whole zoom that shows a picture as large at dpi as zoom shows it at 96 DPI, rounded down
// but never below zoom: 4 is 6 at 144 DPI and 8 at 192.
int ZoomForDpi(int zoom, int dpi);

// The largest whole zoom of at most wanted at which count cells of cellSide pixels plus extra
// pixels each way fit in room: for a window of many stamps on a small screen. At least 1.
int ZoomWithin(int wanted, int cellSide, int cells, int extra, int room);

} // namespace layout
