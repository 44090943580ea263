#pragma once

#include "platform/Bitmap.h"
#include "platform/Dialog.h"

// A picture control that owns the bitmap it shows: a new one replaces and deletes the old, and
// the last one goes with the object, so that paging through a collection leaks nothing.
class CPicture : public CStatic {
public:
    using CStatic::CStatic;
    ~CPicture() override;

    void SetBitmap(CBitmap bitmap);

private:
    CBitmap m_bitmap;
};
