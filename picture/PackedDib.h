#pragma once

#include "picture/Picture.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace picture {

// A packed device-independent bitmap, as the clipboard holds one (CF_DIB, CF_DIBV5): a
// BITMAPINFOHEADER or one of its longer successors (or the old 12-byte core header), colour
// masks or a palette, then the rows, bottom-up or top-down. 1, 4, 8, 16, 24 and 32 bits a
// pixel, uncompressed or with bit fields, alpha where it has some. Nothing is read beyond size
// bytes whatever the header claims: a header that promises more pixels than the block holds
// gives nothing.
std::optional<Picture> DecodePackedDib(const std::uint8_t* data, std::size_t size);

} // namespace picture
