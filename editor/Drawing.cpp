#include "editor/Drawing.h"

#include <algorithm>
#include <cstdlib>

namespace editor {

std::vector<Point> LinePoints(Point a, Point b) {
    // Bresenham's line: one pixel a step along the longer axis.
    std::vector<Point> points;
    int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    int stepX = a.x < b.x ? 1 : -1, stepY = a.y < b.y ? 1 : -1;
    int error = dx + dy;
    for (Point p = a;;) {
        points.push_back(p);
        if (p == b) {
            return points;
        }
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            p.y += stepY;
        }
    }
}

void DrawLine(Stamp& stamp, Point a, Point b, Colour colour) {
    for (Point p : LinePoints(a, b)) {
        stamp.Paint(p, colour);
    }
}

void DrawRectangle(Stamp& stamp, Point a, Point b, Colour colour, bool filled) {
    int left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    int top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (filled || y == top || y == bottom || x == left || x == right) {
                stamp.Paint({x, y}, colour);
            }
        }
    }
}

void FloodFill(Stamp& stamp, Point at, Colour colour) {
    if (!Stamp::Contains(at) || stamp.ColourAt(at) == ColourOf(colour)) {
        return;
    }
    const Colour from = stamp.ColourAt(at);
    std::vector<Point> pending{at};
    while (!pending.empty()) {
        Point p = pending.back();
        pending.pop_back();
        if (!Stamp::Contains(p) || stamp.ColourAt(p) != from) {
            continue;
        }
        stamp.Paint(p, colour);
        pending.insert(pending.end(),
                       {{p.x + 1, p.y}, {p.x - 1, p.y}, {p.x, p.y + 1}, {p.x, p.y - 1}});
    }
}

void ReplaceColour(Stamp& stamp, Colour from, Colour to) {
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            if (stamp.ColourAt({x, y}) == ColourOf(from)) {
                stamp.Paint({x, y}, to);
            }
        }
    }
}

void ClearAll(Stamp& stamp) {
    DrawRectangle(stamp, {0, 0}, {kSide - 1, kSide - 1}, kWhite, true);
}

namespace {

// Every word moved to where `to` says its pixel goes.
template <class Where> void Remap(Stamp& stamp, Where to) {
    const Stamp before = stamp;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            stamp.Move(to(Point{x, y}), before.WordAt({x, y}));
        }
    }
}

} // namespace

void FlipHorizontally(Stamp& stamp) {
    Remap(stamp, [](Point p) { return Point{kSide - 1 - p.x, p.y}; });
}

void FlipVertically(Stamp& stamp) {
    Remap(stamp, [](Point p) { return Point{p.x, kSide - 1 - p.y}; });
}

void RotateLeft(Stamp& stamp) {
    Remap(stamp, [](Point p) { return Point{p.y, kSide - 1 - p.x}; });
}

void RotateRight(Stamp& stamp) {
    Remap(stamp, [](Point p) { return Point{kSide - 1 - p.y, p.x}; });
}

void Shift(Stamp& stamp, int dx, int dy) {
    auto wrap = [](int v) { return ((v % kSide) + kSide) % kSide; };
    Remap(stamp, [&](Point p) { return Point{wrap(p.x + dx), wrap(p.y + dy)}; });
}

} // namespace editor
