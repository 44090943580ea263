#pragma once

#include <cstdint>
#include <vector>

namespace picture {

// A decoded picture: width x height pixels, top row first, four bytes each in the order blue,
// green, red, alpha (straight, not premultiplied), as the system's decoders hand them over.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgra;
};

// The largest side a picture may have here: beyond it a picture is refused, never converted.
inline constexpr int kMaxSide = 65535;
// The most pixels converted at once: the decoder reduces anything larger first.
inline constexpr long long kMaxPixels = 50'000'000;

// Whether picture holds a whole picture of a size that can be converted.
bool IsUsable(const Picture& picture);

} // namespace picture
