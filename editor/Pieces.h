#pragma once

#include "editor/Selection.h"
#include "picture/Picture.h"
#include "picture/StampConversion.h"

#include <cstdint>
#include <optional>
#include <vector>

// Pieces of stamps to and from pictures, for the clipboard.
namespace editor {

// A picture as a piece: one of up to 32x32 pixels pixel for pixel, a larger one reduced to fit
// the stamp as the conversion's "Encaixa" reduces it; in the colours the conversion chooses,
// over white where it is transparent. Nothing for a picture that is not usable.
std::optional<Piece> PieceOfPicture(const picture::Picture& picture);

// "Contorn fosc" of the conversion: a converted stamp (as the display shows it) with a black line
// of one pixel round what is not white, so that a pale picture keeps a readable edge.
picture::Stamp WithDarkOutline(const picture::Stamp& shown);

// A stamp's pixels as the display shows them: blue, green, red, top row first.
std::vector<std::uint8_t> ShownPixels(const Stamp& stamp);
// A piece's pixels as the display shows them: blue, green, red, top row first.
std::vector<std::uint8_t> ShownPixels(const Piece& piece);

} // namespace editor
