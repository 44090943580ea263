#pragma once

#include "editor/Stamp.h"

#include <vector>

namespace editor {

// The pixels of a stroke drawn by hand, one pixel wide, through every pixel between the mouse's
// positions. "Traç perfecte" leaves out the L-shaped corners a hand leaves where it turns: of
// three pixels in a row where the middle one touches both others by a side and they touch each
// other by a corner, the middle one goes.
class Stroke {
public:
    Stroke(Point start, bool perfect) : m_pixels{start}, m_perfect(perfect) {}
    // The stroke carried on to p, through every pixel between.
    void Add(Point p);
    const std::vector<Point>& Pixels() const { return m_pixels; }

private:
    void Append(Point p);
    std::vector<Point> m_pixels;
    bool m_perfect;
};

} // namespace editor
