#pragma once

#include <cstdio>

// What the image import needs to know of a bitmap file before it takes its pixels.
struct BitmapInspection {
    // 32 x 32 pixels, bottom row first, 24 bits per pixel, uncompressed.
    bool accepted;
    // Where its 3072 bytes of pixels start: where the header says, when that lies after the
    // headers and leaves room for them inside the file; otherwise the last 3072 bytes of the file
    // (-1 when it is shorter).
    long pixelOffset;
};

// Reads the header fields of a BMP file; leaves the stream at its first byte.
BitmapInspection InspectBitmap(std::FILE* bitmap);
