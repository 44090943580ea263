#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

// Draws one cell of a grid of images, on white (or background): the image (as the display shows
// it) at zoom times its size, 2 pixels in from the cell's top left, and its number centred under
// it in the font selected into dc. For the overview and the printable sheet alike.
void DrawImageCell(HDC dc, const RECT& cell, const std::array<std::uint8_t, 3072>& shown, int zoom,
                   int number, COLORREF background = RGB(255, 255, 255));
