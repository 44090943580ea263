#pragma once

#include "editor/Stamp.h"

#include <vector>

// What the stamp editor's tools and commands do to a stamp. Each paints only the pixels it names
// and moves the others' words whole.
namespace editor {

// Every pixel from a to b, both ends included, none missed: a freehand stroke joins its mouse
// positions with it, so that a fast drag leaves no gaps.
std::vector<Point> LinePoints(Point a, Point b);
void DrawLine(Stamp& stamp, Point a, Point b, Colour colour);
// The rectangle with corners a and b: its outline, or filled.
void DrawRectangle(Stamp& stamp, Point a, Point b, Colour colour, bool filled);
// The ellipse inside the rectangle with corners a and b: its outline, or filled. The same on both
// sides of each axis, at every size; its outline closed, so that a fill inside stays inside.
void DrawEllipse(Stamp& stamp, Point a, Point b, Colour colour, bool filled);

// "Omple": which pixels join the one clicked.
struct FillOptions {
    // The greatest distance in OKLab, in hundredths, of a colour that joins the clicked one. The
    // default joins colours one level apart: a photo's greys differ by that much.
    int tolerance = 7;
    // Every pixel of those colours, touching or not.
    bool wholeColour = false;
};
inline constexpr int kMaxTolerance = 100;
// The 4-connected area of at's colour (within the tolerance) becomes colour.
void FloodFill(Stamp& stamp, Point at, Colour colour, const FillOptions& options = {0, false});
// Every pixel of colour `from` becomes `to`.
void ReplaceColour(Stamp& stamp, Colour from, Colour to);
// Every pixel painted white.
void ClearAll(Stamp& stamp);

void FlipHorizontally(Stamp& stamp);
void FlipVertically(Stamp& stamp);
void RotateLeft(Stamp& stamp);  // a quarter turn anticlockwise
void RotateRight(Stamp& stamp); // a quarter turn clockwise
// The whole stamp moved by dx, dy pixels, what leaves one side coming back on the other.
void Shift(Stamp& stamp, int dx, int dy);

} // namespace editor
