#include "TestFiles.h"
#include "collection/CollectionIO.h"
#include "collection/ImageSequences.h"
#include "collection/PixelAreas.h"

#include <gtest/gtest.h>

TEST(WriteRecordPixels, ReplacesExactlyThePixelAreaFromTheSourceStart) {
    for (int image : {1, 50, 98}) {
        Bytes collection = MakeCollection(203000);
        ScratchFile file(collection);
        Bytes pixels = PatternBytes(2048, 11);
        UniqueFile src = StreamWith(pixels); // positioned at its end: the write must rewind it
        UniqueFile f = file.Open();
        CCollectionIO().WriteRecordPixels(f.get(), src.get(), image);
        SetPixelArea(collection, image, pixels);
        EXPECT_EQ(file.Read(), collection) << "image " << image << ", read while still open";
    }
}

TEST(CopyRecordPixels, CopiesOnePixelAreaAndNothingElse) {
    Bytes source = MakeCollection(202752, 1), target = MakeCollection(202752, 2);
    ScratchFile sourceFile(source), targetFile(target);
    UniqueFile s = sourceFile.Open(), t = targetFile.Open();
    CCollectionIO().CopyRecordPixels(s.get(), t.get(), 5, 7);
    SetPixelArea(target, 7, PixelArea(source, 5));
    EXPECT_EQ(targetFile.Read(), target);
    EXPECT_EQ(sourceFile.Read(), source);
}

TEST(CopyRecordPixels, WorksWithinOneStreamAndBetweenTwoStreamsOnOneFile) {
    Bytes collection = MakeCollection();
    ScratchFile file(collection);
    UniqueFile one = file.Open(), two = file.Open();
    CCollectionIO io;
    io.CopyRecordPixels(one.get(), one.get(), 5, 7);
    io.CopyRecordPixels(one.get(), two.get(), 7, 9); // reads what the first copy wrote
    io.CopyRecordPixels(two.get(), one.get(), 9, 9);
    Bytes five = PixelArea(collection, 5);
    SetPixelArea(collection, 7, five);
    SetPixelArea(collection, 9, five);
    EXPECT_EQ(file.Read(), collection);
}

TEST(CollectionStreams, ASecondStreamOnTheSameFileSeesWritesAtOnce) {
    Bytes collection = MakeCollection();
    ScratchFile file(collection);
    UniqueFile reader = file.Open(), writer = file.Open();
    CCollectionIO io;
    UniqueFile before = StreamWith({}), after = StreamWith({});
    io.CopyRecordRowsReversed(reader.get(), before.get(), 3); // fills the reader's buffer
    Bytes pixels = PatternBytes(2048, 5);
    UniqueFile src = StreamWith(pixels);
    io.WriteRecordPixels(writer.get(), src.get(), 3);
    io.CopyRecordRowsReversed(reader.get(), after.get(), 3);
    EXPECT_EQ(StreamContent(after.get()), ReverseRows(pixels, 64));
}

TEST(FillWhite, PaintsThePixelAreasAndSkipsTheTrailers) {
    Bytes collection = MakeCollection(203000);
    ScratchFile file(collection);
    UniqueFile f = file.Open();
    CCollectionIO().FillWhite(f.get(), 98);
    Bytes filled = file.Read();
    ASSERT_EQ(filled.size(), 203000u);
    for (long i = 0; i < 203000; ++i) {
        if (InPixelArea(i, 98)) {
            ASSERT_EQ(filled[i], (i - 36) % 2 == 0 ? 0x7F : 0xFF) << "offset " << i;
        } else {
            ASSERT_EQ(filled[i], collection[i]) << "offset " << i;
        }
    }
    EXPECT_EQ(filled[2083], 0xFF);
    EXPECT_EQ(filled[2084], collection[2084]) << "first trailer";
    EXPECT_EQ(filled[201515], 0xFF) << "end of image 98";
}

TEST(RecordOperations, ImpossibleArgumentsChangeNothing) {
    Bytes collection = MakeCollection();
    ScratchFile file(collection);
    UniqueFile f = file.Open();
    UniqueFile src = StreamWith(PatternBytes(2048, 1));
    CCollectionIO io;
    for (int image : {0, -1, -100000}) {
        io.WriteRecordPixels(f.get(), src.get(), image);
        io.CopyRecordPixels(f.get(), f.get(), image, 2);
        io.CopyRecordPixels(f.get(), f.get(), 2, image);
        io.FillWhite(f.get(), image);
    }
    // Images beyond the 98 of this size: their records would cover the bytes after the last.
    for (int image : {99, 126, 100000}) {
        io.WriteRecordPixels(f.get(), src.get(), image);
        io.CopyRecordPixels(f.get(), f.get(), 2, image);
        EXPECT_FALSE(WritePixelArea(f.get(), image, Bytes(2048, 1)));
    }
    io.FillWhite(f.get(), 0);
    ShiftImagesUp(f.get(), 126, 98);
    io.WriteRecordPixels(nullptr, src.get(), 1);
    io.WriteRecordPixels(f.get(), nullptr, 1);
    io.CopyRecordPixels(nullptr, f.get(), 1, 2);
    io.CopyRecordPixels(f.get(), nullptr, 1, 2);
    io.FillWhite(nullptr, 98);
    io.CloseStream(nullptr);
    EXPECT_EQ(file.Read(), collection);
    io.FillWhite(f.get(), 126);
    Bytes white;
    for (int i = 0; i < 1024; ++i) {
        white.insert(white.end(), {0x7F, 0xFF});
    }
    for (int image = 1; image <= 98; ++image) {
        SetPixelArea(collection, image, white);
    }
    EXPECT_EQ(file.Read(), collection) << "98 images white, nothing after them";
}

TEST(WriteRecordPixels, AnImageBeyondTheEndOfAShortFileExtendsIt) {
    ScratchFile file(MakeCollection(100));
    UniqueFile f = file.Open();
    UniqueFile src = StreamWith(PatternBytes(2048, 8));
    CCollectionIO().WriteRecordPixels(f.get(), src.get(), 2);
    Bytes grown = file.Read();
    ASSERT_EQ(grown.size(), static_cast<std::size_t>(sgc::RecordOffset(2) + 2048));
    EXPECT_EQ(Bytes(grown.begin(), grown.begin() + 100), MakeCollection(100));
    EXPECT_EQ(Bytes(grown.begin() + 100, grown.begin() + sgc::RecordOffset(2)),
              Bytes(sgc::RecordOffset(2) - 100, 0));
    EXPECT_EQ(PixelArea(grown, 2), PatternBytes(2048, 8));
}

TEST(PixelAreas, ReadWriteAndSwapTouchOnlyPixelAreasAndShowAsTheExportDoes) {
    Bytes collection = MakeCollection(203000, 3);
    ScratchFile file(collection);
    UniqueFile f = file.Open();
    EXPECT_EQ(ReadPixelArea(f.get(), 7), PixelArea(collection, 7));
    EXPECT_FALSE(ReadPixelArea(f.get(), 0).has_value());
    EXPECT_EQ(ReadPixelArea(f.get(), 100), Bytes(2048, 0)) << "past the end of the file";
    ASSERT_TRUE(SwapPixelAreas(f.get(), 3, 90));
    Bytes expected = collection;
    SetPixelArea(expected, 3, PixelArea(collection, 90));
    SetPixelArea(expected, 90, PixelArea(collection, 3));
    EXPECT_EQ(file.Read(), expected);
    EXPECT_FALSE(WritePixelArea(f.get(), 5, Bytes(100, 0))) << "not a whole area";
    auto shown = ShownPixels(PixelArea(collection, 7));
    EXPECT_EQ(Bytes(shown.begin(), shown.end()), Expected24From16(PixelArea(collection, 7)));
}
