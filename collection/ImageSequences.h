#pragma once

#include <cstdio>

// The two multi-step edits of a collection, chained through temporary streams.

// How an edit went: true when it was done. When no temporary stream could be had, the edit
// stopped before writing (the shift: before its next image), and the user is told that rather
// than blaming the disk.
struct EditResult {
    bool done = false;
    bool noTempStream = false;
    // The shift: the image at which it stopped; it and the images below it down to the one after
    // fromImage were not written.
    int stoppedAt = 0;
    explicit operator bool() const { return done; }
};

// Writes a 32x32, 24-bit bitmap over image imageNumber of the collection. The bitmap's pixel rows,
// bottom row first, are the 3072 bytes at pixelOffset, or its last 3072 bytes when pixelOffset is
// negative. Not done when a temporary stream could not be created (the collection is then
// untouched) or a stream reported an error.
EditResult ImportBitmapPixels(std::FILE* bitmap, std::FILE* collection, int imageNumber,
                              long pixelOffset = -1);

// Writes the pixels that ImportBitmapPixels would take from the bitmap as a complete 3126-byte
// BMP file at path (UTF-8), so that the picture shown is one the program wrote itself. Returns
// false when a stream could not be created or reported an error.
bool ExportBitmapPixels(std::FILE* bitmap, const char* path, long pixelOffset = -1);

// Moves the pixel areas of images fromImage to imageCount - 1 one image up, starting at the end;
// the last image is lost and image fromImage stays, so that it stands twice. Trailers stay put.
// Not done when a temporary stream could not be created or the collection stream reported an
// error.
EditResult ShiftImagesUp(std::FILE* collection, int imageCount, int fromImage);
