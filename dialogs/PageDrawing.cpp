#include "dialogs/PageDrawing.h"

#include "editor/Pieces.h"
#include "platform/Gdi.h"
#include "platform/Text.h"

#include <algorithm>
#include <cmath>

namespace {

COLORREF ColourRef(printing::Rgb rgb) {
    return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

// Both edges rounded the same way, so that boxes side by side meet with no gap.
RECT DeviceRect(const printing::Box& box, const PageScale& scale) {
    auto x = [&](printing::Tenths t) {
        return static_cast<LONG>(std::lround(scale.originX + t * scale.pixelsPerTenthX));
    };
    auto y = [&](printing::Tenths t) {
        return static_cast<LONG>(std::lround(scale.originY + t * scale.pixelsPerTenthY));
    };
    RECT rect{x(box.left), y(box.top), x(box.Right()), y(box.Bottom())};
    // A thin line on a small preview still shows: never narrower than a pixel.
    rect.right = std::max(rect.right, rect.left + (box.width > 0 ? 1 : 0));
    rect.bottom = std::max(rect.bottom, rect.top + (box.height > 0 ? 1 : 0));
    return rect;
}

void DrawStamp(HDC dc, const RECT& where, const editor::Stamp& stamp) {
    const std::vector<std::uint8_t> shown = editor::ShownPixels(stamp);
    // Bottom row first: some printer drivers take no top-down bitmap.
    std::vector<std::uint8_t> rows(shown.size());
    for (int y = 0; y < editor::kSide; ++y) {
        std::copy_n(shown.begin() + (editor::kSide - 1 - y) * editor::kSide * 3, editor::kSide * 3,
                    rows.begin() + y * editor::kSide * 3);
    }
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), editor::kSide, editor::kSide, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    ::SetStretchBltMode(dc, COLORONCOLOR); // each stamp pixel a sharp square
    ::StretchDIBits(dc, where.left, where.top, where.right - where.left, where.bottom - where.top,
                    0, 0, editor::kSide, editor::kSide, rows.data(), &info, DIB_RGB_COLORS,
                    SRCCOPY);
}

void DrawWords(HDC dc, RECT where, const printing::Shape& text, const PageScale& scale) {
    LOGFONTW attributes{};
    attributes.lfHeight = -std::max(1L, std::lround(text.size * scale.pixelsPerTenthY));
    attributes.lfWeight = FW_NORMAL;
    attributes.lfCharSet = DEFAULT_CHARSET;
    attributes.lfQuality = ANTIALIASED_QUALITY;
    wcscpy_s(attributes.lfFaceName, L"Arial");
    CFont font(attributes);
    CSelectObject selected(dc, font.GetSafeHandle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColourRef(text.colour));
    const UINT align = text.align == printing::Shape::Align::Centre  ? DT_CENTER
                       : text.align == printing::Shape::Align::Right ? DT_RIGHT
                                                                     : DT_LEFT;
    const std::wstring said = Widen(text.text);
    ::DrawTextW(dc, said.c_str(), static_cast<int>(said.size()), &where,
                align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
}

} // namespace

PageScale PrinterScale(HDC printer) {
    PageScale scale;
    scale.pixelsPerTenthX = ::GetDeviceCaps(printer, LOGPIXELSX) / 254.0;
    scale.pixelsPerTenthY = ::GetDeviceCaps(printer, LOGPIXELSY) / 254.0;
    scale.originX = -::GetDeviceCaps(printer, PHYSICALOFFSETX);
    scale.originY = -::GetDeviceCaps(printer, PHYSICALOFFSETY);
    return scale;
}

void DrawPage(HDC dc, const printing::Page& page, const PageScale& scale,
              const std::vector<editor::Stamp>& stamps) {
    for (const printing::Shape& shape : page.shapes) {
        const RECT where = DeviceRect(shape.box, scale);
        switch (shape.kind) {
        case printing::Shape::Kind::Fill: {
            CBrush brush(ColourRef(shape.colour));
            ::FillRect(dc, &where, brush.GetSafeHandle());
            break;
        }
        case printing::Shape::Kind::Stamp:
            if (shape.image >= 1 && shape.image <= static_cast<int>(stamps.size())) {
                DrawStamp(dc, where, stamps[static_cast<std::size_t>(shape.image - 1)]);
            }
            break;
        case printing::Shape::Kind::Text:
            DrawWords(dc, where, shape, scale);
            break;
        }
    }
}
