#pragma once

#include <cstdio>

// The two multi-step edits of a collection, chained through temporary streams.

// Writes a 32x32, 24-bit bitmap over image imageNumber of the collection. The bitmap's pixel rows,
// bottom row first, are the 3072 bytes at pixelOffset, or its last 3072 bytes when pixelOffset is
// negative. Returns false when a temporary stream could not be created (the collection is then
// untouched) or a stream reported an error.
bool ImportBitmapPixels(std::FILE* bitmap, std::FILE* collection, int imageNumber,
                        long pixelOffset = -1);

// Moves the pixel areas of images fromImage to imageCount - 1 one image up, starting at the end;
// the last image is lost and image fromImage stays, so that it stands twice. Trailers stay put.
// Returns false when a temporary stream could not be created (the shift then stops before its
// next image) or the collection stream reported an error.
bool ShiftImagesUp(std::FILE* collection, int imageCount, int fromImage);
