#pragma once

#include "picture/Picture.h"

#include <array>
#include <cstdint>
#include <optional>

namespace picture {

// How a picture is fitted into the square of a stamp.
enum class Framing {
    Fit,  // "Encaixa": the whole picture inside, centred on whole pixels, with white margins
    Crop, // "Retalla": the square filled with the part of the picture the user places
};

// Where the square that "Retalla" keeps lies, across the room it has to move in: 0 at the left
// (top), 1 at the right (bottom). The centre unless the user moves it.
struct CropPlace {
    double x = 0.5;
    double y = 0.5;
    bool operator==(const CropPlace&) const = default;
};

struct StampOptions {
    Framing framing = Framing::Fit;
    bool dither = false;      // "Tramat": Floyd-Steinberg error diffusion in linear light
    bool trimMargins = false; // "Retalla els marges": see TrimmedBounds
    CropPlace crop;
};

// A part of a picture, in its pixels.
struct Region {
    double left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Region&) const = default;
};

// Whether any pixel of picture is less than opaque.
bool HasTransparency(const Picture& picture);

// The picture without its margins, so that clip art and icons fill the stamp: the rows and
// columns at its edges that are transparent (alpha 8 or less) or, in an opaque picture, of the
// colour of its top left pixel (each channel within 12). The whole picture when nothing would
// be left.
Region TrimmedBounds(const Picture& picture);

// The part of picture a stamp shows: for "Encaixa" all of it (or its trimmed bounds), for
// "Retalla" the square that is kept.
Region KeptRegion(const Picture& picture, const StampOptions& options);
// The crop place that puts the kept square's top left corner nearest to (left, top).
CropPlace CropPlaceAt(const Picture& picture, const StampOptions& options, double left, double top);

// 32x32 pixels, top row first, three bytes each in the order blue, green, red.
using Stamp = std::array<std::uint8_t, 32 * 32 * 3>;

// The stamp before its colours are reduced: the kept region resampled into 32x32 in linear
// light (area averages when reducing, nearest pixels when enlarging) and composited over white;
// red, green, blue for each pixel, top row first.
struct FramedStamp {
    std::array<float, 32 * 32 * 3> linear{};
};
std::optional<FramedStamp> FrameStamp(const Picture& picture, const StampOptions& options);

// The colours a collection stores for a framed stamp (see ChooseStorable), as the display
// shows them, so that the result is the stored stamp pixel for pixel.
Stamp ReduceColours(const FramedStamp& framed, bool dither);

// FrameStamp, then ReduceColours. Nothing for a picture that is not usable.
std::optional<Stamp> ConvertToStamp(const Picture& picture, const StampOptions& options);

// Where in the stamp the picture's kept region lands: the whole square for "Retalla", the part
// centred on whole pixels for "Encaixa". Empty when the picture is not usable.
Region StampArea(const Picture& picture, const StampOptions& options);

// Where the whole picture lies in a side x side square it is fitted into for showing it.
struct Placement {
    double left = 0, top = 0, scale = 1;
};
Placement FitPlacement(const Picture& picture, int side);

// The picture fitted into a side x side square over white, for showing it: the same
// resampling, eight bits a channel, blue-green-red, top row first. Empty when not usable.
std::vector<std::uint8_t> FitForDisplay(const Picture& picture, int side);

} // namespace picture
