#include "colournames/ColourNames.h"

#include "editor/Colours.h"

#include <array>
#include <limits>

namespace colournames {

namespace {

struct Named {
    const char* name;
    int red, green, blue; // 8-bit sRGB, the colour the name is best for
};

// The hues; greys, black and white are named by lightness alone.
constexpr std::array<Named, 26> kHues{{
    {"vermell", 220, 30, 30},     {"granat", 128, 0, 32},       {"rosa", 255, 160, 190},
    {"fúcsia", 230, 40, 150},     {"salmó", 250, 128, 114},     {"taronja", 255, 140, 0},
    {"préssec", 255, 200, 160},   {"marró", 130, 75, 30},       {"marró clar", 190, 130, 70},
    {"beix", 220, 195, 150},      {"ocre", 200, 150, 40},       {"groc", 255, 225, 0},
    {"groc clar", 255, 250, 160}, {"verd oliva", 120, 120, 30}, {"verd llima", 160, 220, 50},
    {"verd", 30, 160, 50},        {"verd fosc", 0, 90, 30},     {"verd clar", 150, 230, 150},
    {"turquesa", 50, 200, 190},   {"blau cel", 120, 190, 240},  {"blau", 30, 80, 220},
    {"blau marí", 20, 30, 110},   {"lila", 195, 160, 225},      {"morat", 110, 40, 140},
    {"violeta", 140, 80, 210},    {"crema", 250, 240, 205},
}};

constexpr std::array<Named, 5> kGreys{{
    {"negre", 0, 0, 0},
    {"gris fosc", 70, 70, 70},
    {"gris", 128, 128, 128},
    {"gris clar", 195, 195, 195},
    {"blanc", 255, 255, 255},
}};

picture::Oklab OklabOf(const Named& named) {
    const auto& linear = picture::LinearOfByte();
    return picture::OklabOf({linear[static_cast<std::size_t>(named.red)],
                             linear[static_cast<std::size_t>(named.green)],
                             linear[static_cast<std::size_t>(named.blue)]});
}

template <std::size_t N>
const char* Nearest(const std::array<Named, N>& names, const picture::Oklab& colour,
                    bool lightnessAlone) {
    const char* nearest = names[0].name;
    float best = std::numeric_limits<float>::max();
    for (const Named& named : names) {
        const picture::Oklab reference = OklabOf(named);
        const float d = lightnessAlone ? (reference.lightness - colour.lightness) *
                                             (reference.lightness - colour.lightness)
                                       : picture::DistanceSquared(reference, colour);
        if (d < best) {
            best = d;
            nearest = named.name;
        }
    }
    return nearest;
}

// Almost no hue; near black the eye sees less of it still.
bool Greyish(const picture::Oklab& lab) {
    return lab.Chroma() < kGreyChroma || (lab.lightness < 0.2f && lab.Chroma() < 0.055f);
}

} // namespace

std::string NameOf(editor::Colour colour) {
    const picture::Oklab& lab = editor::OklabOfStorable(colour);
    return Greyish(lab) ? Nearest(kGreys, lab, true) : Nearest(kHues, lab, false);
}

std::string NumbersOf(editor::Colour colour) {
    const int red = colour >> 10 & 31, green = colour >> 5 & 31, blue = colour & 31;
    return "vermell " + std::to_string(red) + ", verd " + std::to_string(green) + ", blau " +
           std::to_string(blue) + " (de 31)";
}

} // namespace colournames
