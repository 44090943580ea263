#include "BrowserFixture.h"
#include "PrintTestData.h"

#include "../collection/TestFiles.h"

#include "printing/Catalogue.h"
#include "printing/Pattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

// The pages the PDF printer wrote for RealPrinter.* (PrintTest.cpp), rendered at 300 DPI by
// pdftoppm, their words placed by pdftotext: run by tests/print/real-printer.

namespace {

constexpr double kPixelsPerTenth = 300.0 / 254.0;
constexpr double kTolerance = 5 * kPixelsPerTenth; // half a millimetre

std::string Folder() {
    const char* folder = std::getenv("BRELT_PRINTED");
    return folder != nullptr ? folder : "";
}

struct Raster {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    unsigned At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) {
            return 0xFFFFFF;
        }
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return static_cast<unsigned>(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
    }
};

// A binary PPM (P6, 8 bits) as pdftoppm writes it.
std::optional<Raster> ReadPpm(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    Raster raster;
    int depth = 0;
    if (!(file >> magic >> raster.width >> raster.height >> depth) || magic != "P6" ||
        depth != 255) {
        return std::nullopt;
    }
    file.get(); // the one white space before the pixels
    raster.rgb.resize(static_cast<std::size_t>(raster.width) * raster.height * 3);
    file.read(reinterpret_cast<char*>(raster.rgb.data()),
              static_cast<std::streamsize>(raster.rgb.size()));
    return file ? std::optional<Raster>(std::move(raster)) : std::nullopt;
}

// A word pdftotext found, its box in tenths of a millimetre from the page's top left corner.
struct Word {
    double left, top, right, bottom;
    std::string text;
    double CentreX() const { return (left + right) / 2; }
};

double Attribute(const std::string& tag, const std::string& name) {
    const std::size_t at = tag.find(name + "=\"");
    return at == std::string::npos ? -1 : std::atof(tag.c_str() + at + name.size() + 2) * 254 / 72;
}

// The words of one page (from 1) of what pdftotext -bbox wrote.
std::vector<Word> ReadWords(const std::string& path, int page) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream whole;
    whole << file.rdbuf();
    std::string html = whole.str();
    std::size_t start = 0;
    for (int i = 0; i < page && start != std::string::npos; ++i) {
        start = html.find("<page ", start + 1);
    }
    if (start == std::string::npos) {
        return {};
    }
    html = html.substr(start, html.find("</page>", start) - start);
    std::vector<Word> words;
    for (std::size_t at = html.find("<word "); at != std::string::npos;
         at = html.find("<word ", at + 1)) {
        const std::size_t close = html.find('>', at), end = html.find("</word>", at);
        const std::string tag = html.substr(at, close - at);
        // The PostScript font's hyphen comes back as a soft hyphen: the same mark on paper.
        std::string text;
        for (std::size_t i = close + 1; i < end; ++i) {
            const bool soft = html.compare(i, 2, "\xC2\xAD") == 0;
            text += soft ? '-' : html[i];
            i += soft ? 1 : 0;
        }
        words.push_back({Attribute(tag, "xMin"), Attribute(tag, "yMin"), Attribute(tag, "xMax"),
                         Attribute(tag, "yMax"), std::move(text)});
    }
    return words;
}

bool Paper(unsigned colour) {
    return (colour >> 16 & 0xFF) >= 245 && (colour >> 8 & 0xFF) >= 245 && (colour & 0xFF) >= 245;
}

bool Near(unsigned a, unsigned b) {
    for (int shift : {16, 8, 0}) {
        if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) >
            12) {
            return false;
        }
    }
    return true;
}

// The first pixel from `from` towards `to` (one axis moving) that is not the paper's white.
int FirstInk(const Raster& page, int from, int to, int across, bool horizontal) {
    const int step = to > from ? 1 : -1;
    for (int i = from; i != to; i += step) {
        if (!Paper(horizontal ? page.At(i, across) : page.At(across, i))) {
            return i;
        }
    }
    return to;
}

// The A4 the printer has, as brelt reads it from the printer's pixels.
printing::Paper PrintedA4(const Raster& page) {
    return {static_cast<printing::Tenths>(page.width / kPixelsPerTenth),
            static_cast<printing::Tenths>(page.height / kPixelsPerTenth)};
}

// Every stamp of a catalogue page where the layout puts it, measured at its size, showing its
// pixels, with its number under it.
void ExpectCatalogue(const Raster& page, const std::vector<Word>& words, const printing::Page& laid,
                     const Bytes& collection) {
    for (const printing::Shape& shape : laid.shapes) {
        if (shape.kind != printing::Shape::Kind::Stamp) {
            continue;
        }
        SCOPED_TRACE("image " + std::to_string(shape.image));
        const double left = shape.box.left * kPixelsPerTenth, top = shape.box.top * kPixelsPerTenth;
        const double size = shape.box.width * kPixelsPerTenth, pixel = size / 32;
        const int row = static_cast<int>(top + pixel * 16.5),
                  column = static_cast<int>(left + pixel * 1.5);
        const int margin = static_cast<int>(3 * kTolerance);
        const int measuredLeft = FirstInk(page, static_cast<int>(left) - margin,
                                          static_cast<int>(left + size), row, true);
        const int measuredRight = FirstInk(page, static_cast<int>(left + size) + margin,
                                           static_cast<int>(left), row, true);
        const int measuredTop = FirstInk(page, static_cast<int>(top) - margin,
                                         static_cast<int>(top + size), column, false);
        const int measuredBottom =
            FirstInk(page, static_cast<int>(top + size) + static_cast<int>(kTolerance),
                     static_cast<int>(top), column, false);
        EXPECT_NEAR(measuredLeft, left, kTolerance);
        EXPECT_NEAR(measuredTop, top, kTolerance);
        EXPECT_NEAR((measuredRight - measuredLeft + 1) / kPixelsPerTenth, shape.box.width, 5);
        EXPECT_NEAR((measuredBottom - measuredTop + 1) / kPixelsPerTenth, shape.box.height, 5);
        const std::vector<unsigned> colours = ImageColours(collection, shape.image);
        int wrong = 0;
        for (int i = 0; i < 32 * 32; ++i) {
            const unsigned printed =
                page.At(measuredLeft + static_cast<int>(pixel * (i % 32 + 0.5)),
                        measuredTop + static_cast<int>(pixel * (i / 32 + 0.5)));
            wrong += !Near(printed, colours[static_cast<std::size_t>(i)]);
        }
        EXPECT_EQ(wrong, 0);
        const bool numbered = std::any_of(words.begin(), words.end(), [&](const Word& word) {
            return word.text == std::to_string(shape.image) && word.CentreX() > shape.box.left &&
                   word.CentreX() < shape.box.Right() && word.top > shape.box.Bottom() &&
                   word.top < shape.box.Bottom() + 60;
        });
        std::string around; // what the page has there instead, to tell a failure
        for (const Word& word : words) {
            if (word.top > shape.box.Bottom() - 60 && word.top < shape.box.Bottom() + 120) {
                around += " \"" + word.text + "\"@" + std::to_string(static_cast<int>(word.left)) +
                          "," + std::to_string(static_cast<int>(word.top));
            }
        }
        EXPECT_TRUE(numbered) << "under " << shape.box.left << "," << shape.box.Bottom() << ":"
                              << around;
    }
}

std::vector<int> AllImages() {
    std::vector<int> images(126);
    for (int i = 0; i < 126; ++i) {
        images[static_cast<std::size_t>(i)] = i + 1;
    }
    return images;
}

class PrintedPages : public ::testing::Test {
protected:
    void SetUp() override {
        if (Folder().empty()) {
            GTEST_SKIP() << "run by tests/print/real-printer, once the pages are printed";
        }
    }
    std::optional<Raster> Page(const std::string& kind, int number) const {
        return ReadPpm(Folder() + "\\" + kind + "-" + std::to_string(number) + ".ppm");
    }
    std::vector<Word> WordsOf(const std::string& kind, int page) const {
        return ReadWords(Folder() + "\\" + kind + ".html", page);
    }
};

} // namespace

// Nothing of a print cancelled in either dialog; each print once.
TEST_F(PrintedPages, OnlyWhatWasPrintedWasWritten) {
    std::ifstream jobs(Folder() + "\\jobs.txt");
    std::vector<std::string> names;
    for (std::string line; std::getline(jobs, line);) {
        names.push_back(line);
    }
    for (const char* kind : {"cancel", "catalogue", "pattern", "selection"}) {
        const auto count = std::count_if(names.begin(), names.end(), [&](const std::string& name) {
            return name.find(std::string(kind) + "-" + printed::Token()) != std::string::npos;
        });
        EXPECT_EQ(count, std::string(kind) == "cancel" ? 0 : 1) << kind;
    }
}

// 126 stamps at 2 cm on A4: the two pages the layout says, every stamp measured at 2 cm where the
// layout puts it, in order, with its number.
TEST_F(PrintedPages, TheCatalogueShowsEveryStampAtTwoCentimetresWithItsNumber) {
    const std::optional<Raster> first = Page("catalogue", 1);
    ASSERT_TRUE(first);
    EXPECT_FALSE(Page("catalogue", 3));
    const std::vector<printing::Page> laid =
        printing::CataloguePages(PrintedA4(*first), 200, AllImages(), {"", ""});
    ASSERT_EQ(laid.size(), 2u);
    for (int number = 1; number <= 2; ++number) {
        SCOPED_TRACE("page " + std::to_string(number));
        const std::optional<Raster> page = Page("catalogue", number);
        ASSERT_TRUE(page);
        const std::vector<Word> words = WordsOf("catalogue", number);
        ExpectCatalogue(*page, words, laid[static_cast<std::size_t>(number - 1)],
                        printed::Catalogue());
        const std::string footer = "Pàgina " + std::to_string(number) + " de 2";
        EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const Word& w) {
            return w.text == "catalogue-" + printed::Token() + ".sgc";
        }));
        EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const Word& w) {
            return w.text == "Pàgina";
        })) << footer;
    }
}

TEST_F(PrintedPages, TheSelectionPrintsItsOwnStampsAtThreeCentimetres) {
    const std::optional<Raster> page = Page("selection", 1);
    ASSERT_TRUE(page);
    const std::vector<int> images(std::begin(printed::kSelection), std::end(printed::kSelection));
    const std::vector<printing::Page> laid =
        printing::CataloguePages(PrintedA4(*page), printed::kSelectionSize, images, {"", ""});
    ASSERT_EQ(laid.size(), 1u);
    ExpectCatalogue(*page, WordsOf("selection", 1), laid[0], printed::Catalogue());
}

// The pattern's squares in their colours, 5 mm each between the grid's bold lines, each with the
// number of its colour; the legend counts each colour's pixels.
TEST_F(PrintedPages, ThePatternsSquaresMeasureTheirSizeAndItsLegendCountsThePixels) {
    const std::optional<Raster> page = Page("pattern", 1);
    ASSERT_TRUE(page);
    const editor::Stamp stamp = printed::PatternStamp();
    const std::vector<printing::Page> laid =
        printing::PatternPages(PrintedA4(*page), stamp, printing::kBeadSquare, {"", ""});
    ASSERT_EQ(laid.size(), 1u);
    const std::vector<Word> words = WordsOf("pattern", 1);
    const std::vector<printing::LegendEntry> legend = printing::LegendOf(stamp);
    // The squares: the first 1024 fills, and their numbers.
    int wrongColour = 0, unnumbered = 0;
    for (std::size_t i = 0; i < 1024; ++i) {
        const printing::Shape& square = laid[0].shapes[i * 2];
        const printing::Shape& number = laid[0].shapes[i * 2 + 1];
        const double x = (square.box.left + 25) * kPixelsPerTenth,
                     y = (square.box.top + 12) * kPixelsPerTenth;
        wrongColour += !Near(page->At(static_cast<int>(x), static_cast<int>(y)), square.colour);
        unnumbered += std::none_of(words.begin(), words.end(), [&](const Word& word) {
            return word.text == number.text && word.CentreX() > square.box.left &&
                   word.CentreX() < square.box.Right() && word.top > square.box.top &&
                   word.bottom < square.box.Bottom();
        });
    }
    EXPECT_EQ(wrongColour, 0);
    EXPECT_EQ(unnumbered, 0);
    // The grid's lines across the fifth row of squares, near its top where no number is.
    const printing::Box first = laid[0].shapes[0].box;
    const int y = static_cast<int>((first.top + 4 * 50 + 8) * kPixelsPerTenth);
    std::vector<std::pair<int, int>> lines; // where each dark run starts, and its width
    for (int x = static_cast<int>((first.left - 20) * kPixelsPerTenth);
         x < static_cast<int>((first.left + 32 * 50 + 20) * kPixelsPerTenth); ++x) {
        const unsigned c = page->At(x, y);
        const bool dark = (c >> 16 & 0xFF) < 100 && (c >> 8 & 0xFF) < 100 && (c & 0xFF) < 100;
        if (!dark) {
            continue;
        }
        if (lines.empty() || lines.back().first + lines.back().second != x) {
            lines.push_back({x, 0});
        }
        ++lines.back().second;
    }
    ASSERT_EQ(lines.size(), 33u);
    auto centre = [&](int line) {
        return lines[static_cast<std::size_t>(line)].first +
               lines[static_cast<std::size_t>(line)].second / 2.0;
    };
    for (int line = 0; line <= 32; ++line) {
        EXPECT_EQ(lines[static_cast<std::size_t>(line)].second > 4, line % 10 == 0) << line;
    }
    for (int bold = 0; bold < 30; bold += 10) { // ten squares: 50 mm
        EXPECT_NEAR((centre(bold + 10) - centre(bold)) / kPixelsPerTenth, 500, 5) << bold;
    }
    EXPECT_NEAR((centre(30) - centre(0)) / kPixelsPerTenth / 30, 50, 0.5);
    // The legend: "1:" then the count of the colour most used, and so on.
    for (const printing::LegendEntry& entry : legend) {
        const auto label = std::find_if(words.begin(), words.end(), [&](const Word& w) {
            return w.text == std::to_string(entry.number) + ":";
        });
        ASSERT_NE(label, words.end()) << entry.number;
        ASSERT_NE(label + 1, words.end());
        EXPECT_EQ((label + 1)->text, std::to_string(entry.pixels)) << entry.number;
    }
}
