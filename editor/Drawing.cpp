#include "editor/Drawing.h"

#include "editor/Colours.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

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

namespace {

// Whether pixel (x, y) of a width x height box lies in the ellipse the box holds: its centre
// within the ellipse through the box's edges, in whole numbers (twice the offsets), so that both
// halves come out alike.
bool InEllipse(int x, int y, int width, int height) {
    const long long dx = 2 * x + 1 - width, dy = 2 * y + 1 - height;
    const long long w = width, h = height;
    return dx * dx * h * h + dy * dy * w * w <= w * w * h * h;
}

} // namespace

namespace {

// The pixels of the ellipse in a width x height box, row by row. A thin ellipse's tips fall
// between pixel centres: each row and column gets at least its middle pixels, so that the
// ellipse reaches every side of its box.
class EllipsePixels {
public:
    EllipsePixels(int width, int height)
        : m_width(width), m_height(height), m_in(static_cast<std::size_t>(width * height)) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                Set(x, y, InEllipse(x, y, width, height));
            }
        }
        for (int y = 0; y < height; ++y) {
            if (!Has((width - 1) / 2, y)) {
                Set((width - 1) / 2, y, true), Set(width / 2, y, true);
            }
        }
        for (int x = 0; x < width; ++x) {
            if (!Has(x, (height - 1) / 2)) {
                Set(x, (height - 1) / 2, true), Set(x, height / 2, true);
            }
        }
    }
    bool Has(int x, int y) const {
        return x >= 0 && y >= 0 && x < m_width && y < m_height &&
               m_in[static_cast<std::size_t>(y * m_width + x)];
    }

private:
    void Set(int x, int y, bool in) { m_in[static_cast<std::size_t>(y * m_width + x)] = in; }
    int m_width, m_height;
    std::vector<bool> m_in;
};

} // namespace

void DrawEllipse(Stamp& stamp, Point a, Point b, Colour colour, bool filled) {
    const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    const int width = std::abs(b.x - a.x) + 1, height = std::abs(b.y - a.y) + 1;
    const EllipsePixels ellipse(width, height);
    auto in = [&](int x, int y) { return ellipse.Has(x, y); };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // The outline: the pixels of the ellipse that touch by a side one outside it.
            bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
            if (in(x, y) && (filled || edge)) {
                stamp.Paint({left + x, top + y}, colour);
            }
        }
    }
}

void FloodFill(Stamp& stamp, Point at, Colour colour, const FillOptions& options) {
    if (!Stamp::Contains(at)) {
        return;
    }
    // What joins is judged on the colours before the fill.
    const Stamp before = stamp;
    const Colour from = before.ColourAt(at);
    const float tolerance = static_cast<float>(options.tolerance);
    auto joins = [&](Point p) {
        Colour c = before.ColourAt(p);
        return c == from || Distance(c, from) <= tolerance;
    };
    std::vector<Point> pending{at};
    for (int i = 0; options.wholeColour && i < kSide * kSide; ++i) {
        pending.push_back({i % kSide, i / kSide});
    }
    std::array<bool, kSide * kSide> seen{};
    while (!pending.empty()) {
        Point p = pending.back();
        pending.pop_back();
        if (!Stamp::Contains(p) || std::exchange(seen[p.y * kSide + p.x], true) || !joins(p)) {
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
