#pragma once

#include "picture/StampConversion.h"

#include <optional>

// What the user last chose in "Converteix la imatge en segell": the next picture of the session
// starts with it.
struct ConversionChoices {
    picture::Framing framing = picture::Framing::Fit;
    bool dither = false;
    std::optional<bool> trimMargins; // until chosen, on for pictures with transparency
    bool darkOutline = false;        // "Contorn fosc"
};

// The options a picture's conversion starts with.
inline picture::StampOptions StartingOptions(const ConversionChoices& choices,
                                             const picture::Picture& picture) {
    picture::StampOptions options;
    options.framing = choices.framing;
    options.dither = choices.dither;
    options.trimMargins = choices.trimMargins.value_or(picture::HasTransparency(picture));
    return options;
}
