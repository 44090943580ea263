#pragma once

#include "editor/Stamp.h"

#include <vector>

// "Simetria": every tool paints its mirror image too, about axes through the stamp's centre
// (between pixels 15 and 16).
namespace editor {

enum class Symmetry { None, Vertical, Horizontal, Both };

// The pixels that mirror p, p itself left out.
std::vector<Point> MirrorsOf(Point p, Symmetry symmetry);

// after, with every pixel that differs from before also set at its mirrors. A mirror that the
// change itself painted keeps what it was painted.
Stamp Mirrored(const Stamp& before, const Stamp& after, Symmetry symmetry);

} // namespace editor
