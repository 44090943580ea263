#include "platform/Picture.h"

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
