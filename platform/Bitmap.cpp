#include "platform/Bitmap.h"

#include "platform/Text.h"

#include <algorithm>

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
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width * zoom;
    info.bmiHeader.biHeight = -height * zoom; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
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
