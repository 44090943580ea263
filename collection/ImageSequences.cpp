#include "collection/ImageSequences.h"

#include "collection/BitmapExport.h"
#include "collection/CollectionFormat.h"
#include "collection/CollectionIO.h"
#include "collection/FileOpen.h"
#include "collection/StreamBytes.h"
#include "collection/TempStreams.h"

#include <algorithm>

namespace {

constexpr EditResult kNoTempStream{false, true, 0};

// Creates two temporary streams, or none: a half-made pair is released at once.
bool CreateTempPair(std::FILE*& first, std::FILE*& second) {
    first = CreateTempStream();
    second = CreateTempStream();
    if (first == nullptr || second == nullptr) {
        ReleaseTempStreams();
        return false;
    }
    return true;
}

bool StreamsOk(std::FILE* a, std::FILE* b) {
    return !std::ferror(a) && !std::ferror(b);
}

// The 3072 pixel bytes at offset, alone in a temporary stream, so that they are its last bytes.
std::FILE* PixelBlockAt(std::FILE* bitmap, long offset) {
    std::FILE* block = CreateTempStream();
    if (block != nullptr && streambytes::SeekTo(bitmap, offset)) {
        streambytes::Copy(bitmap, block, bmp::kPixelBlockSize);
    }
    return block;
}

} // namespace

EditResult ImportBitmapPixels(std::FILE* bitmap, std::FILE* collection, int imageNumber,
                              long pixelOffset) {
    if (bitmap == nullptr || collection == nullptr) {
        return {};
    }
    std::clearerr(bitmap);
    std::clearerr(collection);
    std::FILE* topDown24 = nullptr;
    std::FILE* pixels16 = nullptr;
    if (!CreateTempPair(topDown24, pixels16)) {
        return kNoTempStream;
    }
    std::FILE* pixels24 = pixelOffset >= 0 ? PixelBlockAt(bitmap, pixelOffset) : bitmap;
    if (pixels24 == nullptr) {
        ReleaseTempStreams();
        return kNoTempStream;
    }
    CCollectionIO io;
    io.CopyRowsReversed(pixels24, topDown24, 3);
    io.Convert24To16(topDown24, pixels16);
    bool tempsOk = StreamsOk(topDown24, pixels16) && !std::ferror(pixels24);
    if (tempsOk) {
        io.WriteRecordPixels(collection, pixels16, imageNumber);
    }
    ReleaseTempStreams();
    return {tempsOk && StreamsOk(bitmap, collection)};
}

bool ExportBitmapPixels(std::FILE* bitmap, const char* path, long pixelOffset) {
    if (bitmap == nullptr || path == nullptr) {
        return false;
    }
    std::clearerr(bitmap);
    std::FILE* topDown24 = CreateTempStream();
    std::FILE* pixels24 = pixelOffset >= 0 ? PixelBlockAt(bitmap, pixelOffset) : bitmap;
    std::FILE* output = OpenFile(path, "wb");
    bool ok = topDown24 != nullptr && pixels24 != nullptr && output != nullptr;
    CCollectionIO io;
    if (ok) {
        // Twice reversed: the rows come back bottom row first, short rows filled as imported.
        io.CopyRowsReversed(pixels24, topDown24, 3);
        WriteBmpHeader(output);
        io.CopyRowsReversed(topDown24, output, 3);
        ok = !std::ferror(topDown24) && !std::ferror(pixels24) && !std::ferror(bitmap);
    }
    ReleaseTempStreams();
    if (output != nullptr) {
        ok = std::fclose(output) == 0 && ok;
    }
    return ok;
}

EditResult ShiftImagesUp(std::FILE* collection, int imageCount, int fromImage) {
    if (collection == nullptr) {
        return {};
    }
    std::clearerr(collection);
    imageCount = std::min(imageCount, streambytes::ImageCount(collection));
    CCollectionIO io;
    std::FILE* bottomUp16 = nullptr;
    std::FILE* pixels16 = nullptr;
    // One pair of temporary streams for the whole shift, emptied between images: creating two
    // files for each image was most of a shift's time under Wine.
    bool work = imageCount > fromImage && imageCount > 1;
    if (work && !CreateTempPair(bottomUp16, pixels16)) {
        return {false, true, imageCount};
    }
    for (int image = imageCount; image > fromImage && image > 1; --image) {
        if (!EmptyTempStream(bottomUp16) || !EmptyTempStream(pixels16)) {
            ReleaseTempStreams();
            return {false, true, image};
        }
        io.CopyRecordRowsReversed(collection, bottomUp16, image - 1);
        io.CopyRowsReversed(bottomUp16, pixels16, 2);
        // A read that failed gave zeros: they are never written over an image.
        if (!StreamsOk(bottomUp16, pixels16) || std::ferror(collection)) {
            ReleaseTempStreams();
            return {false, false, image};
        }
        io.WriteRecordPixels(collection, pixels16, image);
        if (std::ferror(collection)) {
            ReleaseTempStreams();
            return {false, false, image};
        }
    }
    ReleaseTempStreams();
    return {true};
}
