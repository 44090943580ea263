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
    Piece piece{box.width, box.height, {}};
    for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) {
            Point p{box.left + x, box.top + y};
            piece.words.push_back(Stamp::Contains(p) ? stamp.WordAt(p) : kWhite);
        }
    }
    return piece;
}

Piece Plain(int width, int height, Colour colour) {
    return {width, height,
            std::vector<Word>(static_cast<std::size_t>(width * height), ColourOf(colour))};
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

void Selection::FlipHorizontally() {
    Piece flipped = m_piece;
    for (int y = 0; y < m_piece.height; ++y) {
        for (int x = 0; x < m_piece.width; ++x) {
            flipped.words[static_cast<std::size_t>(y * m_piece.width + x)] =
                m_piece.At(m_piece.width - 1 - x, y);
        }
    }
    m_piece = std::move(flipped);
}

void Selection::FlipVertically() {
    Piece flipped = m_piece;
    for (int y = 0; y < m_piece.height; ++y) {
        for (int x = 0; x < m_piece.width; ++x) {
            flipped.words[static_cast<std::size_t>(y * m_piece.width + x)] =
                m_piece.At(x, m_piece.height - 1 - y);
        }
    }
    m_piece = std::move(flipped);
}

void Selection::RotateRight() {
    // A quarter turn clockwise: the new row y is the old column y, read from the bottom up.
    Piece turned{m_piece.height, m_piece.width, {}};
    for (int y = 0; y < turned.height; ++y) {
        for (int x = 0; x < turned.width; ++x) {
            turned.words.push_back(m_piece.At(y, m_piece.height - 1 - x));
        }
    }
    Turned(std::move(turned));
}

void Selection::RotateLeft() {
    Piece turned{m_piece.height, m_piece.width, {}};
    for (int y = 0; y < turned.height; ++y) {
        for (int x = 0; x < turned.width; ++x) {
            turned.words.push_back(m_piece.At(m_piece.width - 1 - y, x));
        }
    }
    Turned(std::move(turned));
}

void Selection::Fill(Colour colour) {
    m_piece = Plain(m_piece.width, m_piece.height, colour);
}

Stamp Selection::Composite() const {
    Stamp shown = m_beneath;
    for (int y = 0; y < m_piece.height; ++y) {
        for (int x = 0; x < m_piece.width; ++x) {
            Point p{m_at.x + x, m_at.y + y};
            if (Stamp::Contains(p)) {
                shown.Move(p, m_piece.At(x, y));
            }
        }
    }
    return shown;
}

} // namespace editor
