#include "colournames/ColourNames.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using colournames::NameOf;
using editor::MakeColour;

// Every one of the 32768 colours a collection stores gets one of the names, and a colour with
// almost no hue is always a grey (or black, or white), darker greys never lighter names.
TEST(ColourNames, EveryColourHasANameAndNearGreysAreGreys) {
    const std::set<std::string> greys{"negre", "gris fosc", "gris", "gris clar", "blanc"};
    std::map<std::string, int> uses;
    for (int word = 0; word < 0x8000; ++word) {
        const std::string name = NameOf(static_cast<editor::Colour>(word));
        ASSERT_FALSE(name.empty()) << word;
        ++uses[name];
    }
    EXPECT_GE(uses.size(), 28u) << "every name is the nearest for some colour";
    int previous = 0; // the greys' order along the grey ramp
    const std::vector<std::string> ramp{"negre", "gris fosc", "gris", "gris clar", "blanc"};
    for (int level = 0; level < 32; ++level) {
        const std::string grey = NameOf(MakeColour(level, level, level));
        ASSERT_TRUE(greys.contains(grey)) << level;
        const int at = static_cast<int>(std::find(ramp.begin(), ramp.end(), grey) - ramp.begin());
        EXPECT_GE(at, previous) << level;
        previous = at;
        for (const auto [r, g, b] : {std::array{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}}) {
            const editor::Colour near = MakeColour(std::min(31, level + r), std::min(31, level + g),
                                                   std::min(31, level + b));
            EXPECT_TRUE(greys.contains(NameOf(near))) << level << " " << r << g << b;
        }
    }
    EXPECT_EQ(NameOf(MakeColour(0, 0, 0)), "negre");
    EXPECT_EQ(NameOf(MakeColour(31, 31, 31)), "blanc");
}

// What a parent would call them.
TEST(ColourNames, TheColoursOfChildrensDrawingsHaveTheirUsualNames) {
    EXPECT_EQ(NameOf(MakeColour(31, 0, 0)), "vermell");
    EXPECT_EQ(NameOf(MakeColour(0, 0, 31)), "blau");
    EXPECT_EQ(NameOf(MakeColour(31, 31, 0)), "groc");
    EXPECT_EQ(NameOf(MakeColour(0, 20, 6)), "verd");
    EXPECT_EQ(NameOf(MakeColour(31, 17, 0)), "taronja");
    EXPECT_EQ(NameOf(MakeColour(15, 24, 30)), "blau cel");
    EXPECT_EQ(NameOf(MakeColour(16, 9, 4)), "marró");
    EXPECT_EQ(NameOf(MakeColour(31, 20, 24)), "rosa");
    EXPECT_EQ(NameOf(MakeColour(14, 5, 17)), "morat");
    EXPECT_EQ(NameOf(MakeColour(24, 24, 24)), "gris clar");
    EXPECT_EQ(NameOf(MakeColour(8, 8, 8)), "gris fosc");
    EXPECT_EQ(colournames::NumbersOf(MakeColour(31, 16, 0)), "vermell 31, verd 16, blau 0 (de 31)");
}
