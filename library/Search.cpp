#include "library/Search.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string_view>
#include <unordered_map>

namespace library {

namespace {

// A stamp in the large: the mean colour of each quarter, top left, top right, bottom left,
// bottom right. Their mean distance is at most the prints', as the prints' is the stamps'.
using Lab = std::array<float, 3>;
using Quarters = std::array<Lab, 4>;

Quarters QuartersOf(const Print& print) {
    Quarters quarters{};
    for (int cell = 0; cell < kCells * kCells; ++cell) {
        const int x = cell % kCells, y = cell / kCells;
        Lab& quarter = quarters[static_cast<std::size_t>((y * 2 / kCells) * 2 + x * 2 / kCells)];
        for (std::size_t c = 0; c < 3; ++c) {
            quarter[c] += print.lab[static_cast<std::size_t>(cell) * 3 + c] / kPrintScale / 16;
        }
    }
    return quarters;
}

float Apart(const Lab& x, const Lab& y) {
    const float dl = x[0] - y[0], da = x[1] - y[1], db = x[2] - y[2];
    return 100.0f * std::sqrt(dl * dl + da * da + db * db);
}

float QuartersApart(const Quarters& x, const Quarters& y) {
    return (Apart(x[0], y[0]) + Apart(x[1], y[1]) + Apart(x[2], y[2]) + Apart(x[3], y[3])) / 4;
}

Lab MeanOf(const Quarters& quarters) {
    Lab mean{};
    for (const Lab& quarter : quarters) {
        for (std::size_t c = 0; c < 3; ++c) {
            mean[c] += quarter[c] / 4;
        }
    }
    return mean;
}

// The stamp looked for, each of its ways in the large, the small and whole.
struct Query {
    std::array<StampColours, kTurns> colours;
    std::array<Print, kTurns> prints;
    std::array<Quarters, kTurns> quarters;
    Lab mean; // the same every way
};

Query QueryOf(const StampColours& stamp) {
    Query query;
    const Print print = PrintOf(stamp);
    for (int t = 0; t < kTurns; ++t) {
        const auto turn = static_cast<std::size_t>(t);
        query.colours[turn] = Turned(stamp, TurnNumber(t));
        query.prints[turn] = Turned(print, TurnNumber(t));
        query.quarters[turn] = QuartersOf(query.prints[turn]);
    }
    query.mean = MeanOf(query.quarters[0]);
    return query;
}

// Rounding of the prints, in hundredths, which the coarse bounds allow for.
constexpr float kSlack = 0.05f;

// The stamp's nearest way within threshold, if any: ruled out in the large first (its mean
// colour, then its quarters), then in the small, and compared whole only when all let it by.
std::optional<Find> Nearest(const Query& query, const Shelf& shelf, std::size_t i,
                            float threshold) {
    const Quarters quarters = QuartersOf(shelf.entry.prints[i]);
    if (Apart(query.mean, MeanOf(quarters)) > threshold + kSlack) {
        return std::nullopt;
    }
    std::optional<Find> best;
    for (int t = 0; t < kTurns; ++t) {
        const auto turn = static_cast<std::size_t>(t);
        if (QuartersApart(query.quarters[turn], quarters) > threshold + kSlack ||
            PrintDistance(query.prints[turn], shelf.entry.prints[i], threshold) > threshold) {
            continue;
        }
        const float distance = Distance(query.colours[turn], shelf.stamps[i]);
        if (distance <= threshold && (!best || distance < best->distance)) {
            best = Find{{0, static_cast<int>(i) + 1}, TurnNumber(t), distance};
        }
    }
    return best;
}

bool Blank(const StampColours& stamp) {
    return std::all_of(stamp.begin(), stamp.end(), [&](std::uint16_t c) { return c == stamp[0]; });
}

} // namespace

std::vector<Find> Search(const std::vector<Shelf>& shelves, const StampColours& stamp,
                         float threshold) {
    const Query query = QueryOf(stamp);
    std::vector<Find> finds;
    for (std::size_t s = 0; s < shelves.size(); ++s) {
        const Shelf& shelf = shelves[s];
        const std::size_t count = std::min(shelf.stamps.size(), shelf.entry.prints.size());
        for (std::size_t i = 0; i < count; ++i) {
            if (std::optional<Find> find = Nearest(query, shelf, i, threshold)) {
                find->place.shelf = static_cast<int>(s);
                finds.push_back(*find);
            }
        }
    }
    auto rank = [](const Find& f) {
        return std::tuple(f.distance, f.turn.mirrored, f.turn.quarters, f.place.shelf,
                          f.place.image);
    };
    std::sort(finds.begin(), finds.end(),
              [&](const Find& a, const Find& b) { return rank(a) < rank(b); });
    return finds;
}

std::vector<std::vector<Place>> Repeats(const std::vector<Shelf>& shelves) {
    std::unordered_map<std::string_view, std::vector<Place>> places;
    for (std::size_t s = 0; s < shelves.size(); ++s) {
        for (std::size_t i = 0; i < shelves[s].stamps.size(); ++i) {
            const StampColours& stamp = shelves[s].stamps[i];
            if (!Blank(stamp)) {
                std::string_view key(reinterpret_cast<const char*>(stamp.data()), sizeof(stamp));
                places[key].push_back({static_cast<int>(s), static_cast<int>(i) + 1});
            }
        }
    }
    std::vector<std::vector<Place>> repeats;
    for (auto& [key, where] : places) {
        std::set<int> collections;
        for (const Place& p : where) {
            collections.insert(p.shelf);
        }
        if (collections.size() > 1) {
            repeats.push_back(std::move(where));
        }
    }
    std::sort(repeats.begin(), repeats.end(), [](const auto& a, const auto& b) {
        return a.size() != b.size() ? a.size() > b.size() : a.front() < b.front();
    });
    return repeats;
}

} // namespace library
