#pragma once

#include "printing/Paper.h"

#include <vector>

// The shapes of one kind on a page, in the order they are drawn.
inline std::vector<printing::Shape> ShapesOf(const printing::Page& page,
                                             printing::Shape::Kind kind) {
    std::vector<printing::Shape> found;
    for (const printing::Shape& shape : page.shapes) {
        if (shape.kind == kind) {
            found.push_back(shape);
        }
    }
    return found;
}
