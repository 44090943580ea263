#pragma once

#include "platform/Bitmap.h"
#include "platform/Dialog.h"

#include <cstdint>
#include <vector>

// A picture control that owns the bitmap it shows: a new one replaces and deletes the old, and
// the last one goes with the object, so that paging through a collection leaks nothing.
class CPicture : public CStatic {
public:
    using CStatic::CStatic;
    ~CPicture() override;

    void SetBitmap(CBitmap bitmap);

    // Shows a stamp of side x side pixels at the largest whole zoom the control holds, nearest
    // pixel, centred by the control (SS_CENTERIMAGE); an empty bitmap shows nothing.
    void SetStamp(const CBitmap& stamp, int side = 32);
    void SetStamp(const std::uint8_t* bgr, int side = 32);
    // The stamp shown again at the zoom the control holds now, after its size changed.
    void RefreshZoom();
    int Zoom() const;

private:
    CBitmap m_bitmap;
    std::vector<std::uint8_t> m_stamp; // blue-green-red, top row first
    int m_stampSide = 0;
};
