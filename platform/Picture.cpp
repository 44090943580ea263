#include "platform/Picture.h"

#include "layout/Zoom.h"

CPicture::~CPicture() {
    // A control that outlives us must not paint a deleted bitmap.
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        CStatic::SetBitmap(nullptr);
    }
}

void CPicture::SetBitmap(CBitmap bitmap) {
    CStatic::SetBitmap(bitmap.GetSafeHandle());
    m_bitmap = std::move(bitmap);
}

void CPicture::SetStamp(const CBitmap& stamp, int side) {
    std::vector<std::uint8_t> pixels = stamp.Pixels(side, side);
    SetStamp(pixels.empty() ? nullptr : pixels.data(), side);
}

void CPicture::SetStamp(const std::uint8_t* bgr, int side) {
    if (bgr == nullptr || side <= 0) {
        m_stamp.clear();
        m_stampSide = 0;
        SetBitmap(CBitmap());
        return;
    }
    m_stamp.assign(bgr, bgr + static_cast<std::size_t>(side) * side * 3);
    m_stampSide = side;
    RefreshZoom();
}

int CPicture::Zoom() const {
    RECT room{};
    ::GetClientRect(m_hWnd, &room);
    return layout::FitWhole(room.right, room.bottom, m_stampSide).zoom;
}

void CPicture::RefreshZoom() {
    if (!m_stamp.empty()) {
        SetBitmap(CBitmap::FromPixels(m_stamp.data(), m_stampSide, m_stampSide, Zoom()));
    }
}
