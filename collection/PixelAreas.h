#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

// Whole pixel areas in memory, for the views and edits that take a collection at a glance. Like
// every edit they touch nothing but pixel areas and flush what they write.

using PixelAreaBytes = std::vector<std::uint8_t>; // 2048 bytes as stored

// The pixel area of image imageNumber; bytes past the end of a short file read as zeros. Empty
// when the stream is null or the number below 1.
PixelAreaBytes ReadPixelArea(std::FILE* collection, int imageNumber);

// Writes a 2048-byte area over image imageNumber; false when it could not.
bool WritePixelArea(std::FILE* collection, int imageNumber, const PixelAreaBytes& area);

// Swaps the pixel areas of images a and b; false when it could not.
bool SwapPixelAreas(std::FILE* collection, int a, int b);

// An area as the display shows it: 1024 pixels, blue-green-red, top row first.
std::array<std::uint8_t, 3072> ShownPixels(const PixelAreaBytes& area);
