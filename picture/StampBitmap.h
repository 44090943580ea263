#pragma once

#include "picture/StampConversion.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace picture {

// Writes stamp as a complete 32x32, 24-bit BMP file (bottom row first, as the format wants) at
// dst's position: the file the image import takes as it is.
void WriteStampBitmap(std::FILE* dst, const Stamp& stamp);

// The 2048-byte pixel area a collection stores for stamp, as the import would write it.
std::vector<std::uint8_t> StampPixelArea(const Stamp& stamp);

} // namespace picture
