#include "collection/ImageSequences.h"
#include "TestFiles.h"
#include "collection/BitmapExport.h"
#include "collection/CollectionIO.h"
#include "collection/PixelAreas.h"
#include "collection/TempStreams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

// A 32x32, 24-bit bottom-up bitmap file: header, then pixel rows bottom row first.
Bytes MakeBitmap(const Bytes& bottomUpPixels, const Bytes& after = {}) {
    ScratchFile header;
    {
        UniqueFile f = header.Open("wb");
        WriteBmpHeader(f.get());
    }
    Bytes file = header.Read();
    file.insert(file.end(), bottomUpPixels.begin(), bottomUpPixels.end());
    file.insert(file.end(), after.begin(), after.end());
    return file;
}

Bytes ImportModel(const Bytes& bottomUpPixels) {
    return Expected16From24(ReverseRows(bottomUpPixels, 96));
}

} // namespace

TEST(ImportBitmapPixels, StoresTheBitmapTopRowFirstAsSixteenBitPixels) {
    Bytes pixels = PatternBytes(3072, 21);
    pixels[31 * 96 + 0] = 0; // top-left pixel: the first pixel of the file's last row
    pixels[31 * 96 + 1] = 0;
    pixels[31 * 96 + 2] = 255;
    ScratchFile bitmap(MakeBitmap(pixels));
    Bytes collection = MakeCollection();
    ScratchFile file(collection);
    UniqueFile b = bitmap.Open("rb"), f = file.Open();

    EXPECT_TRUE(ImportBitmapPixels(b.get(), f.get(), 3));
    EXPECT_EQ(OpenTempStreamCount(), 0);
    SetPixelArea(collection, 3, ImportModel(pixels));
    Bytes written = file.Read();
    EXPECT_EQ(written, collection);
    EXPECT_EQ(written[sgc::RecordOffset(3)], 0x7C);
    EXPECT_EQ(written[sgc::RecordOffset(3) + 1], 0x00);
}

TEST(ImportBitmapPixels, TakesTheLastBytesOfTheFileAsThePixels) {
    Bytes pixels = PatternBytes(3072, 22);
    Bytes bitmapFile = MakeBitmap(pixels, {1, 2, 3, 4, 5, 6});
    ScratchFile bitmap(bitmapFile), file(MakeCollection());
    UniqueFile b = bitmap.Open("rb"), f = file.Open();
    EXPECT_TRUE(ImportBitmapPixels(b.get(), f.get(), 1));
    Bytes lastBytes(bitmapFile.end() - 3072, bitmapFile.end());
    EXPECT_EQ(PixelArea(file.Read(), 1), ImportModel(lastBytes));
}

TEST(ImportBitmapPixels, ThenExportGivesTheBitmapWithTheLowBitsRebuilt) {
    Bytes pixels = PatternBytes(3072, 23);
    ScratchFile bitmap(MakeBitmap(pixels)), file(MakeCollection()), exported;
    UniqueFile b = bitmap.Open("rb"), f = file.Open();
    ASSERT_TRUE(ImportBitmapPixels(b.get(), f.get(), 60));
    ExportImage(f.get(), exported.Path().c_str(), 60);
    Bytes out = exported.Read();
    ASSERT_EQ(out.size(), 3126u);
    for (std::size_t i = 0; i < 3072; ++i) {
        ASSERT_EQ(out[54 + i], Expand5To8(pixels[i] >> 3)) << "byte " << i;
    }
}

TEST(ShiftImagesUp, MovesEveryImageFromTheCurrentOneUpByOne) {
    struct Case {
        long size;
        int count;
        int from;
    } cases[] = {{202752, 98, 3}, {202752, 98, 1}, {231424, 112, 111}, {261119, 126, 60}};
    for (const Case& c : cases) {
        Bytes collection = MakeCollection(c.size, static_cast<unsigned>(c.from));
        ScratchFile file(collection);
        UniqueFile f = file.Open();
        EXPECT_TRUE(ShiftImagesUp(f.get(), c.count, c.from));
        EXPECT_EQ(OpenTempStreamCount(), 0);
        Bytes lost = PixelArea(collection, c.count);
        ShiftModel(collection, c.count, c.from);
        Bytes shifted = file.Read();
        ASSERT_EQ(shifted, collection) << c.count << " images from " << c.from;
        EXPECT_EQ(PixelArea(shifted, c.from), PixelArea(shifted, c.from + 1));
        for (int image = 1; image <= c.count; ++image) {
            EXPECT_NE(PixelArea(shifted, image), lost) << "the last image is gone";
        }
    }
}

TEST(ShiftAreasUp, WritesTheBytesTheRowReversingShiftWrites) {
    struct Case {
        long size;
        int count;
        int from;
    } cases[] = {{202752, 98, 3},   {202752, 98, 1},    {231424, 112, 111},
                 {261119, 126, 60}, {261119, 126, 126}, {202752, 98, 0}};
    for (const Case& c : cases) {
        Bytes collection = MakeCollection(c.size, static_cast<unsigned>(c.from) + 7);
        ScratchFile byRows(collection), byAreas(collection);
        UniqueFile rows = byRows.Open(), areas = byAreas.Open();
        EXPECT_EQ(static_cast<bool>(ShiftImagesUp(rows.get(), c.count, c.from)),
                  ShiftAreasUp(areas.get(), c.count, c.from));
        EXPECT_EQ(byAreas.Read(), byRows.Read()) << c.count << " images from " << c.from;
    }
    EXPECT_FALSE(ShiftAreasUp(nullptr, 98, 1));
}

#ifndef _WIN32 // msvcrt reads nothing from a write-only stream and sets no error: no failure to see
TEST(ShiftAreasUp, WritesNothingWhenAnAreaCannotBeRead) {
    Bytes collection = MakeCollection();
    ScratchFile file(collection);
    UniqueFile writeOnly(std::fopen(file.Path().c_str(), "ab")); // nothing can be read from it
    EXPECT_FALSE(ShiftAreasUp(writeOnly.get(), 98, 1));
    writeOnly.reset();
    EXPECT_EQ(file.Read(), collection);
}
#endif

TEST(ShiftImagesUp, FromTheLastImageChangesNothing) {
    Bytes collection = MakeCollection();
    ScratchFile file(collection);
    UniqueFile f = file.Open();
    EXPECT_TRUE(ShiftImagesUp(f.get(), 98, 98));
    EXPECT_TRUE(ShiftImagesUp(f.get(), 98, 200));
    EXPECT_FALSE(ShiftImagesUp(nullptr, 98, 1));
    EXPECT_EQ(file.Read(), collection);
}

TEST(ImageSequences, WithoutTemporaryStreamsLeaveTheCollectionAlone) {
    Bytes collection = MakeCollection();
    ScratchFile file(collection), bitmap(MakeBitmap(PatternBytes(3072))),
        exported(PatternBytes(10));
    UniqueFile f = file.Open(), b = bitmap.Open("rb");
    std::string missing =
        (std::filesystem::temp_directory_path() / "brelt-missing-folder").string();
    ScopedTempFolder noTemp(missing);
    EXPECT_FALSE(ImportBitmapPixels(b.get(), f.get(), 5));
    EXPECT_FALSE(ShiftImagesUp(f.get(), 98, 5));
    ExportImage(f.get(), exported.Path().c_str(), 1);
    EXPECT_EQ(file.Read(), collection);
    EXPECT_TRUE(exported.Read().empty()) << "an empty display file rather than an old image";
}

#ifndef _WIN32
TEST(ImageSequences, ReportAFullDisk) {
    UniqueFile full(std::fopen("/dev/full", "r+b"));
    ASSERT_NE(full, nullptr);
    ScratchFile bitmap(MakeBitmap(PatternBytes(3072)));
    UniqueFile b = bitmap.Open("rb");
    EXPECT_FALSE(ImportBitmapPixels(b.get(), full.get(), 1));
    EXPECT_FALSE(ShiftImagesUp(full.get(), 98, 97));
    EXPECT_EQ(OpenTempStreamCount(), 0);
}
#endif

// Random writes, copies, fills, imports and shifts, checked against a model of the pixel areas:
// every byte outside them stays as it was, and every pixel area holds what the model says.
TEST(CollectionEdits, NeverTouchAByteOutsideThePixelAreas) {
    std::mt19937 random(20261208);
    const long sizes[] = {203000, 232000, 260500};
    const int counts[] = {98, 112, 126};
    for (int round = 0; round < 3; ++round) {
        const int count = counts[round];
        Bytes model = MakeCollection(sizes[round], static_cast<unsigned>(round));
        Bytes other = MakeCollection(202752, 99);
        ScratchFile file(model), otherFile(other);
        UniqueFile f = file.Open(), second = file.Open(), o = otherFile.Open();
        CCollectionIO io;
        auto image = [&](int limit) {
            return std::uniform_int_distribution<int>(1, limit)(random);
        };
        for (int step = 0; step < 25; ++step) {
            switch (std::uniform_int_distribution<int>(0, 5)(random)) {
            case 0: {
                Bytes pixels = PatternBytes(2048, random());
                UniqueFile src = StreamWith(pixels);
                int n = image(count);
                io.WriteRecordPixels(f.get(), src.get(), n);
                SetPixelArea(model, n, pixels);
                break;
            }
            case 1: {
                int from = image(98), to = image(count);
                io.CopyRecordPixels(o.get(), f.get(), from, to);
                SetPixelArea(model, to, PixelArea(other, from));
                break;
            }
            case 2: { // the same file open as source and target
                int from = image(count), to = image(count);
                io.CopyRecordPixels(second.get(), f.get(), from, to);
                SetPixelArea(model, to, PixelArea(model, from));
                break;
            }
            case 3: {
                int n = image(count);
                io.FillWhite(f.get(), n);
                Bytes white;
                for (int i = 0; i < 1024; ++i) {
                    white.insert(white.end(), {0x7F, 0xFF});
                }
                for (int i = 1; i <= n; ++i) {
                    SetPixelArea(model, i, white);
                }
                break;
            }
            case 4: {
                Bytes pixels = PatternBytes(3072, random());
                ScratchFile bitmap(MakeBitmap(pixels));
                UniqueFile b = bitmap.Open("rb");
                int n = image(count);
                ASSERT_TRUE(ImportBitmapPixels(b.get(), f.get(), n));
                SetPixelArea(model, n, ImportModel(pixels));
                break;
            }
            default: {
                int from = count - image(12) + 1; // a short shift keeps the test quick
                ASSERT_TRUE(ShiftImagesUp(f.get(), count, from));
                ShiftModel(model, count, from);
                break;
            }
            }
            ASSERT_EQ(file.Read(), model) << "round " << round << ", step " << step;
        }
        EXPECT_EQ(otherFile.Read(), other);
    }
}
