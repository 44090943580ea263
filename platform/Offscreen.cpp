#include "platform/Offscreen.h"

#include "platform/Bitmap.h"

bool COffscreen::Create(int width, int height) {
    Release();
    BITMAPINFO info = TopDownDib(width, height);
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_dc = ::CreateCompatibleDC(nullptr);
    if (m_bitmap == nullptr || m_dc == nullptr) {
        Release();
        return false;
    }
    m_previous = ::SelectObject(m_dc, m_bitmap);
    m_bits = static_cast<std::uint8_t*>(bits);
    m_width = width;
    m_height = height;
    return true;
}

void COffscreen::Fill(const RECT& rect, COLORREF colour) const {
    ::SetBkColor(m_dc, colour);
    ::ExtTextOutW(m_dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void COffscreen::SetFont(HFONT font) {
    HGDIOBJ before = ::SelectObject(m_dc, font);
    if (m_previousFont == nullptr) {
        m_previousFont = before; // the DC's own, to put back before it goes
    }
}

void COffscreen::CopyTo(HDC dc, int x, int y) const {
    ::BitBlt(dc, x, y, m_width, m_height, m_dc, 0, 0, SRCCOPY);
}

void COffscreen::Release() {
    if (m_dc != nullptr) {
        if (m_previous != nullptr) {
            ::SelectObject(m_dc, m_previous);
        }
        if (m_previousFont != nullptr) {
            ::SelectObject(m_dc, m_previousFont);
        }
        ::DeleteDC(m_dc);
    }
    if (m_bitmap != nullptr) {
        ::DeleteObject(m_bitmap);
    }
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_previous = nullptr;
    m_previousFont = nullptr;
    m_bits = nullptr;
    m_width = m_height = 0;
}
