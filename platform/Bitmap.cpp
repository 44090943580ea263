#include "platform/Bitmap.h"

#include "platform/Text.h"

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
