#include "collection/BitmapImport.h"
#include "TestFiles.h"
#include "collection/BitmapExport.h"
#include "collection/ImageSequences.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

void Put(Bytes& file, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        file[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A BMP file with a header of headerSize bytes after the 14-byte file header, then pixels.
Bytes Bitmap(int width, int height, int bits, int compression = 0, std::uint32_t headerSize = 40,
             const Bytes& pixels = PatternBytes(3072, 31), const Bytes& after = {}) {
    Bytes file(14 + headerSize, 0);
    file[0] = 'B';
    file[1] = 'M';
    Put(file, 10, static_cast<std::uint32_t>(file.size()), 4);
    Put(file, 14, headerSize, 4);
    Put(file, 18, static_cast<std::uint32_t>(width), 4);
    Put(file, 22, static_cast<std::uint32_t>(height), 4);
    Put(file, 26, 1, 2);
    Put(file, 28, static_cast<std::uint32_t>(bits), 2);
    Put(file, 30, static_cast<std::uint32_t>(compression), 4);
    file.insert(file.end(), pixels.begin(), pixels.end());
    file.insert(file.end(), after.begin(), after.end());
    Put(file, 2, static_cast<std::uint32_t>(file.size()), 4);
    return file;
}

BitmapInspection Inspect(const Bytes& file) {
    UniqueFile stream = StreamWith(file);
    BitmapInspection result = InspectBitmap(stream.get());
    EXPECT_EQ(std::ftell(stream.get()), 0) << "left at its first byte";
    return result;
}

} // namespace

TEST(InspectBitmap, AcceptsOnly32x32UncompressedTrueColourBottomUp) {
    EXPECT_TRUE(Inspect(Bitmap(32, 32, 24)).accepted);
    EXPECT_TRUE(Inspect(Bitmap(32, 32, 24, 0, 124)).accepted);
    EXPECT_FALSE(Inspect(Bitmap(32, 32, 8)).accepted);
    EXPECT_FALSE(Inspect(Bitmap(16, 16, 24)).accepted);
    EXPECT_FALSE(Inspect(Bitmap(64, 64, 24)).accepted);
    EXPECT_FALSE(Inspect(Bitmap(288, 32, 24)).accepted);
    EXPECT_FALSE(Inspect(Bitmap(32, -32, 24)).accepted) << "top-down";
    EXPECT_FALSE(Inspect(Bitmap(32, 32, 24, 1)).accepted) << "compressed";
    EXPECT_FALSE(Inspect(Bytes(30, 0)).accepted) << "too short for the fields";
    EXPECT_FALSE(Inspect({}).accepted);
    EXPECT_FALSE(InspectBitmap(nullptr).accepted);
}

TEST(InspectBitmap, FindsThePixelsWhereTheHeaderSaysWhenTheyFit) {
    EXPECT_EQ(Inspect(Bitmap(32, 32, 24)).pixelOffset, 54);
    EXPECT_EQ(Inspect(Bitmap(32, 32, 24, 0, 124, PatternBytes(3072), Bytes(500, 1))).pixelOffset,
              138);
    Bytes badOffset = Bitmap(32, 32, 24, 0, 40, PatternBytes(3072), Bytes(10, 0));
    Put(badOffset, 10, 1000, 4); // 1000 + 3072 lies past the end
    EXPECT_EQ(Inspect(badOffset).pixelOffset, static_cast<long>(badOffset.size() - 3072));
    Put(badOffset, 10, 0, 4); // inside the header
    EXPECT_EQ(Inspect(badOffset).pixelOffset, static_cast<long>(badOffset.size() - 3072));
    EXPECT_EQ(Inspect(Bytes(100, 0)).pixelOffset, -1);
}

TEST(ImportBitmapPixels, TakesThePixelsAtTheHeadersOffsetPastTrailingBytes) {
    Bytes pixels = PatternBytes(3072, 32);
    Bytes file = Bitmap(32, 32, 24, 0, 124, pixels, PatternBytes(700, 33)); // e.g. a colour profile
    ScratchFile bitmap(file), collection(MakeCollection());
    UniqueFile b = bitmap.Open("rb"), c = collection.Open();
    BitmapInspection inspection = InspectBitmap(b.get());
    ASSERT_TRUE(inspection.accepted);
    ASSERT_TRUE(ImportBitmapPixels(b.get(), c.get(), 9, inspection.pixelOffset));
    c.reset();
    Bytes expected = MakeCollection();
    SetPixelArea(expected, 9, Expected16From24(ReverseRows(pixels, 96)));
    EXPECT_EQ(collection.Read(), expected);
}

TEST(InspectBitmap, RefusesEveryFileOfTheBmpCorpus) {
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(BRELT_BMPSUITE_DIR)) {
        if (entry.path().extension() == ".bmp") {
            UniqueFile bitmap(std::fopen(entry.path().string().c_str(), "rb"));
            EXPECT_FALSE(InspectBitmap(bitmap.get()).accepted) << entry.path();
            ++files;
        }
    }
    EXPECT_GE(files, 90);
}
