// A collection of arbitrary bytes and length under a sequence of record operations, imports,
// shifts and exports decoded from the input. After every step nothing outside the pixel areas
// that step may write has changed and no temporary stream is open; the sanitizers watch every
// buffer.
//
// Input: a count byte, then four bytes per step (operation, three arguments), then two bytes of
// file length in units of 4 bytes, then the bytes that, repeated, fill the collection.
#include "FuzzFiles.h"

#include "collection/BitmapExport.h"
#include "collection/BitmapImport.h"
#include "collection/CollectionFormat.h"
#include "collection/CollectionIO.h"
#include "collection/ImageSequences.h"
#include "collection/TempStreams.h"

#include <algorithm>

namespace {

struct Step {
    std::uint8_t operation, a, b, c;
};

// Image numbers from -2 to 133: below 1, within and beyond every collection size.
int ImageNumber(std::uint8_t value) {
    return value % 136 - 2;
}

Bytes Tiled(const Bytes& pattern, std::size_t size) {
    Bytes bytes(size, 0);
    for (std::size_t i = 0; !pattern.empty() && i < size; ++i) {
        bytes[i] = pattern[i % pattern.size()];
    }
    return bytes;
}

// Runs one step; returns the images whose pixel areas it may write (first > last for none).
std::pair<long long, long long> Run(const Step& step, const FuzzFile& collection,
                                    const FuzzFile& other, const FuzzFile& bitmap,
                                    const FuzzFile& exported, const Bytes& pattern) {
    CCollectionIO io;
    std::FILE* c = collection.Stream();
    int n = ImageNumber(step.a), m = ImageNumber(step.b);
    long long size = static_cast<long long>(collection.Get().size());
    int count = sgc::ImageCountForSize(static_cast<long>(size));
    switch (step.operation % 7) {
    case 0: { // a pixel area from a temporary stream
        std::FILE* src = CreateTempStream();
        Bytes pixels = Tiled(pattern, step.c * 16u);
        std::fwrite(pixels.data(), 1, pixels.size(), src);
        io.WriteRecordPixels(c, src, n);
        ReleaseTempStreams();
        return {n, n};
    }
    case 1: // within one stream
        io.CopyRecordPixels(c, c, n, m);
        return {m, m};
    case 2: // from another collection
        io.CopyRecordPixels(other.Stream(), c, n, m);
        return {m, m};
    case 3:
        io.FillWhite(c, step.b % 130);
        return {1, step.b % 130};
    case 4: { // a bitmap made of the pattern, header and all
        bitmap.Set(Tiled(pattern, 3000u + step.c));
        ImportBitmapPixels(bitmap.Stream(), c, n, InspectBitmap(bitmap.Stream()).pixelOffset);
        return {n, n};
    }
    case 5: {
        int from = std::max(1, ImageNumber(step.b));
        ShiftImagesUp(c, count, from);
        return {from + 1, count};
    }
    default:
        ExportImage(c, exported.Path().c_str(), n);
        if (FuzzFile::ReadAll(exported.Stream()).size() !=
            static_cast<std::size_t>(bmp::kFileSize)) {
            Violated("an export is not a whole 32x32 bitmap");
        }
        return {1, 0};
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const FuzzFile collection("collection.sgc"), other("other.sgc"), bitmap("in.bmp"),
        exported("out.bmp");
    if (size < 3) {
        return 0;
    }
    std::size_t steps = data[0] % 8 + 1;
    std::size_t header = 1 + 4 * steps + 2;
    if (size < header) {
        return 0;
    }
    std::size_t length = 4u * (data[header - 2] | data[header - 1] << 8);
    Bytes pattern(data + header, data + size);
    collection.Set(Tiled(pattern, length));
    other.Set(Tiled(Bytes(pattern.rbegin(), pattern.rend()), 202752));

    for (std::size_t i = 0; i < steps; ++i) {
        const std::uint8_t* s = data + 1 + 4 * i;
        Bytes before = collection.Get();
        auto [first, last] =
            Run({s[0], s[1], s[2], s[3]}, collection, other, bitmap, exported, pattern);
        // Whatever a step asks for, only the images the collection has may change.
        long long count = sgc::ImageCountForSize(static_cast<long>(before.size()));
        ExpectOnlyPixelAreasChanged(before, collection.Get(), std::max(first, 1LL),
                                    std::min(last, count));
        if (OpenTempStreamCount() != 0) {
            Violated("a temporary stream stayed open");
        }
        std::clearerr(collection.Stream());
    }
    return 0;
}
