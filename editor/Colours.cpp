#include "editor/Colours.h"

#include "picture/ColourLevels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace editor {

Colour SnapToStorable(Rgb rgb) {
    // The same rule as the conversion of pictures: a colour shows as it will be stored.
    picture::Rgb stored = picture::NearestStorable({rgb.red, rgb.green, rgb.blue});
    return MakeColour(stored.red / 8, stored.green / 8, stored.blue / 8);
}

namespace {

picture::Oklab OklabOfColour(Colour colour) {
    return picture::OklabOf({picture::LinearOfLevel(sgc::RedOf(colour)),
                             picture::LinearOfLevel(sgc::GreenOf(colour)),
                             picture::LinearOfLevel(sgc::BlueOf(colour))});
}

// Every storable colour in OKLab, by its value: a fill asks for thousands of distances.
const std::vector<picture::Oklab>& OklabTable() {
    static const std::vector<picture::Oklab> table = [] {
        std::vector<picture::Oklab> t;
        for (int c = 0; c <= 0x7FFF; ++c) {
            t.push_back(OklabOfColour(static_cast<Colour>(c)));
        }
        return t;
    }();
    return table;
}

} // namespace

const picture::Oklab& OklabOfStorable(Colour colour) {
    return OklabTable()[ColourOf(colour)];
}

float Distance(Colour x, Colour y) {
    return 100.0f * std::sqrt(picture::DistanceSquared(OklabOfStorable(x), OklabOfStorable(y)));
}

float LightnessOf(Colour colour) {
    return OklabTable()[ColourOf(colour)].lightness;
}

const std::vector<Colour>& ChildrensPalette() {
    static const std::vector<Colour> palette = {
        // black, greys, white
        MakeColour(0, 0, 0), MakeColour(10, 10, 10), MakeColour(18, 18, 18), MakeColour(25, 25, 25),
        MakeColour(31, 31, 31),
        // reds, orange, yellows
        MakeColour(31, 0, 0), MakeColour(18, 0, 0), MakeColour(31, 15, 0), MakeColour(31, 31, 0),
        MakeColour(31, 31, 17),
        // greens
        MakeColour(0, 23, 0), MakeColour(0, 12, 0), MakeColour(17, 31, 8), MakeColour(0, 16, 16),
        // blues
        MakeColour(0, 0, 31), MakeColour(0, 0, 15), MakeColour(12, 23, 31), MakeColour(0, 27, 27),
        // purples and pinks
        MakeColour(15, 0, 23), MakeColour(23, 12, 31), MakeColour(31, 15, 23),
        MakeColour(31, 0, 31),
        // skin tones, light to dark
        MakeColour(31, 27, 23), MakeColour(29, 23, 17), MakeColour(25, 17, 11),
        MakeColour(17, 11, 7), MakeColour(11, 7, 3),
        // browns and beige
        MakeColour(21, 11, 3), MakeColour(13, 7, 1), MakeColour(27, 19, 9), MakeColour(29, 27, 21),
        MakeColour(23, 15, 29)};
    return palette;
}

std::vector<Colour> ColoursByUse(const Stamp& stamp) {
    std::map<Colour, int> uses;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            ++uses[stamp.ColourAt({x, y})];
        }
    }
    std::vector<std::pair<Colour, int>> byUse(uses.begin(), uses.end());
    std::stable_sort(byUse.begin(), byUse.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::vector<Colour> colours;
    for (const auto& [colour, count] : byUse) {
        colours.push_back(colour);
    }
    return colours;
}

} // namespace editor
