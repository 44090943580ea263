#pragma once

#include "editor/Stamp.h"
#include "picture/LinearLight.h"

#include <vector>

// The colours the stamp editor offers: all of them ones a collection stores exactly.
namespace editor {

// The storable colour the display shows nearest to rgb.
Colour SnapToStorable(Rgb rgb);

// A storable colour in OKLab, from a table of all of them.
const picture::Oklab& OklabOfStorable(Colour colour);
// How far apart two colours look: their distance in OKLab, in hundredths (black to white is 100).
float Distance(Colour x, Colour y);
// A colour's perceived lightness, OKLab's L: 0 black, 1 white.
float LightnessOf(Colour colour);

// 32 colours for children's drawings: the primaries and secondaries, skin tones, browns, greys,
// black and white.
const std::vector<Colour>& ChildrensPalette();

// The colours the stamp has, the most used first (of two used alike, the lower value first).
std::vector<Colour> ColoursByUse(const Stamp& stamp);

} // namespace editor
