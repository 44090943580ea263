#pragma once

#include "picture/Picture.h"

#include <array>
#include <cstdint>
#include <optional>

namespace picture {

// How a picture is fitted into the square of a stamp.
enum class Framing {
    Fit,  // "Encaixa": the whole picture inside, centred, with white margins
    Crop, // "Retalla": the square filled, the centre of the picture kept
};

struct StampOptions {
    Framing framing = Framing::Fit;
    bool dither = false; // "Tramat": Floyd-Steinberg error diffusion, serpentine
};

// 32x32 pixels, top row first, three bytes each in the order blue, green, red.
using Stamp = std::array<std::uint8_t, 32 * 32 * 3>;

// The stamp a collection will store for picture: resampled into 32x32 (area averages in linear
// light when reducing, nearest pixels when enlarging), composited over white, every channel
// reduced to the 5 bits a collection keeps and expanded back exactly as the display shows it, so
// that the result is the stored stamp pixel for pixel. Nothing for a picture that is not usable.
std::optional<Stamp> ConvertToStamp(const Picture& picture, const StampOptions& options);

// The picture fitted into a side x side square over white, for showing it: the same
// resampling, eight bits a channel, blue-green-red, top row first. Empty when not usable.
std::vector<std::uint8_t> FitForDisplay(const Picture& picture, int side);

} // namespace picture
