#include "printing/Catalogue.h"

#include "ShapesOf.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace printing;

namespace {

std::vector<int> Images(int count) {
    std::vector<int> images(static_cast<std::size_t>(count));
    std::iota(images.begin(), images.end(), 1);
    return images;
}

bool Overlap(const Box& a, const Box& b) {
    return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

struct Expected {
    const char* paper;
    Paper sheet;
    Tenths size;
    int columns, rows;
};

// Counted by hand: a 10 mm margin, the titles' bands, 4 mm (a quarter of a stamp when larger)
// between stamps and 7 mm under each for its number.
const Expected kExpected[] = {
    {"A4", kA4, 100, 13, 15},
    {"A4", kA4, 150, 10, 11},
    {"A4", kA4, 200, 7, 9},
    {"A4", kA4, 300, 5, 7},
    {"A4 apaïsat", Landscape(kA4), 100, 20, 10},
    {"A4 apaïsat", Landscape(kA4), 150, 14, 7},
    {"A4 apaïsat", Landscape(kA4), 200, 11, 6},
    {"A4 apaïsat", Landscape(kA4), 300, 7, 4},
    {"Letter", kLetter, 100, 14, 14},
    {"Letter", kLetter, 150, 10, 10},
    {"Letter", kLetter, 200, 8, 8},
    {"Letter", kLetter, 300, 5, 6},
    {"Letter apaïsat", Landscape(kLetter), 100, 18, 10},
    {"Letter apaïsat", Landscape(kLetter), 150, 13, 8},
    {"Letter apaïsat", Landscape(kLetter), 200, 10, 6},
    {"Letter apaïsat", Landscape(kLetter), 300, 7, 4},
};

} // namespace

// Every paper, both ways, every size: as many stamps a row and rows a page as fit, each stamp at
// its size inside the margins and clear of the titles, its number centred under it, none
// overlapping, in order row by row.
TEST(Catalogue, FillsEveryPaperWithStampsAtTheirSizeAndNumbersUnderThem) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(std::string(e.paper) + " " + std::to_string(e.size));
        const CatalogueGrid grid = CatalogueGridOf(e.sheet, e.size);
        EXPECT_EQ(grid.columns, e.columns);
        EXPECT_EQ(grid.rows, e.rows);
        const std::vector<Page> pages = CataloguePages(e.sheet, e.size, Images(126), {"a", "b"});
        ASSERT_EQ(pages.size(),
                  static_cast<std::size_t>((126 + grid.PerPage() - 1) / grid.PerPage()));
        const Box area = ContentArea(e.sheet);
        const Box between{area.left, area.top + 100, area.width, area.height - 200};
        int image = 0;
        for (const Page& page : pages) {
            const std::vector<Shape> stamps = ShapesOf(page, Shape::Kind::Stamp);
            const std::vector<Shape> texts = ShapesOf(page, Shape::Kind::Text);
            ASSERT_EQ(texts.size(), stamps.size() + 3); // a number each, and the titles
            for (std::size_t i = 0; i < stamps.size(); ++i) {
                EXPECT_EQ(stamps[i].image, ++image);
                EXPECT_EQ(stamps[i].box.width, e.size);
                EXPECT_EQ(stamps[i].box.height, e.size);
                EXPECT_TRUE(between.Contains(stamps[i].box));
                EXPECT_TRUE(between.Contains(texts[i].box));
                EXPECT_EQ(texts[i].text, std::to_string(image));
                EXPECT_EQ(texts[i].box.top, stamps[i].box.Bottom() + 10);
                EXPECT_EQ(texts[i].box.left + texts[i].box.width / 2,
                          stamps[i].box.left + e.size / 2);
                for (std::size_t j = 0; j < i; ++j) {
                    EXPECT_FALSE(Overlap(stamps[i].box, stamps[j].box));
                    EXPECT_FALSE(Overlap(texts[i].box, stamps[j].box));
                }
            }
        }
        EXPECT_EQ(image, 126);
    }
}

// A 126-stamp catalogue at 2 cm on A4: two pages, the first full, each titled.
TEST(Catalogue, TitlesEveryPageWithTheCollectionTheDateAndItsNumber) {
    const std::vector<Page> pages =
        CataloguePages(kA4, 200, Images(126), {"formes.sgc", "10/12/2026"});
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(ShapesOf(pages[0], Shape::Kind::Stamp).size(), 63u);
    EXPECT_EQ(ShapesOf(pages[1], Shape::Kind::Stamp).back().image, 126);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::vector<Shape> texts = ShapesOf(pages[i], Shape::Kind::Text);
        const std::vector<Shape> titles(texts.end() - 3, texts.end());
        EXPECT_EQ(titles[0].text, "formes.sgc");
        EXPECT_EQ(titles[0].box.top, 100);
        EXPECT_EQ(titles[1].text, "10/12/2026");
        EXPECT_EQ(titles[1].align, Shape::Align::Right);
        EXPECT_EQ(titles[2].text, "Pàgina " + std::to_string(i + 1) + " de 2");
        EXPECT_EQ(titles[2].box.Bottom(), 2970 - 100);
    }
}

// A printer that can't print near the edges pushes the stamps in; a selection prints its own
// numbers; paper too small for one stamp gives no page rather than stamps off the paper.
TEST(Catalogue, KeepsWithinWhatThePrinterCanPrint) {
    Paper wide = kA4;
    wide.unprintableLeft = 250;
    wide.unprintableBottom = 300;
    const std::vector<Page> pages = CataloguePages(wide, 300, {5, 34, 126}, {"a", "b"});
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<Shape> stamps = ShapesOf(pages[0], Shape::Kind::Stamp);
    ASSERT_EQ(stamps.size(), 3u);
    EXPECT_EQ(stamps[1].image, 34);
    EXPECT_GE(stamps[0].box.left, 250);
    EXPECT_EQ(ContentArea(wide).Bottom(), 2970 - 300);
    EXPECT_EQ(CatalogueGridOf(wide, 300).columns, 4); // one fewer than on the whole A4

    EXPECT_TRUE(CataloguePages({400, 400}, 100, {1}, {"a", "b"}).empty());
    EXPECT_TRUE(CataloguePages(kA4, 0, {1}, {"a", "b"}).empty());
}
