#include "editor/Effects.h"

#include <algorithm>
#include <array>

namespace editor {

namespace {

// Which pixels belong to the drawing.
class Drawing {
public:
    Drawing(const Stamp& stamp, Colour background) {
        for (int i = 0; i < kSide * kSide; ++i) {
            m_in[static_cast<std::size_t>(i)] =
                stamp.ColourAt({i % kSide, i / kSide}) != ColourOf(background);
        }
    }
    // Outside the stamp counts as background.
    bool Has(Point p) const {
        return Stamp::Contains(p) && m_in[static_cast<std::size_t>(p.y * kSide + p.x)];
    }
    // Whether a neighbour of p (by a side, or by a corner too) is in the drawing or not.
    bool NextTo(Point p, bool corners, bool inDrawing) const {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                bool side = (dx == 0) != (dy == 0);
                if ((side || (corners && dx != 0 && dy != 0)) &&
                    Has({p.x + dx, p.y + dy}) == inDrawing) {
                    return true;
                }
            }
        }
        return false;
    }

private:
    std::array<bool, kSide * kSide> m_in{};
};

} // namespace

Colour CornerColour(const Stamp& stamp) {
    const std::array<Colour, 4> corners = {stamp.ColourAt({0, 0}), stamp.ColourAt({kSide - 1, 0}),
                                           stamp.ColourAt({0, kSide - 1}),
                                           stamp.ColourAt({kSide - 1, kSide - 1})};
    Colour best = corners[0];
    long bestCount = 0;
    for (Colour c : corners) {
        long count = std::count(corners.begin(), corners.end(), c);
        if (count > bestCount) {
            best = c, bestCount = count;
        }
    }
    return best;
}

void DrawOutline(Stamp& stamp, const OutlineOptions& options) {
    const Drawing drawing(stamp, options.background.value_or(CornerColour(stamp)));
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const Point p{x, y};
            if (drawing.Has(p) == options.inside &&
                drawing.NextTo(p, options.corners, !options.inside)) {
                stamp.Paint(p, options.colour);
            }
        }
    }
}

void DrawShadow(Stamp& stamp, const ShadowOptions& options) {
    const Drawing drawing(stamp, options.background.value_or(CornerColour(stamp)));
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const Point p{x, y};
            if (!drawing.Has(p) && drawing.Has({x - options.dx, y - options.dy})) {
                stamp.Paint(p, options.colour);
            }
        }
    }
}

} // namespace editor
