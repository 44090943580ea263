#include "picture/StampConversion.h"

#include "picture/ColourLevels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace picture {

namespace {

constexpr int kSide = 32;
constexpr int kInvisibleAlpha = 8;
constexpr int kUniformTolerance = 12;

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

// One axis of a mapping: source pixels first..end - 1 hold the region that starts at
// regionStart, drawn scale canvas pixels to a source pixel from destStart to destEnd.
struct AxisPlan {
    int first, end;
    double regionStart, scale, destStart, destEnd;
};

// Reducing, each source pixel adds its overlap with a canvas pixel; enlarging, each canvas
// pixel takes the source pixel under its centre whole.
AxisMap MapAxis(const AxisPlan& plan, int side) {
    AxisMap map{std::vector<std::vector<Contribution>>(static_cast<std::size_t>(side)),
                std::vector<float>(static_cast<std::size_t>(side), 0.0f)};
    const double low = std::max(0.0, plan.destStart), high = std::min<double>(side, plan.destEnd);
    if (plan.scale > 1.0) {
        for (int i = 0; i < side; ++i) {
            double centre = i + 0.5;
            double source = std::floor(plan.regionStart + (centre - plan.destStart) / plan.scale);
            if (centre >= low && centre < high && source >= plan.first && source < plan.end) {
                map.perCanvasPixel[static_cast<std::size_t>(i)].push_back(
                    {static_cast<int>(source), 1.0f});
                map.covered[static_cast<std::size_t>(i)] = 1.0f;
            }
        }
        return map;
    }
    for (int c = plan.first; c < plan.end; ++c) {
        double from = std::max(low, plan.destStart + (c - plan.regionStart) * plan.scale);
        double to = std::min(high, plan.destStart + (c + 1 - plan.regionStart) * plan.scale);
        for (int i = static_cast<int>(std::floor(from)); i < to; ++i) {
            double overlap = std::min(to, i + 1.0) - std::max(from, static_cast<double>(i));
            if (overlap > 0) {
                map.perCanvasPixel[static_cast<std::size_t>(i)].push_back(
                    {c, static_cast<float>(overlap)});
                map.covered[static_cast<std::size_t>(i)] += static_cast<float>(overlap);
            }
        }
    }
    return map;
}

// A region of the picture and the rectangle of the canvas it is drawn onto.
struct Mapping {
    Region source, dest;
};

AxisPlan PlanAxis(double start, double length, int pictureLength, double destStart,
                  double destLength) {
    int first = std::clamp(static_cast<int>(std::floor(start)), 0, pictureLength);
    int end = std::clamp(static_cast<int>(std::ceil(start + length)), first, pictureLength);
    return {first, end, start, destLength / length, destStart, destStart + destLength};
}

// Rows whose contributions reach a canvas row, by source row, so that each is read once.
std::vector<std::vector<std::pair<int, float>>> RowTargets(const AxisMap& rows, int pictureHeight,
                                                           int side) {
    std::vector<std::vector<std::pair<int, float>>> targets(
        static_cast<std::size_t>(pictureHeight));
    for (int j = 0; j < side; ++j) {
        for (const Contribution& r : rows.perCanvasPixel[static_cast<std::size_t>(j)]) {
            targets[static_cast<std::size_t>(r.source)].push_back({j, r.weight});
        }
    }
    return targets;
}

// Each source column's shares of the canvas columns, flat: the shares of column x are
// shares[from[x - first]] up to shares[from[x - first + 1]], each naming its canvas column as
// its source. One pass over a row then adds every pixel where it goes.
struct ColumnShares {
    std::vector<std::size_t> from;
    std::vector<Contribution> shares;
};

ColumnShares ShareColumns(const AxisMap& columns, int first, int end, int side) {
    ColumnShares result;
    result.from.assign(static_cast<std::size_t>(end - first) + 1, 0);
    for (const auto& contributions : columns.perCanvasPixel) {
        for (const Contribution& c : contributions) {
            ++result.from[static_cast<std::size_t>(c.source - first) + 1];
        }
    }
    for (std::size_t x = 1; x < result.from.size(); ++x) {
        result.from[x] += result.from[x - 1];
    }
    result.shares.resize(result.from.back());
    std::vector<std::size_t> filled(result.from.begin(), result.from.end() - 1);
    for (int i = 0; i < side; ++i) {
        for (const Contribution& c : columns.perCanvasPixel[static_cast<std::size_t>(i)]) {
            result.shares[filled[static_cast<std::size_t>(c.source - first)]++] = {i, c.weight};
        }
    }
    return result;
}

// One source row, from column first to end, spread over the canvas's columns: red, green, blue
// in linear light, each pixel composited over white.
void ResampleRow(const std::uint8_t* pixel, int first, int end, const ColumnShares& columns,
                 std::vector<float>& canvasRow) {
    const auto& linear = LinearOfByte();
    std::fill(canvasRow.begin(), canvasRow.end(), 0.0f);
    for (int x = first; x < end; ++x, pixel += 4) {
        float red = linear[pixel[2]], green = linear[pixel[1]], blue = linear[pixel[0]];
        if (pixel[3] != 255) {
            const float alpha = pixel[3] / 255.0f;
            red = alpha * red + (1.0f - alpha);
            green = alpha * green + (1.0f - alpha);
            blue = alpha * blue + (1.0f - alpha);
        }
        const std::size_t column = static_cast<std::size_t>(x - first);
        for (std::size_t k = columns.from[column]; k < columns.from[column + 1]; ++k) {
            float* out = &canvasRow[static_cast<std::size_t>(columns.shares[k].source) * 3];
            const float weight = columns.shares[k].weight;
            out[0] += weight * red, out[1] += weight * green, out[2] += weight * blue;
        }
    }
}

// What the picture leaves uncovered is white margin.
void AddWhiteMargins(const AxisMap& columns, const AxisMap& rows, int side,
                     std::vector<float>& canvas) {
    for (int j = 0; j < side; ++j) {
        for (int i = 0; i < side; ++i) {
            float margin = 1.0f - columns.covered[static_cast<std::size_t>(i)] *
                                      rows.covered[static_cast<std::size_t>(j)];
            for (int channel = 0; channel < 3; ++channel) {
                canvas[static_cast<std::size_t>((j * side + i) * 3 + channel)] +=
                    std::max(0.0f, margin);
            }
        }
    }
}

// The mapped region resampled onto a side x side canvas in linear light, composited over white:
// three floats a pixel, red, green, blue, top row first. Compositing each pixel over white
// before averaging equals averaging premultiplied colours and compositing after.
std::vector<float> Resample(const Picture& picture, const Mapping& mapping, int side) {
    const Region& s = mapping.source;
    const Region& d = mapping.dest;
    AxisMap columns = MapAxis(PlanAxis(s.left, s.width, picture.width, d.left, d.width), side);
    AxisPlan rowPlan = PlanAxis(s.top, s.height, picture.height, d.top, d.height);
    AxisMap rows = MapAxis(rowPlan, side);
    const int first = static_cast<int>(std::floor(std::max(0.0, s.left)));
    const int end = std::clamp(static_cast<int>(std::ceil(s.left + s.width)), first, picture.width);
    const auto rowTargets = RowTargets(rows, picture.height, side);
    const ColumnShares shares = ShareColumns(columns, first, end, side);

    std::vector<float> canvas(static_cast<std::size_t>(side * side * 3), 0.0f);
    std::vector<float> canvasRow(static_cast<std::size_t>(side) * 3);
    for (int y = rowPlan.first; y < rowPlan.end; ++y) {
        if (rowTargets[static_cast<std::size_t>(y)].empty()) {
            continue;
        }
        ResampleRow(picture.bgra.data() + (static_cast<std::size_t>(y) * picture.width + first) * 4,
                    first, end, shares, canvasRow);
        for (auto [j, weight] : rowTargets[static_cast<std::size_t>(y)]) {
            for (int k = 0; k < side * 3; ++k) {
                canvas[static_cast<std::size_t>(j * side * 3 + k)] +=
                    weight * canvasRow[static_cast<std::size_t>(k)];
            }
        }
    }
    AddWhiteMargins(columns, rows, side, canvas);
    return canvas;
}

// "Encaixa" on whole pixels: the picture's size in stamp pixels rounded, and placed centred on
// whole pixels, so that no edge row or column is half picture, half white margin.
Mapping StampMapping(const Picture& picture, const StampOptions& options) {
    Region kept = KeptRegion(picture, options);
    if (options.framing == Framing::Crop) {
        return {kept, {0, 0, kSide, kSide}};
    }
    double scale = std::min(kSide / kept.width, kSide / kept.height);
    int width = std::clamp(static_cast<int>(std::lround(kept.width * scale)), 1, kSide);
    int height = std::clamp(static_cast<int>(std::lround(kept.height * scale)), 1, kSide);
    return {kept,
            {static_cast<double>((kSide - width) / 2), static_cast<double>((kSide - height) / 2),
             static_cast<double>(width), static_cast<double>(height)}};
}

// Whether every pixel of a row (or column) of the picture, from `from` for count pixels `step`
// apart, is margin.
template <typename IsMargin>
bool AllMargin(const Picture& picture, std::size_t from, int count, std::size_t step,
               const IsMargin& isMargin) {
    const std::uint8_t* pixel = picture.bgra.data() + from * 4;
    for (int i = 0; i < count; ++i, pixel += step * 4) {
        if (!isMargin(pixel)) {
            return false;
        }
    }
    return true;
}

template <typename IsMargin> Region TrimmedBy(const Picture& picture, const IsMargin& isMargin) {
    const auto width = static_cast<std::size_t>(picture.width);
    int top = 0, bottom = picture.height, left = 0, right = picture.width;
    while (top < bottom && AllMargin(picture, top * width, picture.width, 1, isMargin)) {
        ++top;
    }
    if (top == bottom) {
        return {0, 0, static_cast<double>(picture.width), static_cast<double>(picture.height)};
    }
    while (AllMargin(picture, (bottom - 1) * width, picture.width, 1, isMargin)) {
        --bottom;
    }
    while (AllMargin(picture, top * width + left, bottom - top, width, isMargin)) {
        ++left;
    }
    while (AllMargin(picture, top * width + right - 1, bottom - top, width, isMargin)) {
        --right;
    }
    return {static_cast<double>(left), static_cast<double>(top), static_cast<double>(right - left),
            static_cast<double>(bottom - top)};
}

// How much of each error "Tramat" passes on: on a stamp of 32 x 32 pixels, passing it all on
// speckles dark and flat areas with noise.
constexpr float kDitherStrength = 0.75f;
// How far, in encoded values, the colour a dithered pixel aims at may lie from its own: errors
// that a grey can't take (a tint) would otherwise pile up and burst out as a speck further on.
constexpr float kDitherReach = 16.0f;

float WithinReachOf(float own, float aimed) {
    const float encoded = EncodeSrgb(own);
    return std::clamp(aimed, DecodeSrgb(encoded - kDitherReach),
                      DecodeSrgb(encoded + kDitherReach));
}

} // namespace

bool HasTransparency(const Picture& picture) {
    for (std::size_t i = 3; i < picture.bgra.size(); i += 4) {
        if (picture.bgra[i] != 255) {
            return true;
        }
    }
    return false;
}

Region TrimmedBounds(const Picture& picture) {
    if (!IsUsable(picture)) {
        return {0, 0, static_cast<double>(std::max(0, picture.width)),
                static_cast<double>(std::max(0, picture.height))};
    }
    if (HasTransparency(picture)) {
        return TrimmedBy(picture,
                         [](const std::uint8_t* pixel) { return pixel[3] <= kInvisibleAlpha; });
    }
    const std::uint8_t* corner = picture.bgra.data();
    return TrimmedBy(picture, [corner](const std::uint8_t* pixel) {
        return std::abs(pixel[0] - corner[0]) <= kUniformTolerance &&
               std::abs(pixel[1] - corner[1]) <= kUniformTolerance &&
               std::abs(pixel[2] - corner[2]) <= kUniformTolerance;
    });
}

Region KeptRegion(const Picture& picture, const StampOptions& options) {
    Region bounds = options.trimMargins ? TrimmedBounds(picture)
                                        : Region{0, 0, static_cast<double>(picture.width),
                                                 static_cast<double>(picture.height)};
    if (options.framing == Framing::Fit) {
        return bounds;
    }
    const double side = std::min(bounds.width, bounds.height);
    const double x = std::clamp(options.crop.x, 0.0, 1.0), y = std::clamp(options.crop.y, 0.0, 1.0);
    return {bounds.left + x * (bounds.width - side), bounds.top + y * (bounds.height - side), side,
            side};
}

CropPlace CropPlaceAt(const Picture& picture, const StampOptions& options, double left,
                      double top) {
    StampOptions cropped = options;
    cropped.framing = Framing::Fit;
    const Region bounds = KeptRegion(picture, cropped);
    const double side = std::min(bounds.width, bounds.height);
    auto place = [side](double at, double start, double length) {
        return length > side ? std::clamp((at - start) / (length - side), 0.0, 1.0) : 0.5;
    };
    return {place(left, bounds.left, bounds.width), place(top, bounds.top, bounds.height)};
}

std::optional<FramedStamp> FrameStamp(const Picture& picture, const StampOptions& options) {
    if (!IsUsable(picture)) {
        return std::nullopt;
    }
    std::vector<float> canvas = Resample(picture, StampMapping(picture, options), kSide);
    FramedStamp framed;
    std::copy(canvas.begin(), canvas.end(), framed.linear.begin());
    return framed;
}

Stamp ReduceColours(const FramedStamp& framed, bool dither) {
    std::array<float, 32 * 32 * 3> wanted = framed.linear; // moved by the errors passed on
    Stamp stamp{};
    for (int y = 0; y < kSide; ++y) {
        // Serpentine: every other row runs right to left, so that errors don't drift one way.
        const bool leftToRight = !dither || y % 2 == 0;
        for (int step = 0; step < kSide; ++step) {
            const int x = leftToRight ? step : kSide - 1 - step;
            const auto at = static_cast<std::size_t>((y * kSide + x) * 3);
            const LinearRgb own{framed.linear[at], framed.linear[at + 1], framed.linear[at + 2]};
            auto store = [&](StoredLevels levels) {
                const Rgb shown = ShownOf(levels);
                stamp[at] = shown.blue, stamp[at + 1] = shown.green, stamp[at + 2] = shown.red;
            };
            if (!dither) {
                store(ChooseStorable(own));
                continue;
            }
            LinearRgb colour{};
            for (std::size_t c = 0; c < 3; ++c) {
                colour[c] = WithinReachOf(own[c], wanted[at + c]);
            }
            const StoredLevels levels = ChooseDithered(colour, own);
            store(levels);
            // The error of the choice, in linear light, goes to the pixels not yet chosen.
            const std::array<int, 3> chosen{levels.red, levels.green, levels.blue};
            const int ahead = leftToRight ? 1 : -1;
            for (std::size_t c = 0; c < 3; ++c) {
                const float error = kDitherStrength * (colour[c] - LinearOfLevel(chosen[c]));
                auto spread = [&](int dx, int dy, float share) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && nx < kSide && ny < kSide) {
                        wanted[static_cast<std::size_t>((ny * kSide + nx) * 3) + c] +=
                            error * share;
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

std::optional<Stamp> ConvertToStamp(const Picture& picture, const StampOptions& options) {
    std::optional<FramedStamp> framed = FrameStamp(picture, options);
    if (!framed) {
        return std::nullopt;
    }
    return ReduceColours(*framed, options.dither);
}

Region StampArea(const Picture& picture, const StampOptions& options) {
    if (!IsUsable(picture)) {
        return {};
    }
    return StampMapping(picture, options).dest;
}

Placement FitPlacement(const Picture& picture, int side) {
    if (!IsUsable(picture) || side <= 0) {
        return {};
    }
    double scale = std::min(static_cast<double>(side) / picture.width,
                            static_cast<double>(side) / picture.height);
    return {(side - picture.width * scale) / 2, (side - picture.height * scale) / 2, scale};
}

std::vector<std::uint8_t> FitForDisplay(const Picture& picture, int side) {
    if (!IsUsable(picture) || side <= 0) {
        return {};
    }
    const Placement at = FitPlacement(picture, side);
    const Region whole{0, 0, static_cast<double>(picture.width),
                       static_cast<double>(picture.height)};
    std::vector<float> canvas = Resample(
        picture, {whole, {at.left, at.top, picture.width * at.scale, picture.height * at.scale}},
        side);
    std::vector<std::uint8_t> bgr(canvas.size());
    for (std::size_t i = 0; i < canvas.size(); i += 3) {
        for (std::size_t channel = 0; channel < 3; ++channel) {
            bgr[i + 2 - channel] =
                static_cast<std::uint8_t>(std::lround(EncodeSrgb(canvas[i + channel])));
        }
    }
    return bgr;
}

} // namespace picture
