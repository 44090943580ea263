#pragma once

#include <windows.h>

#include <cstdint>

// A bitmap to draw into, out of sight, before it is copied to the screen in one piece so that
// nothing flickers: a 24-bit DIB section selected into a memory device context, both owned.
class COffscreen {
public:
    COffscreen() = default;
    ~COffscreen() { Release(); }
    COffscreen(const COffscreen&) = delete;
    COffscreen& operator=(const COffscreen&) = delete;

    // A width x height surface, replacing any earlier one; false when none could be made.
    bool Create(int width, int height);

    HDC GetSafeHdc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixels, blue-green-red, top row first, rows of Stride() bytes.
    std::uint8_t* Bits() const { return m_bits; }
    int Stride() const { return (m_width * 3 + 3) & ~3; }
    void Fill(const RECT& rect, COLORREF colour) const;
    // Text drawn on the surface takes font (which the caller keeps) until the next.
    void SetFont(HFONT font);
    // Copies the surface to dc at x, y.
    void CopyTo(HDC dc, int x = 0, int y = 0) const;

private:
    void Release();

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    HGDIOBJ m_previousFont = nullptr;
    std::uint8_t* m_bits = nullptr;
    int m_width = 0, m_height = 0;
};
