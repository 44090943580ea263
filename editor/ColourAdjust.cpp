#include "editor/ColourAdjust.h"

#include "picture/ColourLevels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>

namespace editor {

namespace {

picture::Oklab LabOf(Colour colour) {
    return picture::OklabOf({picture::LinearOfLevel(sgc::RedOf(colour)),
                             picture::LinearOfLevel(sgc::GreenOf(colour)),
                             picture::LinearOfLevel(sgc::BlueOf(colour))});
}

bool Showable(const picture::Oklab& lab) {
    const picture::LinearRgb linear = picture::LinearOf(lab);
    return std::all_of(linear.begin(), linear.end(),
                       [](float c) { return c >= -1e-4f && c <= 1.0f + 1e-4f; });
}

// The colour with its chroma reduced, at its hue and lightness, until the screen can show it.
picture::Oklab IntoGamut(picture::Oklab lab) {
    if (Showable(lab)) {
        return lab;
    }
    float low = 0, high = 1;
    for (int step = 0; step < 20; ++step) {
        const float mid = (low + high) / 2;
        (Showable({lab.lightness, lab.a * mid, lab.b * mid}) ? low : high) = mid;
    }
    return {lab.lightness, lab.a * low, lab.b * low};
}

// The 5-bit level whose shown value lies nearest to a linear light, and the two either side.
std::array<int, 3> LevelsAround(float linear) {
    const float encoded = picture::EncodeSrgb(std::clamp(linear, 0.0f, 1.0f));
    const int level = std::clamp(static_cast<int>(std::lround(encoded * 31.0f / 255.0f)), 0, 31);
    return {std::max(level - 1, 0), level, std::min(level + 1, 31)};
}

// The stored colour nearest to aim among the levels around it; with keepLightness, lightness
// weighs most and a grey stays untinted.
Colour NearestStored(const picture::Oklab& aim, bool keepLightness) {
    const picture::LinearRgb linear = picture::LinearOf(aim);
    const float weight = keepLightness ? 16.0f : 1.0f;
    const float allowed =
        keepLightness ? picture::AllowedChroma(aim.Chroma()) : std::numeric_limits<float>::max();
    Colour best = kBlack;
    float bestScore = std::numeric_limits<float>::max();
    for (int r : LevelsAround(linear[0])) {
        for (int g : LevelsAround(linear[1])) {
            for (int b : LevelsAround(linear[2])) {
                const Colour candidate = MakeColour(r, g, b);
                const picture::Oklab lab = LabOf(candidate);
                const float dl = lab.lightness - aim.lightness, da = lab.a - aim.a,
                            db = lab.b - aim.b;
                const float score = weight * dl * dl + da * da + db * db;
                if (lab.Chroma() <= allowed && score < bestScore) {
                    best = candidate, bestScore = score;
                }
            }
        }
    }
    return best;
}

} // namespace

float AimedLightness(float l, int lightness) {
    const float t = static_cast<float>(std::clamp(lightness, -100, 100)) / 100.0f;
    return t >= 0 ? l + (1 - l) * t : l * (1 + t);
}

Colour Adjusted(Colour colour, const ColourAdjustment& adjustment) {
    if (adjustment == ColourAdjustment{0, 0, 0, adjustment.keepLightness}) {
        return ColourOf(colour);
    }
    const picture::Oklab lab = LabOf(colour);
    const float chroma = lab.Chroma() * (1.0f + std::clamp(adjustment.chroma, -100, 100) / 100.0f);
    const float hue = std::atan2(lab.b, lab.a) +
                      static_cast<float>(adjustment.hueTurn) * std::numbers::pi_v<float> / 180.0f;
    picture::Oklab aim{AimedLightness(lab.lightness, adjustment.lightness), chroma * std::cos(hue),
                       chroma * std::sin(hue)};
    if (adjustment.keepLightness) {
        aim = IntoGamut(aim);
    }
    return NearestStored(aim, adjustment.keepLightness);
}

void AdjustColours(Stamp& stamp, const ColourAdjustment& adjustment) {
    std::map<Colour, Colour> adjusted;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const Colour colour = stamp.ColourAt({x, y});
            auto [at, added] = adjusted.try_emplace(colour, colour);
            if (added) {
                at->second = Adjusted(colour, adjustment);
            }
            if (at->second != colour) {
                stamp.Paint({x, y}, at->second);
            }
        }
    }
}

} // namespace editor
