#include "printing/Catalogue.h"

#include <algorithm>

namespace printing {

Tenths ColumnGap(Tenths stampSize) {
    return std::max<Tenths>(40, stampSize / 4); // the numbers "126" never touch
}

CatalogueGrid CatalogueGridOf(const Paper& paper, Tenths stampSize) {
    CatalogueGrid grid;
    if (stampSize <= 0) {
        return grid;
    }
    const Box area = ContentArea(paper);
    // The stamps sit between the titles, the last row and column without a gap after them.
    const Tenths width = area.width;
    const Tenths height = area.height - 2 * (kTitleSize + kTitleSize / 2) - 2 * kTitleSize;
    grid.columnStep = stampSize + ColumnGap(stampSize);
    grid.rowStep = stampSize + kRowGap;
    grid.columns = std::max(0, (width + ColumnGap(stampSize)) / grid.columnStep);
    grid.rows = std::max(0, (height - kNumberSize - 10 + kRowGap) / grid.rowStep);
    if (grid.columns == 0 || grid.rows == 0) {
        return {};
    }
    // Centred across the page, from the top under the heading.
    const Tenths used = grid.columns * grid.columnStep - ColumnGap(stampSize);
    grid.left = area.left + (width - used) / 2;
    grid.top = area.top + kTitleSize + kTitleSize / 2 + kTitleSize;
    return grid;
}

std::vector<Page> CataloguePages(const Paper& paper, Tenths stampSize,
                                 const std::vector<int>& images, const Titles& titles) {
    const CatalogueGrid grid = CatalogueGridOf(paper, stampSize);
    std::vector<Page> pages;
    if (grid.PerPage() == 0) {
        return pages;
    }
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int onPage = static_cast<int>(i) % grid.PerPage();
        if (onPage == 0) {
            pages.emplace_back();
        }
        const Box stamp{grid.left + onPage % grid.columns * grid.columnStep,
                        grid.top + onPage / grid.columns * grid.rowStep, stampSize, stampSize};
        const Box number{stamp.left, stamp.Bottom() + 10, stampSize, kNumberSize};
        pages.back().shapes.push_back(StampOf(stamp, images[i]));
        pages.back().shapes.push_back(
            TextOf(number, std::to_string(images[i]), kNumberSize, Shape::Align::Centre));
    }
    AddTitles(pages, paper, titles);
    return pages;
}

} // namespace printing
