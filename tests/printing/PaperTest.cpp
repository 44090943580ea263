#include "printing/Paper.h"

#include <gtest/gtest.h>

using namespace printing;

// What a parent types for a square: a comma or a point, a unit or a note after it.
TEST(Paper, MillimetresAreReadAsTypedWithACommaOrAPoint) {
    EXPECT_EQ(MillimetresTyped("5"), 50);
    EXPECT_EQ(MillimetresTyped("5 mm (perles)"), 50);
    EXPECT_EQ(MillimetresTyped("2,5 mm (miniperles)"), 25);
    EXPECT_EQ(MillimetresTyped(" 7.5mm"), 75);
    EXPECT_EQ(MillimetresTyped("2,66"), 27); // to the nearest tenth
    EXPECT_EQ(MillimetresTyped("3,04"), 30);
    EXPECT_EQ(MillimetresTyped("10,"), 100);
    EXPECT_EQ(MillimetresTyped("999,9"), 9999);
    for (const char* none : {"", "mm", ",5", "-5", "1000", "12345678", "cinc"}) {
        EXPECT_EQ(MillimetresTyped(none), 0) << none;
    }
}

// Turned, the paper's margins turn with it; a printer's margin wider than brelt's own is kept.
TEST(Paper, LandscapeTurnsTheMarginsAndTheContentKeepsClearOfThem) {
    const Paper paper{2100, 2970, 10, 20, 30, 150};
    const Paper turned = Landscape(paper);
    EXPECT_EQ(turned.width, 2970);
    EXPECT_EQ(turned.height, 2100);
    EXPECT_EQ(turned.unprintableLeft, 20);   // the old top
    EXPECT_EQ(turned.unprintableTop, 30);    // the old right
    EXPECT_EQ(turned.unprintableRight, 150); // the old bottom
    EXPECT_EQ(turned.unprintableBottom, 10); // the old left
    EXPECT_EQ(ContentArea(paper), (Box{100, 100, 1900, 2970 - 100 - 150}));
    EXPECT_EQ(ContentArea(turned), (Box{100, 100, 2970 - 100 - 150, 1900}));
    EXPECT_EQ(ContentArea({150, 150}), (Box{100, 100, 0, 0}));
}
