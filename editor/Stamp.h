#pragma once

#include "collection/CollectionFormat.h"
#include "collection/PixelAreas.h"

#include <array>
#include <cstdint>

// A stamp as the stamp editor works on it: the collection's own 16-bit words, so that what the
// canvas shows is exactly what is stored.
namespace editor {

inline constexpr int kSide = 32;

// A stored pixel: 0RRRRRGGGGGBBBBB, bit 15 as the file had it.
using Word = std::uint16_t;
// A colour a collection can store: 5 bits a channel, bit 15 clear.
using Colour = std::uint16_t;

inline constexpr Colour kWhite = 0x7FFF;
inline constexpr Colour kBlack = 0x0000;

constexpr Colour ColourOf(Word word) {
    return word & 0x7FFF;
}
constexpr Colour MakeColour(int red5, int green5, int blue5) {
    return static_cast<Colour>(sgc::PackWord(red5, green5, blue5));
}

// A colour as the display shows it, 8 bits a channel.
struct Rgb {
    std::uint8_t red, green, blue;
    bool operator==(const Rgb&) const = default;
};
Rgb Shown(Colour colour);

struct Point {
    int x, y;
    bool operator==(const Point&) const = default;
};

class Stamp {
public:
    // Every pixel white.
    Stamp();
    // The stamp a pixel area holds (big-endian words, top row first); missing bytes are zero.
    static Stamp FromArea(const PixelAreaBytes& area);
    PixelAreaBytes ToArea() const;

    static bool Contains(Point p) { return p.x >= 0 && p.y >= 0 && p.x < kSide && p.y < kSide; }
    Word WordAt(Point p) const { return m_words[static_cast<std::size_t>(p.y * kSide + p.x)]; }
    Colour ColourAt(Point p) const { return ColourOf(WordAt(p)); }
    // A pixel painted: its word becomes colour, bit 15 clear, as an import writes it. Points
    // outside the stamp are left alone.
    void Paint(Point p, Colour colour);
    // A word moved as it is, bit 15 and all (flips, turns and shifts move pixels; they paint
    // none).
    void Move(Point p, Word word) { m_words[static_cast<std::size_t>(p.y * kSide + p.x)] = word; }

    bool operator==(const Stamp&) const = default;

private:
    std::array<Word, kSide * kSide> m_words;
};

} // namespace editor
