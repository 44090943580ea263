#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

// Whole pixel areas in memory, for the views and edits that take a collection at a glance. Like
// every edit they touch nothing but pixel areas and flush what they write.

using PixelAreaBytes = std::vector<std::uint8_t>; // 2048 bytes as stored

// The pixel area of image imageNumber; bytes past the end of a short file read as zeros, as the
// format allows. Nothing when the stream is null, the number below 1 or the read failed: a read
// error is never taken for black pixels.
std::optional<PixelAreaBytes> ReadPixelArea(std::FILE* collection, int imageNumber);

// Writes a 2048-byte area over image imageNumber; false when it could not.
bool WritePixelArea(std::FILE* collection, int imageNumber, const PixelAreaBytes& area);

// Swaps the pixel areas of images a and b; false, with nothing written, when either can't be
// read, and false when a write failed.
bool SwapPixelAreas(std::FILE* collection, int a, int b);

// The shift of a collection: every image after fromImage, up to the last of imageCount, takes
// the area of the one before it; the last area goes and fromImage keeps its own. Every area is
// read before any is written, whole: an area that can't be read writes nothing. True when every
// area was written; imageCount beyond the file's own count is taken as that.
bool ShiftAreasUp(std::FILE* collection, int imageCount, int fromImage);

// An area as the display shows it: 1024 pixels, blue-green-red, top row first. An area that
// could not be read shows black.
std::array<std::uint8_t, 3072> ShownPixels(const PixelAreaBytes& area);
std::array<std::uint8_t, 3072> ShownPixels(const std::optional<PixelAreaBytes>& area);
