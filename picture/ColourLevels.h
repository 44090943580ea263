#pragma once

#include <cstdint>

namespace picture {

// A colour as the display shows it, 8 bits a channel.
struct Rgb {
    std::uint8_t red, green, blue;
    bool operator==(const Rgb&) const = default;
};

// The colour a collection can store that lies nearest to colour, as the display shows it: each
// channel one of the 32 levels the display expands 5 bits to.
Rgb NearestStorable(Rgb colour);

} // namespace picture
