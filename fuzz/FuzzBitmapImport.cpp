// A bitmap of arbitrary bytes through the header check, the import into a collection and the
// copy shown on screen. Nothing outside the pixel area written may change, no temporary stream
// may stay open, and the sanitizers watch every buffer.
#include "FuzzFiles.h"

#include "collection/BitmapImport.h"
#include "collection/CollectionFormat.h"
#include "collection/ImageSequences.h"
#include "collection/TempStreams.h"

namespace {

Bytes PatternedCollection() {
    Bytes bytes(202752);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const FuzzFile bitmap("bitmap.bmp"), collection("collection.sgc"), shown("shown.bmp");
    static const Bytes original = PatternedCollection();
    bitmap.Set(Bytes(data, data + size));
    collection.Set(original);
    int image = 1 + static_cast<int>(size % 98);

    BitmapInspection inspection = InspectBitmap(bitmap.Stream());
    if (std::ftell(bitmap.Stream()) != 0) {
        Violated("the inspection moved the bitmap's position");
    }
    long long offset = inspection.pixelOffset;
    if (offset != -1 &&
        (offset < 0 || offset + bmp::kPixelBlockSize > static_cast<long long>(size))) {
        Violated("the pixel offset lies outside the file");
    }
    if (!ImportBitmapPixels(bitmap.Stream(), collection.Stream(), image, inspection.pixelOffset)) {
        Violated("the import failed on a readable bitmap");
    }
    ExpectOnlyPixelAreasChanged(original, collection.Get(), image, image);

    if (!ExportBitmapPixels(bitmap.Stream(), shown.Path().c_str(), inspection.pixelOffset) ||
        FuzzFile::ReadAll(shown.Stream()).size() != static_cast<std::size_t>(bmp::kFileSize)) {
        Violated("the picture shown is not a whole 32x32 bitmap");
    }
    if (OpenTempStreamCount() != 0) {
        Violated("a temporary stream stayed open");
    }
    return 0;
}
