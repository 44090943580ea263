#include "library/Search.h"

#include "../collection/TestFiles.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace library;

namespace {

StampColours RandomStamp(std::mt19937& random) {
    StampColours stamp{};
    for (std::uint16_t& c : stamp) {
        c = static_cast<std::uint16_t>(random() & 0x7FFF);
    }
    return stamp;
}

// A drawing on white: a few rectangles of a few colours, so that near stamps are near.
StampColours Drawing(std::mt19937& random) {
    StampColours stamp;
    stamp.fill(0x7FFF);
    for (int shape = 0; shape < 4; ++shape) {
        const int x0 = random() % 28, y0 = random() % 28, w = 2 + random() % 12,
                  h = 2 + random() % 12;
        const auto colour = static_cast<std::uint16_t>(random() & 0x7FFF);
        for (int y = y0; y < std::min(32, y0 + h); ++y) {
            for (int x = x0; x < std::min(32, x0 + w); ++x) {
                stamp[static_cast<std::size_t>(y * 32 + x)] = colour;
            }
        }
    }
    return stamp;
}

Shelf ShelfWith(std::vector<StampColours> stamps) {
    Shelf shelf;
    shelf.entry.state = Entry::State::Collection;
    for (const StampColours& stamp : stamps) {
        shelf.entry.prints.push_back(PrintOf(stamp));
    }
    shelf.stamps = std::move(stamps);
    return shelf;
}

} // namespace

TEST(StampPrint, TurnsAgreeOnStampsAndPrintsAndPrintsNeverOverstateADistance) {
    std::mt19937 random(5);
    const StampColours stamp = RandomStamp(random);
    for (int t = 0; t < kTurns; ++t) {
        EXPECT_EQ(PrintOf(Turned(stamp, TurnNumber(t))), Turned(PrintOf(stamp), TurnNumber(t)));
    }
    // A quarter clockwise: the top left pixel goes to the top right.
    EXPECT_EQ(Turned(stamp, {false, 1})[31], stamp[0]);
    EXPECT_EQ(Turned(stamp, {true, 0})[31], stamp[0]);
    EXPECT_EQ(Turned(Turned(stamp, {false, 3}), {false, 1}), stamp);
    EXPECT_EQ(Distance(stamp, stamp), 0.0f);
    StampColours black{}, white;
    white.fill(0x7FFF);
    EXPECT_NEAR(Distance(black, white), 100.0f, 0.01f);
    for (int pair = 0; pair < 200; ++pair) {
        const StampColours x = pair % 2 ? RandomStamp(random) : Drawing(random);
        const StampColours y = Drawing(random);
        EXPECT_LE(PrintDistance(PrintOf(x), PrintOf(y), 1000), Distance(x, y) + 1e-4f);
    }
}

// The search against every stamp compared whole in every way: the same places, the same
// distances, in order; a copy, a mirrored and a turned copy and a near one among them.
TEST(Search, FindsWhatComparingEveryStampEveryWayFinds) {
    std::mt19937 random(11);
    std::vector<Shelf> shelves;
    for (int s = 0; s < 5; ++s) {
        std::vector<StampColours> stamps;
        for (int i = 0; i < 98; ++i) {
            stamps.push_back(Drawing(random));
        }
        shelves.push_back(ShelfWith(std::move(stamps)));
    }
    const StampColours wanted = shelves[0].stamps[4];
    shelves[1].stamps[9] = Turned(wanted, {true, 0});
    shelves[2].stamps[20] = Turned(wanted, {false, 1});
    shelves[3].stamps[0] = wanted;
    shelves[3].stamps[1] = wanted;
    shelves[3].stamps[1][100] ^= 0x1F; // one pixel bluer
    shelves[4].entry.state = Entry::State::Unreadable;
    for (Shelf& shelf : shelves) {
        shelf = ShelfWith(shelf.stamps);
    }
    for (float threshold : {0.0f, 2.0f, 12.0f}) {
        std::map<std::pair<int, int>, float> expected;
        for (std::size_t s = 0; s < shelves.size(); ++s) {
            for (std::size_t i = 0; i < shelves[s].stamps.size(); ++i) {
                for (int t = 0; t < kTurns; ++t) {
                    float d = Distance(Turned(wanted, TurnNumber(t)), shelves[s].stamps[i]);
                    auto key = std::pair(int(s), int(i) + 1);
                    if (d <= threshold && (!expected.count(key) || d < expected[key])) {
                        expected[key] = d;
                    }
                }
            }
        }
        const std::vector<Find> finds = Search(shelves, wanted, threshold);
        std::map<std::pair<int, int>, float> found;
        for (std::size_t f = 0; f < finds.size(); ++f) {
            found[{finds[f].place.shelf, finds[f].place.image}] = finds[f].distance;
            EXPECT_TRUE(f == 0 || finds[f - 1].distance <= finds[f].distance);
        }
        EXPECT_EQ(found, expected) << threshold;
    }
    const std::vector<Find> same = Search(shelves, wanted, 0.0f);
    ASSERT_GE(same.size(), 4u);
    EXPECT_EQ(same[0].place, (Place{0, 5})); // as it is before mirrored or turned
    EXPECT_EQ(same[0].turn, (Turn{false, 0}));
    EXPECT_EQ(same[1].place, (Place{3, 1}));
    EXPECT_EQ(same[2].place, (Place{2, 21})); // then turned, then mirrored
    EXPECT_EQ(same[2].turn, (Turn{false, 1}));
    EXPECT_EQ(same[3].place, (Place{1, 10}));
    EXPECT_EQ(same[3].turn, (Turn{true, 0}));
}

TEST(Search, RepeatsAreStampsInMoreThanOneCollectionBlankOnesAside) {
    std::mt19937 random(3);
    StampColours blank;
    blank.fill(0x7FFF);
    const StampColours a = Drawing(random), b = Drawing(random), c = Drawing(random);
    const StampColours d = Drawing(random);
    std::vector<Shelf> shelves = {ShelfWith({a, blank, b, c}), ShelfWith({blank, a, c, d, d}),
                                  ShelfWith({b, a, b})};
    const std::vector<std::vector<Place>> repeats = Repeats(shelves);
    ASSERT_EQ(repeats.size(), 3u); // d, twice in one collection only, is no repeat
    EXPECT_EQ(repeats[0], (std::vector<Place>{{0, 1}, {1, 2}, {2, 2}}));
    EXPECT_EQ(repeats[1], (std::vector<Place>{{0, 3}, {2, 1}, {2, 3}}));
    EXPECT_EQ(repeats[2], (std::vector<Place>{{0, 4}, {1, 3}}));
}
