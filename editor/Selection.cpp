#include "editor/Selection.h"

#include <algorithm>

namespace editor {

Box BoxOf(Point a, Point b) {
    int left = std::clamp(std::min(a.x, b.x), 0, kSide - 1);
    int right = std::clamp(std::max(a.x, b.x), 0, kSide - 1);
    int top = std::clamp(std::min(a.y, b.y), 0, kSide - 1);
    int bottom = std::clamp(std::max(a.y, b.y), 0, kSide - 1);
    return {left, top, right - left + 1, bottom - top + 1};
}

Piece CutOut(const Stamp& stamp, Box box) {
    Piece piece{box.width, box.height, {}, {}};
    for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) {
            Point p{box.left + x, box.top + y};
            piece.words.push_back(Stamp::Contains(p) ? stamp.WordAt(p) : kWhite);
        }
    }
    return piece;
}

Piece Plain(int width, int height, Colour colour) {
    return {width,
            height,
            std::vector<Word>(static_cast<std::size_t>(width * height), ColourOf(colour)),
            {}};
}

Selection::Selection(Stamp beneath, Piece piece, Point at)
    : m_beneath(beneath), m_piece(std::move(piece)), m_at(at) {}

Selection Selection::Lift(const Stamp& stamp, Box box, Colour background) {
    Stamp beneath = stamp;
    for (int y = box.top; y < box.top + box.height; ++y) {
        for (int x = box.left; x < box.left + box.width; ++x) {
            beneath.Paint({x, y}, background);
        }
    }
    return Selection(beneath, CutOut(stamp, box), {box.left, box.top});
}

Selection Selection::Lay(const Stamp& stamp, Piece piece, Point at) {
    return Selection(stamp, std::move(piece), at);
}

void Selection::MoveBy(int dx, int dy) {
    m_at.x = std::clamp(m_at.x + dx, 1 - m_piece.width, kSide - 1);
    m_at.y = std::clamp(m_at.y + dy, 1 - m_piece.height, kSide - 1);
}

void Selection::Turned(Piece turned) {
    // About the centre: a piece that changes its shape stays where it was, as near as whole
    // pixels allow.
    m_at.x += (m_piece.width - turned.width) / 2;
    m_at.y += (m_piece.height - turned.height) / 2;
    m_piece = std::move(turned);
    MoveBy(0, 0);
}

namespace {

// A piece of width x height whose pixel (x, y) is the source's pixel at from(x, y), clear or not.
template <typename From> Piece Remapped(const Piece& source, int width, int height, From from) {
    Piece remapped{width, height, {}, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Point p = from(x, y);
            remapped.words.push_back(source.At(p.x, p.y));
            if (!source.clear.empty()) {
                remapped.clear.push_back(source.IsClear(p.x, p.y));
            }
        }
    }
    return remapped;
}

} // namespace

void Selection::FlipHorizontally() {
    const int w = m_piece.width, h = m_piece.height;
    m_piece = Remapped(m_piece, w, h, [w](int x, int y) { return Point{w - 1 - x, y}; });
}

void Selection::FlipVertically() {
    const int w = m_piece.width, h = m_piece.height;
    m_piece = Remapped(m_piece, w, h, [h](int x, int y) { return Point{x, h - 1 - y}; });
}

void Selection::RotateRight() {
    // A quarter turn clockwise: the new row y is the old column y, read from the bottom up.
    const int h = m_piece.height;
    Turned(Remapped(m_piece, h, m_piece.width, [h](int x, int y) { return Point{y, h - 1 - x}; }));
}

void Selection::RotateLeft() {
    const int w = m_piece.width;
    Turned(Remapped(m_piece, m_piece.height, w, [w](int x, int y) { return Point{w - 1 - y, x}; }));
}

void Selection::Fill(Colour colour) {
    std::vector<bool> clear = std::move(m_piece.clear);
    m_piece = Plain(m_piece.width, m_piece.height, colour);
    m_piece.clear = std::move(clear);
}

Piece Selection::Visible() const {
    Piece visible = m_piece;
    for (int y = 0; y < m_piece.height; ++y) {
        for (int x = 0; x < m_piece.width; ++x) {
            const Point p{m_at.x + x, m_at.y + y};
            if (m_piece.IsClear(x, y)) {
                visible.words[m_piece.Index(x, y)] =
                    Stamp::Contains(p) ? m_beneath.WordAt(p) : kWhite;
            }
        }
    }
    visible.clear.clear();
    return visible;
}

Stamp Selection::Composite() const {
    Stamp shown = m_beneath;
    for (int y = 0; y < m_piece.height; ++y) {
        for (int x = 0; x < m_piece.width; ++x) {
            Point p{m_at.x + x, m_at.y + y};
            if (Stamp::Contains(p) && !m_piece.IsClear(x, y)) {
                shown.Move(p, m_piece.At(x, y));
            }
        }
    }
    return shown;
}

} // namespace editor
