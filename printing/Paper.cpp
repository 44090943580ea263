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
