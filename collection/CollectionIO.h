#pragma once

#include <cstdio>

// Byte-level operations on collection, bitmap and temporary streams. The class holds no state;
// a command makes a local instance. Every operation positions the streams it reads itself, never
// repositions the stream it writes to (except collections, which it positions at the record), and
// transfers one byte at a time. None of them crashes: a null stream makes it do nothing, and
// bytes missing from a short source are read as zeros. Errors are left in the streams' error
// state for the caller to look at. Operations that write a collection flush it before returning,
// so that a second stream on the same file sees the new bytes at once.
class CCollectionIO {
public:
    // 1024 16-bit pixels read from src's start become 1024 blue-green-red triplets at dst.
    void Convert16To24(std::FILE* src, std::FILE* dst);
    // 1024 blue-green-red triplets read from src's start become 1024 16-bit pixels at dst.
    void Convert24To16(std::FILE* src, std::FILE* dst);
    // The pixel area of image imageNumber, rows bottom row first, appended to dst.
    void CopyRecordRowsReversed(std::FILE* collection, std::FILE* dst, int imageNumber);
    // The last 32 rows of src (32 * bytesPerPixel bytes each), last row first, appended to dst.
    void CopyRowsReversed(std::FILE* src, std::FILE* dst, int bytesPerPixel);
    // Closes a stream; a temporary stream is deleted as well.
    void CloseStream(std::FILE* stream);

    // The first 2048 bytes of src become the pixel area of image imageNumber.
    void WriteRecordPixels(std::FILE* collection, std::FILE* src, int imageNumber);
    // The pixel area of image srcImageNumber is copied over that of dstImageNumber.
    void CopyRecordPixels(std::FILE* srcCollection, std::FILE* dstCollection, int srcImageNumber,
                          int dstImageNumber);
    // The pixel areas of images 1 to count become white; the trailers are skipped.
    void FillWhite(std::FILE* collection, int count);
};
