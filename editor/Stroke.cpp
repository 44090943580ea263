#include "editor/Stroke.h"

#include "editor/Drawing.h"

#include <cstdlib>

namespace editor {

namespace {

bool BySide(Point a, Point b) {
    return std::abs(a.x - b.x) + std::abs(a.y - b.y) == 1;
}

bool ByCorner(Point a, Point b) {
    return std::abs(a.x - b.x) == 1 && std::abs(a.y - b.y) == 1;
}

} // namespace

void Stroke::Add(Point p) {
    std::vector<Point> between = LinePoints(m_pixels.back(), p);
    for (std::size_t i = 1; i < between.size(); ++i) {
        Append(between[i]);
    }
}

void Stroke::Append(Point p) {
    m_pixels.push_back(p);
    const std::size_t n = m_pixels.size();
    if (m_perfect && n >= 3 && BySide(m_pixels[n - 3], m_pixels[n - 2]) &&
        BySide(m_pixels[n - 2], m_pixels[n - 1]) && ByCorner(m_pixels[n - 3], m_pixels[n - 1])) {
        m_pixels.erase(m_pixels.end() - 2);
    }
}

} // namespace editor
