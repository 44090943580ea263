#pragma once

#include "picture/StampConversion.h"

#include <cstdio>

namespace picture {

// Writes stamp as a complete 32x32, 24-bit BMP file (bottom row first, as the format wants) at
// dst's position: the file the image import takes as it is.
void WriteStampBitmap(std::FILE* dst, const Stamp& stamp);

} // namespace picture
