#include "platform/FontDrawing.h"

#include "platform/Gdi.h"
#include "platform/Offscreen.h"

#include <algorithm>

namespace {

LOGFONTW Attributes(const FontChoice& font, int em, bool crisp = false) {
    LOGFONTW attributes{};
    attributes.lfHeight = -em; // negative: the em, not the cell, is this high
    attributes.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    attributes.lfItalic = font.italic ? TRUE : FALSE;
    attributes.lfCharSet = DEFAULT_CHARSET;
    // Grey smoothing (coverage, never colour fringes), or the font's own hinted pixels.
    attributes.lfQuality = crisp ? NONANTIALIASED_QUALITY : ANTIALIASED_QUALITY;
    font.face.copy(attributes.lfFaceName, LF_FACESIZE - 1);
    return attributes;
}

int CALLBACK AddFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
    if (font->lfFaceName[0] != L'@') {
        reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(font->lfFaceName);
    }
    return 1;
}

// The em a text of length characters is drawn at.
int DrawnEm(std::size_t length) {
    // A long text is drawn smaller: its stamp shows each letter small anyway, and the surface
    // stays within kMaxDrawnWidth.
    const auto room = static_cast<std::size_t>(kMaxDrawnWidth * 2 / 3);
    return static_cast<int>(std::clamp<std::size_t>(room / (length + 1), kLeastDrawnEm, kDrawnEm));
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

std::wstring StartingFont(const std::vector<std::wstring>& installed) {
    for (const wchar_t* name : {L"Arial", L"DejaVu Sans", L"Liberation Sans", L"Tahoma"}) {
        if (std::find(installed.begin(), installed.end(), name) != installed.end()) {
            return name;
        }
    }
    return installed.empty() ? std::wstring() : installed.front();
}

namespace {

std::optional<text::Drawing> Draw(const std::wstring& text, const FontChoice& font, int em,
                                  bool crisp) {
    CFont drawn(Attributes(font, em, crisp));
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

} // namespace

std::optional<text::Drawing> DrawWithFont(const std::wstring& text, const FontChoice& font) {
    return Draw(text, font, DrawnEm(text.size()), false);
}

std::optional<text::Drawing> DrawCrisp(const std::wstring& text, const FontChoice& font, int em) {
    return Draw(text, font, std::clamp(em, 1, kDrawnEm), true);
}

int EmForCapitals(const FontChoice& font, int capitals) {
    auto capitalsAt = [&font](int em) {
        std::optional<text::Drawing> h = DrawCrisp(L"H", font, em);
        return h ? text::InkOf(*h).Height() : 0;
    };
    // From the proportion at the large em, then a step at a time: the font's hinting rounds
    // each size its own way.
    const int large = capitalsAt(kDrawnEm);
    if (large <= 0) {
        return std::clamp(capitals * 10 / 7, 1, kDrawnEm); // no "H": a usual proportion
    }
    int em = std::clamp((capitals * kDrawnEm + large / 2) / large, 1, kDrawnEm);
    for (int step = 0; step < 4 && em < kDrawnEm && capitalsAt(em) < capitals; ++step) {
        ++em;
    }
    for (int step = 0; step < 4 && em > 1 && capitalsAt(em) > capitals; ++step) {
        --em;
    }
    return em;
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
