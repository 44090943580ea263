#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Pages as shapes on paper. Lengths are whole tenths of a millimetre, so that layouts compare
// exactly; the drawing code turns them into the pixels of a printer or of a preview.
namespace printing {

using Tenths = int;

struct Box {
    Tenths left = 0, top = 0, width = 0, height = 0;
    Tenths Right() const { return left + width; }
    Tenths Bottom() const { return top + height; }
    bool Contains(const Box& other) const {
        return other.left >= left && other.top >= top && other.Right() <= Right() &&
               other.Bottom() <= Bottom();
    }
    bool operator==(const Box&) const = default;
};

// A sheet of paper as the printer has it: its size, and how far from each edge the printer can't
// print.
struct Paper {
    Tenths width = 0, height = 0;
    Tenths unprintableLeft = 0, unprintableTop = 0, unprintableRight = 0, unprintableBottom = 0;
};
inline constexpr Paper kA4{2100, 2970};
inline constexpr Paper kLetter{2159, 2794};
// The same paper turned a quarter: landscape from portrait.
Paper Landscape(const Paper& paper);

// No page comes closer to an edge than this, nor than the printer's own margin.
inline constexpr Tenths kMargin = 100;
// Where a page's contents go: the paper less its margins.
Box ContentArea(const Paper& paper);

// A length typed in millimetres ("5", "2,5", "7.5 mm", "5 mm (perles)"), in tenths rounded to the
// nearest; 0 when it holds no number or one of 1000 mm or more.
Tenths MillimetresTyped(const std::string& typed);

// 0xRRGGBB.
using Rgb = std::uint32_t;
inline constexpr Rgb kInk = 0x000000;

// One thing drawn on a page: a box filled with a colour, a stamp of the collection at its true
// size in its box, or one line of text within its box, its letters `size` tall (the em).
struct Shape {
    enum class Kind { Fill, Stamp, Text };
    enum class Align { Left, Centre, Right };
    Kind kind = Kind::Fill;
    Box box;
    Rgb colour = kInk;
    int image = 0;
    std::string text;
    Tenths size = 0;
    Align align = Align::Left;
};
Shape FillOf(const Box& box, Rgb colour = kInk);
Shape StampOf(const Box& box, int image);
Shape TextOf(const Box& box, std::string text, Tenths size, Shape::Align align = Shape::Align::Left,
             Rgb colour = kInk);

struct Page {
    std::vector<Shape> shapes;
};

// What the margins of every page say: the collection, the date, and "Pàgina 2 de 3".
struct Titles {
    std::string heading; // "animals.sgc", "animals.sgc · imatge 34"
    std::string date;    // "10/12/2026"
};
// The heading and the date above the contents, the page number below, on each page.
void AddTitles(std::vector<Page>& pages, const Paper& paper, const Titles& titles);
// The band each of them takes at the top and bottom of the content area.
inline constexpr Tenths kTitleBand = 80;
inline constexpr Tenths kTitleSize = 40;
// The letters of numbers and smaller texts: 3.5 mm, about 10 points.
inline constexpr Tenths kNumberSize = 35;

} // namespace printing
