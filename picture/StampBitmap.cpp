#include "picture/StampBitmap.h"

#include "collection/BitmapExport.h"

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
        int word = (stamp[i + 2] / 8) << 10 | (stamp[i + 1] / 8) << 5 | stamp[i] / 8;
        area.push_back(static_cast<std::uint8_t>(word >> 8));
        area.push_back(static_cast<std::uint8_t>(word));
    }
    return area;
}

} // namespace picture
