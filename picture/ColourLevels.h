#pragma once

#include "picture/LinearLight.h"

#include <cstdint>

namespace picture {

// A colour as the display shows it, 8 bits a channel.
struct Rgb {
    std::uint8_t red, green, blue;
    bool operator==(const Rgb&) const = default;
};

// A colour a collection stores: 5 bits a channel.
struct StoredLevels {
    std::uint8_t red, green, blue;
    bool operator==(const StoredLevels&) const = default;
};

// Below this chroma (OKLab) a colour shows no tint.
inline constexpr float kNeutralChroma = 0.02f;
// How much more chroma a dithered pixel may have than the picture's own colour there.
inline constexpr float kTintAllowance = 0.01f;
// The most chroma a stored colour may have for a colour of the given chroma: never a visible
// tint where the colour has none; for a dithered pixel, also no more than kTintAllowance above
// the colour's own, so that a dither adds no coloured noise.
float AllowedChroma(float chroma, bool dithered = false);

// The linear light of a 5-bit level as the display shows it.
float LinearOfLevel(int level);
// A stored colour as the display shows it.
Rgb ShownOf(StoredLevels levels);

// The stored colour chosen for a colour in linear light. The display's levels come in pairs
// (..., 208, 223, 224, 239, ...), so rounding each channel on its own turns greys pink or green:
// the three channels are chosen together instead, among the three levels nearest to each (27
// candidates), as the one nearest in OKLab within AllowedChroma.
StoredLevels ChooseStorable(const LinearRgb& colour);
// The same for a dithered pixel: it aims at a colour moved by the errors of its neighbours, but
// may add no more tint than the picture's own colour there has.
StoredLevels ChooseDithered(const LinearRgb& aimed, const LinearRgb& own);

// The same choice for a colour as the display shows it: what the editor snaps a colour to.
// Every colour a collection stores is its own choice.
Rgb NearestStorable(Rgb colour);

} // namespace picture
