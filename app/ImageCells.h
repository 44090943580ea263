#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

// Draws one cell of brelt's sheet, on white (or background): the image (as the display shows it)
// at zoom times its size, in from the cell's top left by the inset the sheet import reads it at,
// and its number centred under it in the font selected into dc.
void DrawImageCell(HDC dc, const RECT& cell, const std::array<std::uint8_t, 3072>& shown, int zoom,
                   int number, COLORREF background = RGB(255, 255, 255));
