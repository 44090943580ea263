#include "GuiTestSupport.h"

#include "platform/FontDrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

// The fonts the tests install: Debian's DejaVu, which Wine finds through the system's fonts.
TEST(FontDrawing, AnAInAKnownFontFillsTheStampsHeightInTwoColours) {
    const std::vector<std::wstring> fonts = InstalledFonts();
    ASSERT_NE(std::find(fonts.begin(), fonts.end(), L"DejaVu Sans"), fonts.end());
    EXPECT_TRUE(std::is_sorted(fonts.begin(), fonts.end()));
    const FontChoice font{L"DejaVu Sans", true, false};
    std::optional<text::Drawing> drawing = DrawWithFont(L"A", font);
    ASSERT_TRUE(drawing);
    const editor::Colour red = editor::MakeColour(31, 0, 0);
    const editor::Stamp stamp = text::Paint(
        text::CoverageIn(*drawing, text::FitAlone(text::InkOf(*drawing))), {red}, false);
    int top = 32, bottom = -1;
    std::set<editor::Colour> colours;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            colours.insert(stamp.ColourAt({x, y}));
            if (stamp.ColourAt({x, y}) == red) {
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_LE(top, 2) << "from the margin, within a pixel";
    EXPECT_GE(bottom, 29);
    EXPECT_EQ(colours, (std::set<editor::Colour>{red, editor::kWhite}));
    // A character the font lacks is named, not drawn as a box; a space is no character to miss.
    EXPECT_EQ(MissingCharacters(L"A b\U0001F600", font).empty(), false);
    EXPECT_EQ(MissingCharacters(L"Abc 123", font), L"");
    // The longest text the dialog takes is drawn smaller, not on a surface of tens of megabytes.
    std::optional<text::Drawing> longest = DrawWithFont(std::wstring(200, L'W'), font);
    ASSERT_TRUE(longest);
    EXPECT_LE(longest->width, 201 * kLeastDrawnEm * 3 / 2);
    EXPECT_FALSE(text::InkOf(*longest).Empty());
}
