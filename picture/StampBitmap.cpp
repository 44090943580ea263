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

} // namespace picture
