#include "picture/ColourLevels.h"

#include "collection/CollectionFormat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

namespace picture {

namespace {

constexpr int kLevels = 32;

const std::array<float, kLevels>& LevelLinear() {
    static const std::array<float, kLevels> table = [] {
        std::array<float, kLevels> t{};
        for (int level = 0; level < kLevels; ++level) {
            t[static_cast<std::size_t>(level)] =
                LinearOfByte()[static_cast<std::size_t>(sgc::ExpandChannel(level))];
        }
        return t;
    }();
    return table;
}

// The three levels whose shown values lie nearest to each 8-bit value.
const std::array<std::array<std::uint8_t, 3>, 256>& NearestThree() {
    static const auto table = [] {
        std::array<std::array<std::uint8_t, 3>, 256> t{};
        for (int v = 0; v < 256; ++v) {
            std::array<int, kLevels> levels{};
            for (int level = 0; level < kLevels; ++level) {
                levels[static_cast<std::size_t>(level)] = level;
            }
            std::stable_sort(levels.begin(), levels.end(), [v](int x, int y) {
                return std::abs(sgc::ExpandChannel(x) - v) < std::abs(sgc::ExpandChannel(y) - v);
            });
            for (std::size_t i = 0; i < 3; ++i) {
                t[static_cast<std::size_t>(v)][i] = static_cast<std::uint8_t>(levels[i]);
            }
        }
        return t;
    }();
    return table;
}

struct StoredColour {
    Oklab lab;
    float chroma;
};

// Every colour a collection stores, in OKLab, by its word.
const std::vector<StoredColour>& StoredColours() {
    static const std::vector<StoredColour> table = [] {
        std::vector<StoredColour> t(kLevels * kLevels * kLevels);
        const auto& linear = LevelLinear();
        for (std::size_t i = 0; i < t.size(); ++i) {
            Oklab lab = OklabOf({linear[i >> 10], linear[(i >> 5) & 31], linear[i & 31]});
            t[i] = {lab, lab.Chroma()};
        }
        return t;
    }();
    return table;
}

LinearRgb Clamped(const LinearRgb& colour) {
    return {std::clamp(colour[0], 0.0f, 1.0f), std::clamp(colour[1], 0.0f, 1.0f),
            std::clamp(colour[2], 0.0f, 1.0f)};
}

// The stored colour nearest to colour in OKLab among the three levels nearest to each of its
// channels (27 candidates), of chroma at most allowed; none when every candidate has more.
std::optional<StoredLevels> NearestAmongLevelsAround(const LinearRgb& colour, float allowed) {
    const LinearRgb clamped = Clamped(colour);
    std::array<const std::array<std::uint8_t, 3>*, 3> near{};
    for (std::size_t c = 0; c < 3; ++c) {
        near[c] = &NearestThree()[static_cast<std::size_t>(std::lround(EncodeSrgb(clamped[c])))];
    }
    const Oklab wanted = OklabOf(clamped);
    const auto& stored = StoredColours();
    float best = std::numeric_limits<float>::max();
    std::optional<StoredLevels> chosen;
    for (std::uint8_t r : *near[0]) {
        for (std::uint8_t g : *near[1]) {
            for (std::uint8_t b : *near[2]) {
                const StoredColour& candidate = stored[sgc::PackWord(r, g, b)];
                const float distance = DistanceSquared(candidate.lab, wanted);
                if (candidate.chroma <= allowed && distance < best) {
                    best = distance, chosen = StoredLevels{r, g, b};
                }
            }
        }
    }
    return chosen;
}

// The levels of a colour that is, to well within a step of the encoded scale, one the collection
// stores; nothing for any other.
std::optional<StoredLevels> StoredExactly(const LinearRgb& colour) {
    std::array<std::uint8_t, 3> levels{};
    for (std::size_t c = 0; c < 3; ++c) {
        const float encoded = EncodeSrgb(colour[c]);
        const std::uint8_t level =
            NearestThree()[static_cast<std::size_t>(std::lround(encoded))][0];
        if (std::abs(static_cast<float>(sgc::ExpandChannel(level)) - encoded) > 0.05f) {
            return std::nullopt;
        }
        levels[c] = level;
    }
    return StoredLevels{levels[0], levels[1], levels[2]};
}

} // namespace

float AllowedChroma(float chroma, bool dithered) {
    if (chroma <= kNeutralChroma) {
        return std::min(chroma + kTintAllowance, kNeutralChroma);
    }
    return dithered ? chroma + kTintAllowance : std::numeric_limits<float>::max();
}

float LinearOfLevel(int level) {
    return LevelLinear()[static_cast<std::size_t>(std::clamp(level, 0, kLevels - 1))];
}

Rgb ShownOf(StoredLevels levels) {
    return {static_cast<std::uint8_t>(sgc::ExpandChannel(levels.red)),
            static_cast<std::uint8_t>(sgc::ExpandChannel(levels.green)),
            static_cast<std::uint8_t>(sgc::ExpandChannel(levels.blue))};
}

StoredLevels ChooseStorable(const LinearRgb& colour) {
    // A colour the collection stores is its own choice: found at once, as every pixel of
    // brelt's own sheet is.
    if (std::optional<StoredLevels> stored = StoredExactly(colour)) {
        return *stored;
    }
    const float allowed = AllowedChroma(OklabOf(Clamped(colour)).Chroma());
    // Never without a choice: a colour's own grey levels are among its candidates.
    std::optional<StoredLevels> chosen = NearestAmongLevelsAround(colour, allowed);
    return chosen ? *chosen : *NearestAmongLevelsAround(colour, std::numeric_limits<float>::max());
}

StoredLevels ChooseDithered(const LinearRgb& aimed, const LinearRgb& own) {
    const float allowed = AllowedChroma(OklabOf(Clamped(own)).Chroma(), true);
    // A dither that drifted far from a grey may find no untinted colour near where it aims: the
    // colour's own choice then.
    std::optional<StoredLevels> chosen = NearestAmongLevelsAround(aimed, allowed);
    return chosen ? *chosen : ChooseStorable(own);
}

Rgb NearestStorable(Rgb colour) {
    const auto& linear = LinearOfByte();
    return ShownOf(ChooseStorable({linear[colour.red], linear[colour.green], linear[colour.blue]}));
}

} // namespace picture
