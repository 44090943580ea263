#pragma once

#include "editor/Stamp.h"
#include "printing/Paper.h"

#include <windows.h>

#include <vector>

// The one drawing of a page, for the printer and for the preview alike: the page's shapes from
// tenths of a millimetre into a device's pixels.
struct PageScale {
    double pixelsPerTenthX = 0, pixelsPerTenthY = 0;
    // Where the paper's top left corner falls on the device.
    double originX = 0, originY = 0;
};
// A printer's: its pixels, its drawing origin at the first pixel it can print.
PageScale PrinterScale(HDC printer);

// stamps: the collection's, image n at n - 1.
void DrawPage(HDC dc, const printing::Page& page, const PageScale& scale,
              const std::vector<editor::Stamp>& stamps);
