#include "collection/BitmapExport.h"
#include "TestFiles.h"
#include "collection/TempStreams.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Exports image imageNumber of collection and returns the written file.
Bytes Export(const Bytes& collection, int imageNumber) {
    ScratchFile file(collection), bmpFile;
    UniqueFile f = file.Open();
    ExportImage(f.get(), bmpFile.Path().c_str(), imageNumber);
    return bmpFile.Read();
}

const Bytes kHeader = {
    0x42, 0x4D, 0x36, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00,
    0x28, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x01, 0x00,
    0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x12, 0x0B, 0x00, 0x00,
    0x12, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
};

Bytes Slice(const Bytes& bytes, long from, long count) {
    return Bytes(bytes.begin() + from, bytes.begin() + from + count);
}

} // namespace

TEST(WriteBmpHeader, WritesTheFixedHeaderOfA32x32TrueColourBitmap) {
    UniqueFile dst = StreamWith({0x11});
    WriteBmpHeader(dst.get());
    Bytes expected = {0x11};
    expected.insert(expected.end(), kHeader.begin(), kHeader.end());
    EXPECT_EQ(StreamContent(dst.get()), expected);
    WriteBmpHeader(nullptr);
}

TEST(ExportImage, WritesHeaderAndBottomUpPixelsOfTheImage) {
    Bytes collection = MakeCollection();
    for (int image : {1, 57, 98}) {
        Bytes bmpFile = Export(collection, image);
        ASSERT_EQ(bmpFile.size(), 3126u);
        EXPECT_EQ(Slice(bmpFile, 0, 54), kHeader);
        EXPECT_EQ(Slice(bmpFile, 54, 3072),
                  Expected24From16(ReverseRows(PixelArea(collection, image), 64)))
            << "image " << image;
    }
}

TEST(ExportImage, WhiteGivesAllOnesAndATopLeftRedPixelEndsUpInTheLastRow) {
    Bytes collection = MakeCollection();
    Bytes white;
    for (int i = 0; i < 1024; ++i) {
        white.insert(white.end(), {0x7F, 0xFF});
    }
    SetPixelArea(collection, 4, white);
    Bytes redCorner(2048, 0);
    redCorner[0] = 0x7C;
    SetPixelArea(collection, 5, redCorner);

    Bytes whiteBmp = Export(collection, 4);
    EXPECT_EQ(Slice(whiteBmp, 54, 3072), Bytes(3072, 0xFF));

    Bytes redBmp = Export(collection, 5);
    Bytes expected(3072, 0);
    expected[3030 - 54 + 2] = 0xFF; // the last row starts at byte 3030: 00 00 FF
    EXPECT_EQ(Slice(redBmp, 54, 3072), expected);
}

TEST(ExportImage, IgnoresBit15) {
    Bytes collection = MakeCollection();
    Bytes withBit15 = PixelArea(collection, 2);
    for (std::size_t i = 0; i < withBit15.size(); i += 2) {
        withBit15[i] |= 0x80;
    }
    SetPixelArea(collection, 2, withBit15);
    Bytes cleared = collection;
    for (long i = sgc::RecordOffset(2); i < sgc::RecordOffset(2) + 2048; i += 2) {
        cleared[i] &= 0x7F;
    }
    EXPECT_EQ(Export(collection, 2), Export(cleared, 2));
}

TEST(ExportImage, LeavesTheCollectionAndNoTemporaryStreamBehind) {
    Bytes collection = MakeCollection(260096);
    ScratchFile file(collection), bmpFile(PatternBytes(5000));
    std::FILE* unrelatedTemp = CreateTempStream();
    ASSERT_NE(unrelatedTemp, nullptr);
    UniqueFile f = file.Open();
    ExportImage(f.get(), bmpFile.Path().c_str(), 126);
    EXPECT_EQ(OpenTempStreamCount(), 0) << "every temporary stream is released";
    EXPECT_EQ(bmpFile.Read().size(), 3126u) << "a longer file is truncated";
    f.reset();
    EXPECT_EQ(file.Read(), collection);
}

TEST(ExportImage, ShowsImagesBeyondTheEndOfAShortFileAsBlack) {
    Bytes bmpFile = Export(MakeCollection(1000), 40);
    ASSERT_EQ(bmpFile.size(), 3126u);
    EXPECT_EQ(Slice(bmpFile, 54, 3072), Bytes(3072, 0));
}

TEST(ExportImage, AnUnwritablePathDoesNothingHarmful) {
    ScratchFile file(MakeCollection());
    UniqueFile f = file.Open();
    std::string path =
        (std::filesystem::temp_directory_path() / "brelt-no-such-folder" / "x.bmp").string();
    ExportImage(f.get(), path.c_str(), 1);
    ExportImage(f.get(), nullptr, 1);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(OpenTempStreamCount(), 0);
}
