#pragma once

#include "editor/Stamp.h"

// "Ajusta els colors...": the stamp's colours turned, lightened and made more or less colourful
// in OKLab, each result a colour the collection stores.
namespace editor {

struct ColourAdjustment {
    int hueTurn = 0;   // degrees, -180..180
    int lightness = 0; // -100 (black) .. 100 (white)
    int chroma = 0;    // percent more or less colourful, -100 (grey) .. 100 (twice)
    // Each colour keeps its perceived lightness (OKLab's L, moved only by `lightness`): a colour
    // the screen cannot show at that lightness loses colourfulness, not lightness, and the
    // stored colour is chosen for its lightness first. Off, it is simply the nearest one.
    bool keepLightness = true;
    bool operator==(const ColourAdjustment&) const = default;
};

// The largest difference in OKLab's L between what an adjustment aims at and the stored colour
// it gives, with keepLightness on, over every colour and adjustment (the tests hold it to it).
inline constexpr float kLightnessTolerance = 0.04f;

Colour Adjusted(Colour colour, const ColourAdjustment& adjustment);
// Every pixel adjusted; the words of pixels whose colour comes out the same are left whole.
void AdjustColours(Stamp& stamp, const ColourAdjustment& adjustment);

// The lightness an adjustment aims at for a colour of lightness l.
float AimedLightness(float l, int lightness);

} // namespace editor
