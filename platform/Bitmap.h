#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The description of a top-down DIB of width x height pixels, `bits` bits each, no colour table.
BITMAPINFO TopDownDib(int width, int height, int bits = 24);

// A bitmap that the object owns: deleted when the object goes or takes another. Moves, never
// copies, so that one bitmap has one owner.
class CBitmap {
public:
    CBitmap() = default;
    explicit CBitmap(HBITMAP bitmap) : m_hBitmap(bitmap) {}
    ~CBitmap() { DeleteObject(); }
    CBitmap(CBitmap&& other) noexcept : m_hBitmap(other.Detach()) {}
    CBitmap& operator=(CBitmap&& other) noexcept;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    // A width x height bitmap loaded from a BMP file (path in UTF-8); empty when it can't be.
    // Only for files the program has checked or written itself: the system's loader reads past
    // the end of a file whose header claims more than it holds.
    static CBitmap LoadFromFile(const std::string& path, int width, int height);
    // A width x height bitmap of 24-bit pixels, blue-green-red, top row first, each pixel
    // drawn as a zoom x zoom block.
    static CBitmap FromPixels(const std::uint8_t* bgr, int width, int height, int zoom = 1);

    // The pixels of a width x height bitmap, blue-green-red, top row first; empty when they
    // can't be read.
    std::vector<std::uint8_t> Pixels(int width, int height) const;

    HBITMAP GetSafeHandle() const { return m_hBitmap; }
    HBITMAP Detach();
    void DeleteObject();

private:
    HBITMAP m_hBitmap = nullptr;
};
