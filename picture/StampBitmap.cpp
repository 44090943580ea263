#include "picture/StampBitmap.h"

#include "collection/BitmapExport.h"
#include "collection/CollectionFormat.h"

namespace picture {

void WriteStampBitmap(std::FILE* dst, const Stamp& stamp) {
    if (dst == nullptr) {
        return;
    }
    WriteBmpHeader(dst);
    constexpr std::size_t kRow = 32 * 3;
    for (std::size_t row = 32; row-- > 0;) {
        std::fwrite(stamp.data() + row * kRow, 1, kRow, dst);
    }
}

std::vector<std::uint8_t> StampPixelArea(const Stamp& stamp) {
    std::vector<std::uint8_t> area;
    area.reserve(2048);
    for (std::size_t i = 0; i < stamp.size(); i += 3) {
        unsigned word = sgc::WordOfShown(stamp[i + 2], stamp[i + 1], stamp[i]);
        area.push_back(sgc::HighByte(word));
        area.push_back(sgc::LowByte(word));
    }
    return area;
}

} // namespace picture
