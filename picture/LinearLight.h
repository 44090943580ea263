#pragma once

#include <array>
#include <cstdint>

namespace picture {

// Red, green and blue in linear light, 0..1 each.
using LinearRgb = std::array<float, 3>;

// The linear light of each sRGB-encoded 8-bit value.
const std::array<float, 256>& LinearOfByte();

// Linear light, 0..1, to an sRGB-encoded value on the 0..255 scale, not rounded.
float EncodeSrgb(float linear);
// An sRGB-encoded value on the 0..255 scale, clamped to it, to linear light.
float DecodeSrgb(float encoded);

// A colour in OKLab: lightness and the two opponent axes, where distances follow what the eye
// sees (a difference of about 0.02 is just noticeable).
struct Oklab {
    float lightness, a, b;
    float Chroma() const;
};
Oklab OklabOf(const LinearRgb& colour);
// The colour back in linear light; channels outside 0..1 where it lies beyond what sRGB shows.
LinearRgb LinearOf(const Oklab& colour);
float DistanceSquared(const Oklab& x, const Oklab& y);

} // namespace picture
