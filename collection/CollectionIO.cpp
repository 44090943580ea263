#include "collection/CollectionIO.h"

#include "collection/CollectionFormat.h"
#include "collection/StreamBytes.h"
#include "collection/TempStreams.h"

#include <algorithm>

using namespace streambytes;

using sgc::ExpandChannel;

void CCollectionIO::Convert16To24(std::FILE* src, std::FILE* dst) {
    if (dst == nullptr || !SeekTo(src, 0)) {
        return;
    }
    for (int i = 0; i < sgc::kPixelCount; ++i) {
        int high = ReadByte(src);
        int low = ReadByte(src);
        unsigned word = sgc::WordFromBytes(high, low);
        WriteByte(dst, ExpandChannel(sgc::BlueOf(word)));
        WriteByte(dst, ExpandChannel(sgc::GreenOf(word)));
        WriteByte(dst, ExpandChannel(sgc::RedOf(word)));
    }
}

void CCollectionIO::Convert24To16(std::FILE* src, std::FILE* dst) {
    if (dst == nullptr || !SeekTo(src, 0)) {
        return;
    }
    for (int i = 0; i < sgc::kPixelCount; ++i) {
        int blue = ReadByte(src);
        int green = ReadByte(src);
        int red = ReadByte(src);
        unsigned word = sgc::WordOfShown(red, green, blue);
        WriteByte(dst, sgc::HighByte(word));
        WriteByte(dst, sgc::LowByte(word));
    }
}

void CCollectionIO::CopyRecordRowsReversed(std::FILE* collection, std::FILE* dst, int imageNumber) {
    if (dst == nullptr || imageNumber < 1) {
        return;
    }
    long long record = sgc::RecordOffset(imageNumber);
    for (int row = sgc::kImageSide - 1; row >= 0; --row) {
        if (!SeekTo(collection, record + row * sgc::kRowSize)) {
            return;
        }
        Copy(collection, dst, sgc::kRowSize);
    }
}

void CCollectionIO::CopyRowsReversed(std::FILE* src, std::FILE* dst, int bytesPerPixel) {
    if (src == nullptr || dst == nullptr || bytesPerPixel < 1 || bytesPerPixel > 4) {
        return;
    }
    const long rowSize = sgc::kImageSide * bytesPerPixel;
    const long long size = Size(src);
    for (int k = 1; k <= sgc::kImageSide; ++k) {
        // Rows that would start before the stream's first byte (a short source) read as zeros.
        long long rowStart = size - k * rowSize;
        long missing =
            rowStart < 0 ? static_cast<long>(std::min<long long>(-rowStart, rowSize)) : 0;
        WriteZeros(dst, missing);
        if (missing < rowSize && SeekTo(src, rowStart + missing)) {
            Copy(src, dst, rowSize - missing);
        }
    }
}

void CCollectionIO::CloseStream(std::FILE* stream) {
    if (stream != nullptr && !ReleaseTempStream(stream)) {
        std::fclose(stream);
    }
}

void CCollectionIO::WriteRecordPixels(std::FILE* collection, std::FILE* src, int imageNumber) {
    if (src == nullptr || !IsImageOf(collection, imageNumber) ||
        !SeekTo(collection, sgc::RecordOffset(imageNumber)) || !SeekTo(src, 0)) {
        return;
    }
    Copy(src, collection, sgc::kPixelAreaSize);
    std::fflush(collection);
}

void CCollectionIO::CopyRecordPixels(std::FILE* srcCollection, std::FILE* dstCollection,
                                     int srcImageNumber, int dstImageNumber) {
    if (srcCollection == nullptr || dstCollection == nullptr || srcImageNumber < 1 ||
        !IsImageOf(dstCollection, dstImageNumber)) {
        return;
    }
    long long from = sgc::RecordOffset(srcImageNumber);
    long long to = sgc::RecordOffset(dstImageNumber);
    if (srcCollection == dstCollection) {
        // One stream can't be read and written without a seek in between: seek for every byte.
        for (long i = 0; i < sgc::kPixelAreaSize; ++i) {
            if (!SeekTo(srcCollection, from + i)) {
                return;
            }
            int value = ReadByte(srcCollection);
            if (!SeekTo(dstCollection, to + i)) {
                return;
            }
            WriteByte(dstCollection, value);
        }
    } else if (SeekTo(srcCollection, from) && SeekTo(dstCollection, to)) {
        Copy(srcCollection, dstCollection, sgc::kPixelAreaSize);
    }
    std::fflush(dstCollection);
}

void CCollectionIO::FillWhite(std::FILE* collection, int count) {
    if (collection == nullptr) {
        return;
    }
    count = std::min(count, ImageCount(collection));
    for (int image = 1; image <= count; ++image) {
        if (!SeekTo(collection, sgc::RecordOffset(image))) {
            return;
        }
        for (int i = 0; i < sgc::kPixelCount; ++i) {
            WriteByte(collection, sgc::kWhitePixel >> 8);
            WriteByte(collection, sgc::kWhitePixel);
        }
    }
    std::fflush(collection);
}
