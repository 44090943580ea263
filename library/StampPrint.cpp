#include "library/StampPrint.h"

#include "editor/Colours.h"

#include <cmath>

namespace library {

namespace {

// Where the pixel at x, y of a stamp of side `side` turned so comes from, in the stamp as it was.
std::size_t SourceOf(int x, int y, int side, Turn turn) {
    // Undo the quarter turns (clockwise: the new x is the old bottom-up y), then the mirror.
    for (int q = 0; q < turn.quarters; ++q) {
        const int oldX = y, oldY = side - 1 - x;
        x = oldX;
        y = oldY;
    }
    if (turn.mirrored) {
        x = side - 1 - x;
    }
    return static_cast<std::size_t>(y * side + x);
}

// Half a unit of rounding on each of three channels of both prints, in hundredths.
constexpr float kRounding = 100.0f * 1.7321f / kPrintScale;

} // namespace

StampColours ColoursOfArea(const PixelAreaBytes& area) {
    StampColours colours{};
    for (std::size_t i = 0; i < colours.size() && 2 * i + 1 < area.size(); ++i) {
        colours[i] = static_cast<std::uint16_t>(((area[2 * i] << 8) | area[2 * i + 1]) & 0x7FFF);
    }
    return colours;
}

Turn TurnNumber(int n) {
    return {n >= 4, n % 4};
}

StampColours Turned(const StampColours& stamp, Turn turn) {
    StampColours turned{};
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            turned[static_cast<std::size_t>(y * kSide + x)] = stamp[SourceOf(x, y, kSide, turn)];
        }
    }
    return turned;
}

Print PrintOf(const StampColours& stamp) {
    constexpr int block = kSide / kCells;
    Print print;
    for (int cell = 0; cell < kCells * kCells; ++cell) {
        float sum[3] = {};
        for (int i = 0; i < block * block; ++i) {
            const int x = cell % kCells * block + i % block, y = cell / kCells * block + i / block;
            const picture::Oklab& lab =
                editor::OklabOfStorable(stamp[static_cast<std::size_t>(y * kSide + x)]);
            sum[0] += lab.lightness;
            sum[1] += lab.a;
            sum[2] += lab.b;
        }
        for (int c = 0; c < 3; ++c) {
            print.lab[static_cast<std::size_t>(cell * 3 + c)] =
                static_cast<std::int16_t>(std::lround(sum[c] / (block * block) * kPrintScale));
        }
    }
    return print;
}

Print Turned(const Print& print, Turn turn) {
    Print turned;
    for (int y = 0; y < kCells; ++y) {
        for (int x = 0; x < kCells; ++x) {
            const std::size_t from = SourceOf(x, y, kCells, turn) * 3;
            const auto to = static_cast<std::size_t>(y * kCells + x) * 3;
            for (std::size_t c = 0; c < 3; ++c) {
                turned.lab[to + c] = print.lab[from + c];
            }
        }
    }
    return turned;
}

float Distance(const StampColours& x, const StampColours& y) {
    float sum = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (x[i] != y[i]) {
            sum += editor::Distance(x[i], y[i]);
        }
    }
    return sum / kPixels;
}

float PrintDistance(const Print& x, const Print& y, float above) {
    const float limit = (above + kRounding) * kCells * kCells;
    float sum = 0;
    for (std::size_t i = 0; i < x.lab.size() && sum <= limit; i += 3) {
        const float dl = float(x.lab[i] - y.lab[i]), da = float(x.lab[i + 1] - y.lab[i + 1]),
                    db = float(x.lab[i + 2] - y.lab[i + 2]);
        sum += 100.0f / kPrintScale * std::sqrt(dl * dl + da * da + db * db);
    }
    return sum / (kCells * kCells) - kRounding;
}

} // namespace library
