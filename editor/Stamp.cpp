#include "editor/Stamp.h"

#include "collection/CollectionFormat.h"

namespace editor {

Rgb Shown(Colour colour) {
    return {static_cast<std::uint8_t>(sgc::ExpandChannel(colour >> 10 & 31)),
            static_cast<std::uint8_t>(sgc::ExpandChannel(colour >> 5 & 31)),
            static_cast<std::uint8_t>(sgc::ExpandChannel(colour & 31))};
}

Stamp::Stamp() {
    m_words.fill(kWhite);
}

Stamp Stamp::FromArea(const PixelAreaBytes& area) {
    Stamp stamp;
    for (std::size_t i = 0; i < stamp.m_words.size(); ++i) {
        std::uint8_t high = 2 * i < area.size() ? area[2 * i] : 0;
        std::uint8_t low = 2 * i + 1 < area.size() ? area[2 * i + 1] : 0;
        stamp.m_words[i] = static_cast<Word>(high << 8 | low);
    }
    return stamp;
}

PixelAreaBytes Stamp::ToArea() const {
    PixelAreaBytes area;
    area.reserve(2 * m_words.size());
    for (Word word : m_words) {
        area.push_back(static_cast<std::uint8_t>(word >> 8));
        area.push_back(static_cast<std::uint8_t>(word));
    }
    return area;
}

void Stamp::Paint(Point p, Colour colour) {
    if (Contains(p)) {
        Move(p, ColourOf(colour));
    }
}

} // namespace editor
