#pragma once

#include "editor/Stamp.h"

#include <optional>

// "Contorn..." and "Ombra...": lines the stamp's drawing is given. The drawing is every pixel
// whose colour differs from the background's.
namespace editor {

// The background a drawing is told from unless the user picks one: the colour of most of the
// four corners (the top left one's when they are all different).
Colour CornerColour(const Stamp& stamp);

struct OutlineOptions {
    bool inside = false;  // on the drawing's own edge pixels rather than around them
    bool corners = false; // touching the drawing by a corner too, not only by a side
    Colour colour = kBlack;
    std::optional<Colour> background; // CornerColour when none
};
// A line of one pixel around the drawing (outside: the pixels next to it and not in it), or on
// its edge (inside: its pixels next to one that is not, or to the stamp's edge).
void DrawOutline(Stamp& stamp, const OutlineOptions& options);

struct ShadowOptions {
    int dx = 1, dy = 1;                     // where the shadow falls, -2..2 pixels each way
    Colour colour = MakeColour(18, 18, 18); // a grey of the editor's palette
    std::optional<Colour> background;
};
// The drawing's shadow, under it: the background pixels the drawing covers when moved by dx, dy.
void DrawShadow(Stamp& stamp, const ShadowOptions& options);

} // namespace editor
