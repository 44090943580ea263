#pragma once

#include "editor/Stamp.h"

#include <vector>

namespace editor {

// "Traç perfecte": the pixels of a stroke drawn by hand, one pixel wide, without the L-shaped
// corners a hand leaves where it turns: of three pixels in a row where the middle one touches
// both others by a side and they touch each other by a corner, the middle one goes.
class PerfectStroke {
public:
    explicit PerfectStroke(Point start) : m_pixels{start} {}
    // The stroke carried on to p, through every pixel between.
    void Add(Point p);
    const std::vector<Point>& Pixels() const { return m_pixels; }

private:
    void Append(Point p);
    std::vector<Point> m_pixels;
};

} // namespace editor
