#pragma once

#include "text/TextStamps.h"

#include <optional>
#include <string>
#include <vector>

// Text drawn large by the system's fonts (GDI), for the letters of text stamps.

struct FontChoice {
    std::wstring face;
    bool bold = false;
    bool italic = false;
    bool operator==(const FontChoice&) const = default;
};

// The height of the em the letters are drawn at, in pixels: a stamp takes a tenth of it or
// less, so that the fit loses nothing.
inline constexpr int kDrawnEm = 160;
// A long text's em is smaller, down to this, so that its drawing is at most about this wide.
inline constexpr int kLeastDrawnEm = 16;
inline constexpr int kMaxDrawnWidth = 4096;

// The installed font families by name, sorted, once each, without the vertical ("@") ones.
std::vector<std::wstring> InstalledFonts();
// The font to start with: one every system is likely to have, else one of Wine's, else the first
// installed.
std::wstring StartingFont(const std::vector<std::wstring>& installed);

// text drawn in font, black on white with the font engine's smoothing, as coverage with its
// baseline, at kDrawnEm (smaller for a long text); nothing when the system could not draw it.
std::optional<text::Drawing> DrawWithFont(const std::wstring& text, const FontChoice& font);

// text drawn at an em of so many pixels with the font's own hinted pixels, no smoothing: small
// letters as the font means them to look. Coverage 0 or 255.
std::optional<text::Drawing> DrawCrisp(const std::wstring& text, const FontChoice& font, int em);
// The em at which font's capitals (its "H") are drawn crisp so many pixels tall, or as near as
// the font's sizes come.
int EmForCapitals(const FontChoice& font, int capitals);

// The characters of text that font has no glyph for, once each, in order.
std::wstring MissingCharacters(const std::wstring& text, const FontChoice& font);
