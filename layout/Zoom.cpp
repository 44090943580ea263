#include "layout/Zoom.h"

#include <algorithm>

namespace layout {

Placement FitWhole(int width, int height, int side) {
    if (side <= 0) {
        return {};
    }
    const int zoom = std::max(1, std::min(width, height) / side);
    return {zoom, (width - side * zoom) / 2, (height - side * zoom) / 2};
}

int ForDpi(int length, int dpi) {
    if (length <= 0) {
        return length;
    }
    const long long scaled = static_cast<long long>(length) * std::max(dpi, 1) / kBaseDpi;
    return static_cast<int>(std::clamp<long long>(scaled, 1, 1 << 20));
}

int ZoomForDpi(int zoom, int dpi) {
    return std::max(zoom, ForDpi(zoom, dpi));
}

int ZoomWithin(int wanted, int cellSide, int cells, int extra, int room) {
    for (int zoom = std::max(1, wanted); zoom > 1; --zoom) {
        if (static_cast<long long>(cellSide) * zoom * cells + extra <= room) {
            return zoom;
        }
    }
    return 1;
}

} // namespace layout
