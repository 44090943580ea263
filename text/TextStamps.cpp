#include "text/TextStamps.h"

#include "editor/Effects.h"
#include "picture/ColourLevels.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace text {

namespace {

constexpr std::uint8_t kHalf = 128;
constexpr int kSamples = 4; // a side, in every stamp pixel

bool IsWhole(const Drawing& drawing) {
    return drawing.coverage.size() == static_cast<std::size_t>(drawing.width) * drawing.height;
}

Placement Centred(const InkBox& ink, double scale, double centreY) {
    return {scale, editor::kSide / 2.0 - scale * (ink.left + ink.right) / 2.0,
            editor::kSide / 2.0 - scale * centreY};
}

} // namespace

InkBox InkOf(const Drawing& drawing) {
    if (!IsWhole(drawing)) {
        return {};
    }
    InkBox box{drawing.width, drawing.height, 0, 0};
    for (int y = 0; y < drawing.height; ++y) {
        for (int x = 0; x < drawing.width; ++x) {
            if (drawing.At(x, y) >= kHalf) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
        }
    }
    return box.Empty() ? InkBox{} : box;
}

Placement FitAlone(const InkBox& ink) {
    if (ink.Empty()) {
        return {};
    }
    const double scale = std::min(static_cast<double>(kRoom) / ink.Width(),
                                  static_cast<double>(kRoom) / ink.Height());
    return Centred(ink, scale, (ink.top + ink.bottom) / 2.0);
}

std::vector<Placement> FitSeries(const std::vector<Drawing>& drawings) {
    // Measured from each drawing's baseline: the highest ink above it and the lowest below.
    int above = std::numeric_limits<int>::max(), below = std::numeric_limits<int>::min();
    int widest = 0;
    std::vector<InkBox> inks;
    for (const Drawing& drawing : drawings) {
        inks.push_back(InkOf(drawing));
        if (!inks.back().Empty()) {
            above = std::min(above, inks.back().top - drawing.baseline);
            below = std::max(below, inks.back().bottom - drawing.baseline);
            widest = std::max(widest, inks.back().Width());
        }
    }
    std::vector<Placement> placements;
    if (widest == 0) {
        return std::vector<Placement>(drawings.size());
    }
    const double scale =
        std::min(static_cast<double>(kRoom) / widest, static_cast<double>(kRoom) / (below - above));
    for (std::size_t i = 0; i < drawings.size(); ++i) {
        const double middle = drawings[i].baseline + (above + below) / 2.0;
        placements.push_back(Centred(inks[i], scale, middle));
    }
    return placements;
}

namespace {

// How much of the pixel at x, y the drawing placed so covers, 0..1, from kSamples^2 samples.
float Sampled(const Drawing& drawing, const Placement& placement, int x, int y) {
    float sum = 0;
    for (int s = 0; s < kSamples * kSamples; ++s) {
        // The sample's place in the drawing.
        const double sx = x + (s % kSamples + 0.5) / kSamples;
        const double sy = y + (s / kSamples + 0.5) / kSamples;
        const auto dx = static_cast<int>((sx - placement.offsetX) / placement.scale);
        const auto dy = static_cast<int>((sy - placement.offsetY) / placement.scale);
        if (sx >= placement.offsetX && sy >= placement.offsetY && dx < drawing.width &&
            dy < drawing.height) {
            sum += drawing.At(dx, dy) / 255.0f;
        }
    }
    return sum / (kSamples * kSamples);
}

} // namespace

std::array<float, editor::kSide * editor::kSide> CoverageIn(const Drawing& drawing,
                                                            const Placement& placement) {
    std::array<float, editor::kSide * editor::kSide> coverage{};
    if (placement.scale <= 0 || !IsWhole(drawing)) {
        return coverage;
    }
    for (int y = 0; y < editor::kSide; ++y) {
        for (int x = 0; x < editor::kSide; ++x) {
            coverage[static_cast<std::size_t>(y * editor::kSide + x)] =
                Sampled(drawing, placement, x, y);
        }
    }
    return coverage;
}

editor::Piece LettersOf(const Drawing& drawing, double scale, editor::Colour ink) {
    const InkBox box = InkOf(drawing);
    if (scale <= 0 || !IsWhole(drawing) || box.Empty()) {
        return {};
    }
    const Placement placement{scale, -scale * box.left, -scale * box.top};
    auto side = [scale](int drawn) {
        return std::clamp(static_cast<int>(std::ceil(scale * drawn)), 1, kMaxLetters);
    };
    editor::Piece letters = editor::Plain(side(box.Width()), side(box.Height()), ink);
    for (int y = 0; y < letters.height; ++y) {
        for (int x = 0; x < letters.width; ++x) {
            letters.clear.push_back(Sampled(drawing, placement, x, y) < 0.5f);
        }
    }
    return letters;
}

namespace {

editor::Colour Blend(editor::Colour ink, editor::Colour background, float share) {
    picture::LinearRgb linear{};
    const int inkLevels[] = {sgc::RedOf(ink), sgc::GreenOf(ink), sgc::BlueOf(ink)};
    const int backLevels[] = {sgc::RedOf(background), sgc::GreenOf(background),
                              sgc::BlueOf(background)};
    for (std::size_t c = 0; c < 3; ++c) {
        linear[c] = share * picture::LinearOfLevel(inkLevels[c]) +
                    (1 - share) * picture::LinearOfLevel(backLevels[c]);
    }
    const picture::StoredLevels stored = picture::ChooseStorable(linear);
    return editor::MakeColour(stored.red, stored.green, stored.blue);
}

} // namespace

editor::Stamp Paint(const std::array<float, editor::kSide * editor::kSide>& coverage,
                    const Colours& colours, bool smooth) {
    editor::Stamp stamp;
    for (int i = 0; i < editor::kSide * editor::kSide; ++i) {
        const float share = coverage[static_cast<std::size_t>(i)];
        editor::Colour colour = share >= 0.5f ? colours.ink : colours.background;
        if (smooth && share > 0 && share < 1) {
            colour = Blend(colours.ink, colours.background, share);
        }
        stamp.Paint({i % editor::kSide, i / editor::kSide}, colour);
    }
    if (colours.outline) {
        editor::DrawOutline(stamp, {false, false, colours.outlineColour, colours.background});
    }
    return stamp;
}

} // namespace text
