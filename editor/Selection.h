#pragma once

#include "editor/Stamp.h"

#include <vector>

// "Selecciona": a rectangle of the stamp lifted off it, to be moved, turned, copied or filled,
// then set down.
namespace editor {

// A rectangle of pixels.
struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    bool Contains(Point p) const {
        return p.x >= left && p.y >= top && p.x < left + width && p.y < top + height;
    }
    bool operator==(const Box&) const = default;
};
// The box with corners a and b, both included, cut to the stamp.
Box BoxOf(Point a, Point b);

// Pixels of a stamp, as words, top row first; clear pixels (letters' surroundings, say) show what
// lies beneath.
struct Piece {
    int width = 0, height = 0;
    std::vector<Word> words;
    std::vector<bool> clear; // empty when no pixel is
    Word At(int x, int y) const { return words[Index(x, y)]; }
    bool IsClear(int x, int y) const { return !clear.empty() && clear[Index(x, y)]; }
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * width + x); }
    bool operator==(const Piece&) const = default;
};
Piece CutOut(const Stamp& stamp, Box box);
// A piece of one colour.
Piece Plain(int width, int height, Colour colour);

class Selection {
public:
    // What box holds, lifted: the place it leaves takes background.
    static Selection Lift(const Stamp& stamp, Box box, Colour background);
    // A piece laid over stamp with its top left at `at`; nothing beneath it is lifted.
    static Selection Lay(const Stamp& stamp, Piece piece, Point at);

    Box Where() const { return {m_at.x, m_at.y, m_piece.width, m_piece.height}; }
    const Piece& Held() const { return m_piece; }

    // Moved by dx, dy; always keeps at least one pixel on the stamp, so that it can be taken
    // back.
    void MoveBy(int dx, int dy);
    // Turned and flipped about its own centre.
    void FlipHorizontally();
    void FlipVertically();
    void RotateLeft();
    void RotateRight();
    // What it holds becomes one colour; its clear pixels stay clear.
    void Fill(Colour colour);
    // What it shows: its clear pixels as what lies beneath them (white off the stamp).
    Piece Visible() const;

    // The stamp as it shows: what lies beneath, with the piece over it, cut to the stamp.
    Stamp Composite() const;

private:
    Selection(Stamp beneath, Piece piece, Point at);
    void Turned(Piece turned);

    Stamp m_beneath;
    Piece m_piece;
    Point m_at;
};

} // namespace editor
