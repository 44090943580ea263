#include "collection/BitmapExport.h"

#include "collection/CollectionFormat.h"
#include "collection/CollectionIO.h"
#include "collection/FileOpen.h"
#include "collection/TempStreams.h"

#include <array>
#include <cstdint>

namespace {

void PutLittleEndian(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::array<std::uint8_t, bmp::kHeaderSize> BmpHeader() {
    constexpr std::uint32_t kPixelsPerMetre = 2834; // 72 dots per inch
    std::array<std::uint8_t, bmp::kHeaderSize> header{};
    header[0] = 'B';
    header[1] = 'M';
    PutLittleEndian(&header[2], bmp::kFileSize, 4);
    PutLittleEndian(&header[10], bmp::kHeaderSize, 4);
    PutLittleEndian(&header[14], 40, 4); // size of the information header
    PutLittleEndian(&header[18], sgc::kImageSide, 4);
    PutLittleEndian(&header[22], sgc::kImageSide, 4); // positive: bottom row first
    PutLittleEndian(&header[26], 1, 2);
    PutLittleEndian(&header[28], 24, 2);
    PutLittleEndian(&header[34], bmp::kPixelBlockSize, 4);
    PutLittleEndian(&header[38], kPixelsPerMetre, 4);
    PutLittleEndian(&header[42], kPixelsPerMetre, 4);
    return header;
}

} // namespace

void WriteBmpHeader(std::FILE* dst) {
    if (dst == nullptr) {
        return;
    }
    static const auto header = BmpHeader();
    std::fwrite(header.data(), 1, header.size(), dst);
}

void ExportImage(std::FILE* collection, const char* path, int imageNumber) {
    if (path == nullptr) {
        return;
    }
    CCollectionIO io;
    std::FILE* bottomUp16 = CreateTempStream();
    std::FILE* output = OpenFile(path, "wb");
    if (bottomUp16 != nullptr && output != nullptr) {
        io.CopyRecordRowsReversed(collection, bottomUp16, imageNumber);
        WriteBmpHeader(output);
        io.Convert16To24(bottomUp16, output);
    }
    ReleaseTempStreams();
    io.CloseStream(output);
}
