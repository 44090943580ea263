#pragma once

#include "collection/PixelAreas.h"

#include <array>
#include <cstdint>

// Stamps as the library compares them: their colours, the eight ways they can lie, and a small
// print of each for the near search.
namespace library {

inline constexpr int kSide = 32;
inline constexpr int kPixels = kSide * kSide;

// A stamp's colours, top row first: the stored words with bit 15 aside.
using StampColours = std::array<std::uint16_t, kPixels>;
StampColours ColoursOfArea(const PixelAreaBytes& area);

// The eight ways a stamp can lie: as it is, mirrored (left to right), and either of them turned
// a quarter, a half or three quarters clockwise.
inline constexpr int kTurns = 8;
struct Turn {
    bool mirrored = false;
    int quarters = 0; // clockwise, 0..3
    bool operator==(const Turn&) const = default;
};
Turn TurnNumber(int n); // 0..7, as it is first
StampColours Turned(const StampColours& stamp, Turn turn);

// The print: the stamp's 8 x 8 blocks of 4 x 4 pixels, each its mean colour in OKLab, in
// ten-thousandths. The mean distance of two prints is never more than the stamps' own (a mean of
// differences is at least the difference of the means), so a print far away rules a stamp out.
inline constexpr int kCells = 8;
inline constexpr float kPrintScale = 10000.0f;
struct Print {
    std::array<std::int16_t, kCells * kCells * 3> lab{};
    bool operator==(const Print&) const = default;
};
Print PrintOf(const StampColours& stamp);
Print Turned(const Print& print, Turn turn);

// How far apart two stamps look: the mean OKLab distance of their pixels, in hundredths (all
// black to all white is 100); 0 exactly when every colour is the same.
float Distance(const StampColours& x, const StampColours& y);
// The same for their prints, less what the prints' rounding may add: at most the stamps'
// distance. Stops adding once past `above`, returning what it had.
float PrintDistance(const Print& x, const Print& y, float above);

} // namespace library
