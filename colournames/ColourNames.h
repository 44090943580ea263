#pragma once

#include "editor/Stamp.h"

#include <string>

// A colour said in words, as a parent would say it: the nearest, as the eye sees it, of about
// thirty Catalan names ("vermell", "blau cel", "gris clar"...); colours with almost no hue are
// always a grey, black or white.
namespace colournames {

std::string NameOf(editor::Colour colour);

// Its numbers, for a screen reader's description: "vermell 31, verd 0, blau 0 (de 31)".
std::string NumbersOf(editor::Colour colour);

// Below this OKLab chroma a colour is a grey: a hint of hue the eye barely sees (near black,
// a little more).
inline constexpr float kGreyChroma = 0.037f;

} // namespace colournames
