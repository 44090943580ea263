#include "platform/FontDrawing.h"

#include "platform/Gdi.h"
#include "platform/Offscreen.h"

#include <algorithm>

namespace {

LOGFONTW Attributes(const FontChoice& font, int em) {
    LOGFONTW attributes{};
    attributes.lfHeight = -em; // negative: the em, not the cell, is this high
    attributes.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    attributes.lfItalic = font.italic ? TRUE : FALSE;
    attributes.lfCharSet = DEFAULT_CHARSET;
    attributes.lfQuality = ANTIALIASED_QUALITY; // grey smoothing: coverage, never colour fringes
    font.face.copy(attributes.lfFaceName, LF_FACESIZE - 1);
    return attributes;
}

int CALLBACK AddFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
    if (font->lfFaceName[0] != L'@') {
        reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(font->lfFaceName);
    }
    return 1;
}

} // namespace

std::vector<std::wstring> InstalledFonts() {
    CClientDC screen(nullptr);
    LOGFONTW every{};
    every.lfCharSet = DEFAULT_CHARSET;
    std::vector<std::wstring> fonts;
    ::EnumFontFamiliesExW(screen.GetSafeHdc(), &every, &AddFamily, reinterpret_cast<LPARAM>(&fonts),
                          0);
    std::sort(fonts.begin(), fonts.end());
    fonts.erase(std::unique(fonts.begin(), fonts.end()), fonts.end());
    return fonts;
}

std::optional<text::Drawing> DrawWithFont(const std::wstring& text, const FontChoice& font) {
    // A long text is drawn smaller: its stamp shows each letter small anyway, and the surface
    // stays within kMaxDrawnWidth.
    const int em = std::clamp(kMaxDrawnWidth * 2 / 3 / (static_cast<int>(text.size()) + 1),
                              kLeastDrawnEm, kDrawnEm);
    CFont drawn(Attributes(font, em));
    COffscreen surface;
    // Room for every character at its widest, an italic's lean and a descender.
    const int width = static_cast<int>(text.size() + 1) * em * 3 / 2;
    const int height = em * 2;
    if (drawn.GetSafeHandle() == nullptr || text.empty() || !surface.Create(width, height)) {
        return std::nullopt;
    }
    surface.Fill({0, 0, width, height}, RGB(255, 255, 255));
    surface.SetFont(drawn.GetSafeHandle());
    HDC dc = surface.GetSafeHdc();
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    const int left = em / 2, top = em / 4;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::TextOutW(dc, left, top, text.c_str(), static_cast<int>(text.size()));
    ::GdiFlush(); // the bits are read straight from memory
    text::Drawing drawing{width, height, top + metrics.tmAscent, {}};
    drawing.coverage.reserve(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = surface.Bits() + static_cast<std::size_t>(y) * surface.Stride();
        for (int x = 0; x < width; ++x) {
            drawing.coverage.push_back(static_cast<std::uint8_t>(255 - row[3 * x + 1]));
        }
    }
    return drawing;
}

std::wstring MissingCharacters(const std::wstring& text, const FontChoice& font) {
    CFont drawn(Attributes(font, kDrawnEm));
    CMemoryDC dc(nullptr);
    CSelectObject selected(dc.GetSafeHdc(), drawn.GetSafeHandle());
    std::vector<WORD> glyphs(text.size());
    ::GetGlyphIndicesW(dc.GetSafeHdc(), text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                       GGI_MARK_NONEXISTING_GLYPHS);
    std::wstring missing;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool blank = text[i] == L' ';
        if (!blank && glyphs[i] == 0xFFFF && missing.find(text[i]) == std::wstring::npos) {
            missing += text[i];
        }
    }
    return missing;
}
