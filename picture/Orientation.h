#pragma once

#include "picture/Picture.h"

#include <cstddef>
#include <cstdint>

namespace picture {

// The EXIF orientation (1 to 8) that a JPEG file's first bytes record, read from its APP1
// segment in either byte order; 1 (upright) when there is none or it can't be read. Reads
// nothing outside data[0..size).
int JpegExifOrientation(const std::uint8_t* data, std::size_t size);

// Turns and mirrors picture as an EXIF orientation says, so that it stands upright.
void ApplyOrientation(Picture& picture, int orientation);

} // namespace picture
