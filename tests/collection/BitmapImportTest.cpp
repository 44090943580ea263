#include "collection/BitmapImport.h"
#include "TestFiles.h"
#include "collection/BitmapExport.h"
#include "collection/ImageSequences.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

BitmapInspection Inspect(const Bytes& file) {
    UniqueFile stream = StreamWith(file);
    BitmapInspection result = InspectBitmap(stream.get());
    EXPECT_EQ(std::ftell(stream.get()), 0) << "left at its first byte";
    return result;
}

} // namespace

TEST(InspectBitmap, AcceptsOnly32x32UncompressedTrueColourBottomUp) {
    EXPECT_TRUE(Inspect(BmpFile(32, 32, 24)).accepted);
    EXPECT_TRUE(Inspect(BmpFile(32, 32, 24, 0, 124)).accepted);
    EXPECT_FALSE(Inspect(BmpFile(32, 32, 8)).accepted);
    EXPECT_FALSE(Inspect(BmpFile(16, 16, 24)).accepted);
    EXPECT_FALSE(Inspect(BmpFile(64, 64, 24)).accepted);
    EXPECT_FALSE(Inspect(BmpFile(288, 32, 24)).accepted);
    EXPECT_FALSE(Inspect(BmpFile(32, -32, 24)).accepted) << "top-down";
    EXPECT_FALSE(Inspect(BmpFile(32, 32, 24, 1)).accepted) << "compressed";
    EXPECT_FALSE(Inspect(Bytes(30, 0)).accepted) << "too short for the fields";
    EXPECT_FALSE(Inspect({}).accepted);
    EXPECT_FALSE(InspectBitmap(nullptr).accepted);
}

TEST(InspectBitmap, FindsThePixelsWhereTheHeaderSaysWhenTheyFit) {
    EXPECT_EQ(Inspect(BmpFile(32, 32, 24)).pixelOffset, 54);
    EXPECT_EQ(Inspect(BmpFile(32, 32, 24, 0, 124, PatternBytes(3072), Bytes(500, 1))).pixelOffset,
              138);
    Bytes badOffset = BmpFile(32, 32, 24, 0, 40, PatternBytes(3072), Bytes(10, 0));
    PutLittleEndian(badOffset, 10, 1000, 4); // 1000 + 3072 lies past the end
    EXPECT_EQ(Inspect(badOffset).pixelOffset, static_cast<long>(badOffset.size() - 3072));
    const long last = static_cast<long>(badOffset.size() - 3072);
    // Inside the headers, or so large that 32-bit arithmetic would wrap round to a small number.
    for (std::uint32_t offset : {0u, 20u, 53u, 0xFFFFF400u, 0xFFFFF500u, 0xFFFFFFFFu}) {
        PutLittleEndian(badOffset, 10, offset, 4);
        EXPECT_EQ(Inspect(badOffset).pixelOffset, last) << offset;
    }
    Bytes bigHeader = BmpFile(32, 32, 24, 0, 124, PatternBytes(3072), Bytes(200, 0));
    PutLittleEndian(bigHeader, 10, 100, 4); // inside the 124-byte information header
    EXPECT_EQ(Inspect(bigHeader).pixelOffset, static_cast<long>(bigHeader.size() - 3072));
    EXPECT_EQ(Inspect(Bytes(100, 0)).pixelOffset, -1);
}

TEST(ImportBitmapPixels, TakesThePixelsAtTheHeadersOffsetPastTrailingBytes) {
    Bytes pixels = PatternBytes(3072, 32);
    Bytes file =
        BmpFile(32, 32, 24, 0, 124, pixels, PatternBytes(700, 33)); // e.g. a colour profile
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
