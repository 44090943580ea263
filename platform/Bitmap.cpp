#include "platform/Bitmap.h"

#include "platform/Gdi.h"
#include "platform/Text.h"

#include <algorithm>

BITMAPINFO TopDownDib(int width, int height, int bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits);
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

CBitmap& CBitmap::operator=(CBitmap&& other) noexcept {
    if (this != &other) {
        DeleteObject();
        m_hBitmap = other.Detach();
    }
    return *this;
}

CBitmap CBitmap::LoadFromFile(const std::string& path, int width, int height) {
    return CBitmap(static_cast<HBITMAP>(
        ::LoadImageW(nullptr, Widen(path).c_str(), IMAGE_BITMAP, width, height, LR_LOADFROMFILE)));
}

CBitmap CBitmap::FromPixels(const std::uint8_t* bgr, int width, int height, int zoom) {
    BITMAPINFO info = TopDownDib(width * zoom, height * zoom);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bgr == nullptr) {
        return CBitmap(bitmap);
    }
    const int stride = (width * zoom * 3 + 3) & ~3; // rows end on four bytes
    auto* rows = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < height * zoom; ++y) {
        for (int x = 0; x < width * zoom; ++x) {
            const std::uint8_t* from =
                bgr + (static_cast<std::size_t>(y / zoom) * width + x / zoom) * 3;
            std::copy(from, from + 3, rows + static_cast<std::size_t>(y) * stride + x * 3);
        }
    }
    return CBitmap(bitmap);
}

std::vector<std::uint8_t> CBitmap::Pixels(int width, int height) const {
    if (m_hBitmap == nullptr || width <= 0 || height <= 0) {
        return {};
    }
    BITMAPINFO info = TopDownDib(width, height);
    const int stride = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * height);
    CClientDC screen;
    const int read = ::GetDIBits(screen.GetSafeHdc(), m_hBitmap, 0, static_cast<UINT>(height),
                                 rows.data(), &info, DIB_RGB_COLORS);
    if (read != height) {
        return {};
    }
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        std::copy_n(rows.begin() + static_cast<long>(y) * stride, width * 3,
                    pixels.begin() + static_cast<long>(y) * width * 3);
    }
    return pixels;
}

HBITMAP CBitmap::Detach() {
    HBITMAP bitmap = m_hBitmap;
    m_hBitmap = nullptr;
    return bitmap;
}

void CBitmap::DeleteObject() {
    if (m_hBitmap != nullptr) {
        ::DeleteObject(m_hBitmap);
        m_hBitmap = nullptr;
    }
}
