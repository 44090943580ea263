#include "picture/Picture.h"

namespace picture {

bool IsUsable(const Picture& picture) {
    return picture.width > 0 && picture.height > 0 && picture.width <= kMaxSide &&
           picture.height <= kMaxSide &&
           static_cast<long long>(picture.width) * picture.height <= kMaxPixels &&
           picture.bgra.size() == static_cast<std::size_t>(picture.width) * picture.height * 4;
}

} // namespace picture
