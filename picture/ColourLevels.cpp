#include "picture/ColourLevels.h"

#include "collection/CollectionFormat.h"

#include <array>
#include <cstdlib>

namespace picture {

namespace {

// The displayed level nearest to each 8-bit value.
const std::array<std::uint8_t, 256>& NearestLevels() {
    static const std::array<std::uint8_t, 256> table = [] {
        std::array<std::uint8_t, 256> t{};
        for (int v = 0; v < 256; ++v) {
            int best = 0;
            for (int level = 1; level < 32; ++level) {
                if (std::abs(sgc::ExpandChannel(level) - v) <
                    std::abs(sgc::ExpandChannel(best) - v)) {
                    best = level;
                }
            }
            t[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(sgc::ExpandChannel(best));
        }
        return t;
    }();
    return table;
}

} // namespace

Rgb NearestStorable(Rgb colour) {
    const auto& nearest = NearestLevels();
    return {nearest[colour.red], nearest[colour.green], nearest[colour.blue]};
}

} // namespace picture
