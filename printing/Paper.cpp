#include "printing/Paper.h"

#include <algorithm>

namespace printing {

Paper Landscape(const Paper& paper) {
    // Turned a quarter to the left: the old top edge is now on the left, the old left at the
    // bottom.
    return {paper.height,
            paper.width,
            paper.unprintableTop,
            paper.unprintableRight,
            paper.unprintableBottom,
            paper.unprintableLeft};
}

Box ContentArea(const Paper& paper) {
    const Tenths left = std::max(kMargin, paper.unprintableLeft);
    const Tenths top = std::max(kMargin, paper.unprintableTop);
    const Tenths right = paper.width - std::max(kMargin, paper.unprintableRight);
    const Tenths bottom = paper.height - std::max(kMargin, paper.unprintableBottom);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

Tenths MillimetresTyped(const std::string& typed) {
    std::size_t at = typed.find_first_not_of(' ');
    Tenths whole = 0;
    int digits = 0, decimals = -1, fraction = 0;
    for (; at < typed.size(); ++at) {
        const char c = typed[at];
        if (c >= '0' && c <= '9' && digits + std::max(decimals, 0) < 6) {
            if (decimals < 0) {
                whole = whole * 10 + (c - '0');
                ++digits;
            } else if (++decimals <= 2) {
                fraction = fraction * 10 + (c - '0');
            }
        } else if ((c == ',' || c == '.') && decimals < 0 && digits > 0) {
            decimals = 0;
        } else {
            break;
        }
    }
    if (digits == 0 || whole >= 1000) {
        return 0;
    }
    // Hundredths to tenths, to the nearest.
    const int hundredths = decimals <= 0 ? 0 : decimals == 1 ? fraction * 10 : fraction;
    return whole * 10 + (hundredths + 5) / 10;
}

Shape FillOf(const Box& box, Rgb colour) {
    return {Shape::Kind::Fill, box, colour, 0, {}, 0, Shape::Align::Left};
}

Shape StampOf(const Box& box, int image) {
    return {Shape::Kind::Stamp, box, kInk, image, {}, 0, Shape::Align::Left};
}

Shape TextOf(const Box& box, std::string text, Tenths size, Shape::Align align, Rgb colour) {
    return {Shape::Kind::Text, box, colour, 0, std::move(text), size, align};
}

void AddTitles(std::vector<Page>& pages, const Paper& paper, const Titles& titles) {
    const Box area = ContentArea(paper);
    const Box top{area.left, area.top, area.width, kTitleSize + kTitleSize / 2};
    const Box bottom{area.left, area.Bottom() - top.height, area.width, top.height};
    const std::string count = std::to_string(pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        std::vector<Shape>& shapes = pages[i].shapes;
        shapes.push_back(TextOf(top, titles.heading, kTitleSize));
        shapes.push_back(TextOf(top, titles.date, kTitleSize, Shape::Align::Right));
        shapes.push_back(TextOf(bottom, "Pàgina " + std::to_string(i + 1) + " de " + count,
                                kTitleSize, Shape::Align::Centre));
    }
}

} // namespace printing
