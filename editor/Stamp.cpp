#include "editor/Stamp.h"

#include "collection/CollectionFormat.h"

namespace editor {

Rgb Shown(Colour colour) {
    return {static_cast<std::uint8_t>(sgc::ExpandChannel(sgc::RedOf(colour))),
            static_cast<std::uint8_t>(sgc::ExpandChannel(sgc::GreenOf(colour))),
            static_cast<std::uint8_t>(sgc::ExpandChannel(sgc::BlueOf(colour)))};
}

Stamp::Stamp() {
    m_words.fill(kWhite);
}

Stamp Stamp::FromArea(const PixelAreaBytes& area) {
    Stamp stamp;
    for (std::size_t i = 0; i < stamp.m_words.size(); ++i) {
        std::uint8_t high = 2 * i < area.size() ? area[2 * i] : 0;
        std::uint8_t low = 2 * i + 1 < area.size() ? area[2 * i + 1] : 0;
        stamp.m_words[i] = static_cast<Word>(sgc::WordFromBytes(high, low));
    }
    return stamp;
}

PixelAreaBytes Stamp::ToArea() const {
    PixelAreaBytes area;
    area.reserve(2 * m_words.size());
    for (Word word : m_words) {
        area.push_back(sgc::HighByte(word));
        area.push_back(sgc::LowByte(word));
    }
    return area;
}

void Stamp::Paint(Point p, Colour colour) {
    if (Contains(p)) {
        Move(p, ColourOf(colour));
    }
}

} // namespace editor
