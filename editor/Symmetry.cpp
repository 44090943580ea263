#include "editor/Symmetry.h"

namespace editor {

std::vector<Point> MirrorsOf(Point p, Symmetry symmetry) {
    const Point across{kSide - 1 - p.x, p.y}, over{p.x, kSide - 1 - p.y};
    switch (symmetry) {
    case Symmetry::Vertical:
        return {across};
    case Symmetry::Horizontal:
        return {over};
    case Symmetry::Both:
        return {across, over, {kSide - 1 - p.x, kSide - 1 - p.y}};
    case Symmetry::None:
        break;
    }
    return {};
}

Stamp Mirrored(const Stamp& before, const Stamp& after, Symmetry symmetry) {
    Stamp mirrored = after;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const Point p{x, y};
            if (after.WordAt(p) == before.WordAt(p)) {
                continue;
            }
            for (Point mirror : MirrorsOf(p, symmetry)) {
                if (after.WordAt(mirror) == before.WordAt(mirror)) {
                    mirrored.Move(mirror, after.WordAt(p));
                }
            }
        }
    }
    return mirrored;
}

} // namespace editor
