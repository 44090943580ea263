#pragma once

#include "editor/Selection.h"
#include "editor/Stamp.h"

#include <array>
#include <cstdint>
#include <vector>

// Letters as stamps: text drawn large by the system's font engine, its ink fitted into the stamp
// and painted in the collection's colours. Standard C++ only: the drawing comes in as coverage.
namespace text {

// Text drawn large: how much of each pixel the letters cover (0..255), top row first, and the
// row of the baseline.
struct Drawing {
    int width = 0, height = 0;
    int baseline = 0;
    std::vector<std::uint8_t> coverage;
    std::uint8_t At(int x, int y) const {
        return coverage[static_cast<std::size_t>(y * width + x)];
    }
};

// The rectangle of a drawing's ink, right and bottom excluded; empty when it has none (or its
// coverage is not width x height).
struct InkBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const InkBox&) const = default;
};
// The pixels covered at least half: a font engine's faint fringe of smoothing does not count.
InkBox InkOf(const Drawing& drawing);

// Where a drawing lies in the stamp: stamp = drawing * scale + offset, on each axis.
struct Placement {
    double scale = 1, offsetX = 0, offsetY = 0;
};

// The ink keeps a margin of one pixel on every side.
inline constexpr int kMargin = 1;
inline constexpr int kRoom = editor::kSide - 2 * kMargin;

// One drawing's ink as large as the stamp holds it, centred.
Placement FitAlone(const InkBox& ink);
// "Mida fixa": one scale for a series, the largest at which every drawing's ink fits; every
// drawing's baseline on the same row, the series' tallest ink and deepest descent centred
// between them; each drawing centred across. Drawings without ink are placed as the others.
std::vector<Placement> FitSeries(const std::vector<Drawing>& drawings);

// How much of each stamp pixel the ink covers, 0..1, top row first: 4 x 4 samples a pixel.
std::array<float, editor::kSide * editor::kSide> CoverageIn(const Drawing& drawing,
                                                            const Placement& placement);

// The editor's "Text" tool: a drawing's ink at a scale, from the top left of its ink, in one
// colour; a pixel is ink when covered at least half, so that the letters are crisp, and clear
// otherwise, so that the stamp shows round them. At most kMaxLetters a side.
inline constexpr int kMaxLetters = 512;
editor::Piece LettersOf(const Drawing& drawing, double scale, editor::Colour ink);

struct Colours {
    editor::Colour ink = editor::kBlack;
    editor::Colour background = editor::kWhite;
    bool outline = false; // "Contorn": a line of one pixel round the letters
    editor::Colour outlineColour = editor::kBlack;
};
// The stamp: without smoothing ("Suavitzat"), a pixel is the ink's colour when covered at least
// half and the background's otherwise, so that only those two colours are used; with it, edges
// take the storable colour nearest to the blend, in linear light.
editor::Stamp Paint(const std::array<float, editor::kSide * editor::kSide>& coverage,
                    const Colours& colours, bool smooth);

} // namespace text
