#include "picture/StampConversion.h"

#include "collection/CollectionFormat.h"

#include <algorithm>
#include <cmath>

namespace picture {

namespace {

constexpr int kSide = 32;

// sRGB-encoded 8-bit value to linear light, 0..1.
const std::array<float, 256>& LinearOf() {
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int i = 0; i < 256; ++i) {
            double c = i / 255.0;
            t[i] =
                static_cast<float>(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
        }
        return t;
    }();
    return table;
}

// Linear light, 0..1, to an sRGB-encoded value on the 0..255 scale, not rounded.
float EncodeSrgb(float linear) {
    float c = std::clamp(linear, 0.0f, 1.0f);
    float encoded = c <= 0.0031308f ? c * 12.92f : 1.055f * std::pow(c, 1.0f / 2.4f) - 0.055f;
    return encoded * 255.0f;
}

constexpr auto Expand = sgc::ExpandChannel;

// The 5-bit value whose displayed value lies nearest to an 8-bit value.
const std::array<std::uint8_t, 256>& NearestLevel() {
    static const std::array<std::uint8_t, 256> table = [] {
        std::array<std::uint8_t, 256> t{};
        for (int v = 0; v < 256; ++v) {
            int best = 0;
            for (int level = 1; level < 32; ++level) {
                if (std::abs(Expand(level) - v) < std::abs(Expand(best) - v)) {
                    best = level;
                }
            }
            t[v] = static_cast<std::uint8_t>(best);
        }
        return t;
    }();
    return table;
}

// Which source pixels along one axis make up each canvas pixel, and with what weight (canvas
// units: a canvas pixel measures 1). Weight not covered by the picture is white margin.
struct Contribution {
    int source;
    float weight;
};
struct AxisMap {
    std::vector<std::vector<Contribution>> perCanvasPixel;
    std::vector<float> covered; // how much of each canvas pixel the picture covers
};

// The picture spans [offset, offset + length * scale] on a canvas of side pixels. Reducing, each
// source pixel adds its overlap with a canvas pixel; enlarging, each canvas pixel takes the
// source pixel under its centre whole.
AxisMap MapAxis(int length, double scale, double offset, int side) {
    AxisMap map{std::vector<std::vector<Contribution>>(static_cast<std::size_t>(side)),
                std::vector<float>(static_cast<std::size_t>(side), 0.0f)};
    if (scale > 1.0) {
        for (int i = 0; i < side; ++i) {
            double source = std::floor((i + 0.5 - offset) / scale);
            if (source >= 0 && source < length) {
                map.perCanvasPixel[i].push_back({static_cast<int>(source), 1.0f});
                map.covered[i] = 1.0f;
            }
        }
        return map;
    }
    for (int c = 0; c < length; ++c) {
        double from = offset + c * scale, to = from + scale;
        for (int i = std::max(0, static_cast<int>(std::floor(from))); i < side && i < std::ceil(to);
             ++i) {
            double overlap = std::min(to, i + 1.0) - std::max(from, static_cast<double>(i));
            if (overlap > 0) {
                map.perCanvasPixel[i].push_back({c, static_cast<float>(overlap)});
                map.covered[i] += static_cast<float>(overlap);
            }
        }
    }
    return map;
}

// The picture resampled onto a side x side canvas in linear light, composited over white: three
// floats a pixel, red, green, blue, top row first. Compositing each pixel over white before
// averaging equals averaging premultiplied colours and compositing after, and needs no alpha.
std::vector<float> Resample(const Picture& picture, int side, Framing framing) {
    double scaleX = static_cast<double>(side) / picture.width;
    double scaleY = static_cast<double>(side) / picture.height;
    double scale = framing == Framing::Fit ? std::min(scaleX, scaleY) : std::max(scaleX, scaleY);
    AxisMap columns = MapAxis(picture.width, scale, (side - picture.width * scale) / 2, side);
    AxisMap rows = MapAxis(picture.height, scale, (side - picture.height * scale) / 2, side);

    // Rows whose contributions reach a canvas row, so that each source row is read once.
    std::vector<std::vector<std::pair<int, float>>> rowTargets(
        static_cast<std::size_t>(picture.height));
    for (int j = 0; j < side; ++j) {
        for (const Contribution& r : rows.perCanvasPixel[j]) {
            rowTargets[r.source].push_back({j, r.weight});
        }
    }
    const auto& linear = LinearOf();
    std::vector<float> canvas(static_cast<std::size_t>(side * side * 3), 0.0f);
    std::vector<float> sourceRow(static_cast<std::size_t>(picture.width) * 3);
    std::vector<float> canvasRow(static_cast<std::size_t>(side) * 3);
    for (int y = 0; y < picture.height; ++y) {
        if (rowTargets[y].empty()) {
            continue;
        }
        const std::uint8_t* pixel =
            picture.bgra.data() + static_cast<std::size_t>(y) * picture.width * 4;
        for (int x = 0; x < picture.width; ++x, pixel += 4) {
            float* out = &sourceRow[static_cast<std::size_t>(x) * 3];
            if (pixel[3] == 255) { // most pictures: nothing to composite
                out[0] = linear[pixel[2]], out[1] = linear[pixel[1]], out[2] = linear[pixel[0]];
                continue;
            }
            float alpha = pixel[3] / 255.0f;
            for (int channel = 0; channel < 3; ++channel) {
                out[channel] = alpha * linear[pixel[2 - channel]] + (1.0f - alpha);
            }
        }
        for (int i = 0; i < side; ++i) {
            float sum[3] = {0, 0, 0};
            for (const Contribution& c : columns.perCanvasPixel[i]) {
                for (int channel = 0; channel < 3; ++channel) {
                    sum[channel] += c.weight * sourceRow[c.source * 3 + channel];
                }
            }
            std::copy(sum, sum + 3, canvasRow.begin() + i * 3);
        }
        for (auto [j, weight] : rowTargets[y]) {
            for (int k = 0; k < side * 3; ++k) {
                canvas[j * side * 3 + k] += weight * canvasRow[k];
            }
        }
    }
    // What the picture leaves uncovered is white margin.
    for (int j = 0; j < side; ++j) {
        for (int i = 0; i < side; ++i) {
            float margin = 1.0f - columns.covered[i] * rows.covered[j];
            for (int channel = 0; channel < 3; ++channel) {
                canvas[(j * side + i) * 3 + channel] += std::max(0.0f, margin);
            }
        }
    }
    return canvas;
}

} // namespace

std::optional<Stamp> ConvertToStamp(const Picture& picture, const StampOptions& options) {
    if (!IsUsable(picture)) {
        return std::nullopt;
    }
    std::vector<float> canvas = Resample(picture, kSide, options.framing);
    std::vector<float> wanted(canvas.size());
    std::transform(canvas.begin(), canvas.end(), wanted.begin(), EncodeSrgb);

    const auto& nearest = NearestLevel();
    Stamp stamp{};
    for (int y = 0; y < kSide; ++y) {
        // Serpentine: every other row runs right to left, so that errors don't drift one way.
        bool leftToRight = !options.dither || y % 2 == 0;
        for (int step = 0; step < kSide; ++step) {
            int x = leftToRight ? step : kSide - 1 - step;
            for (int channel = 0; channel < 3; ++channel) {
                float value = std::clamp(wanted[(y * kSide + x) * 3 + channel], 0.0f, 255.0f);
                int shown = Expand(nearest[static_cast<int>(std::lround(value))]);
                stamp[(y * kSide + x) * 3 + (2 - channel)] = static_cast<std::uint8_t>(shown);
                if (!options.dither) {
                    continue;
                }
                float error = value - shown;
                int ahead = leftToRight ? 1 : -1;
                auto spread = [&](int dx, int dy, float share) {
                    int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && nx < kSide && ny < kSide) {
                        wanted[(ny * kSide + nx) * 3 + channel] += error * share;
                    }
                };
                spread(ahead, 0, 7.0f / 16);
                spread(-ahead, 1, 3.0f / 16);
                spread(0, 1, 5.0f / 16);
                spread(ahead, 1, 1.0f / 16);
            }
        }
    }
    return stamp;
}

std::vector<std::uint8_t> FitForDisplay(const Picture& picture, int side) {
    if (!IsUsable(picture) || side <= 0) {
        return {};
    }
    std::vector<float> canvas = Resample(picture, side, Framing::Fit);
    std::vector<std::uint8_t> bgr(canvas.size());
    for (std::size_t i = 0; i < canvas.size(); i += 3) {
        for (int channel = 0; channel < 3; ++channel) {
            bgr[i + 2 - channel] =
                static_cast<std::uint8_t>(std::lround(EncodeSrgb(canvas[i + channel])));
        }
    }
    return bgr;
}

} // namespace picture
