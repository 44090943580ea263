#include "TestFiles.h"
#include "collection/CollectionIO.h"

#include <gtest/gtest.h>

namespace {

Bytes Slice(const Bytes& bytes, long from, long count) {
    return Bytes(bytes.begin() + from, bytes.begin() + from + count);
}

} // namespace

TEST(CopyRecordRowsReversed, DeliversTheImageBottomRowFirst) {
    ScratchFile file(MakeCollection());
    Bytes collection = file.Read();
    UniqueFile f = file.Open();
    for (int image : {1, 2, 98}) {
        UniqueFile dst = StreamWith({});
        CCollectionIO().CopyRecordRowsReversed(f.get(), dst.get(), image);
        EXPECT_EQ(StreamContent(dst.get()), ReverseRows(PixelArea(collection, image), 64))
            << "image " << image;
    }
    EXPECT_EQ(file.Read(), collection) << "reading changes nothing";
}

TEST(CopyRowsReversed, TakesTheLastThirtyTwoRowsOfTheSourceLastRowFirst) {
    // A bitmap-like stream: 54 bytes of header, then 32 distinct rows of 96 bytes.
    Bytes rows = PatternBytes(3072, 7);
    Bytes file = PatternBytes(54, 9);
    file.insert(file.end(), rows.begin(), rows.end());
    UniqueFile src = StreamWith(file), dst = StreamWith({});
    CCollectionIO().CopyRowsReversed(src.get(), dst.get(), 3);
    Bytes out = StreamContent(dst.get());
    ASSERT_EQ(out.size(), 3072u);
    for (int k = 0; k < 32; ++k) {
        EXPECT_EQ(Slice(out, k * 96, 96), Slice(rows, (31 - k) * 96, 96)) << "row " << k;
    }
}

TEST(CopyRowsReversed, UndoesCopyRecordRowsReversed) {
    ScratchFile file(MakeCollection(231424, 4));
    UniqueFile f = file.Open();
    UniqueFile bottomUp = StreamWith({}), topDown = StreamWith({});
    CCollectionIO io;
    io.CopyRecordRowsReversed(f.get(), bottomUp.get(), 112);
    io.CopyRowsReversed(bottomUp.get(), topDown.get(), 2);
    EXPECT_EQ(StreamContent(topDown.get()), PixelArea(file.Read(), 112));
}

TEST(CopyRowsReversed, RowsMissingBeforeAShortSourceReadAsZeros) {
    Bytes src = PatternBytes(100, 2);
    UniqueFile in = StreamWith(src), dst = StreamWith({});
    CCollectionIO().CopyRowsReversed(in.get(), dst.get(), 3);
    Bytes out = StreamContent(dst.get());
    ASSERT_EQ(out.size(), 3072u);
    // Row 0 is the last 96 bytes (4..99); row 1 lies 92 bytes before the start, then bytes 0..3.
    EXPECT_EQ(Slice(out, 0, 96), Slice(src, 4, 96));
    EXPECT_EQ(Slice(out, 96, 92), Bytes(92, 0));
    EXPECT_EQ(Slice(out, 188, 4), Slice(src, 0, 4));
    EXPECT_EQ(Slice(out, 192, 3072 - 192), Bytes(3072 - 192, 0));
}

TEST(CopyRecordRowsReversed, ImagesBeyondTheEndOfAShortFileReadAsBlack) {
    Bytes shortFile = MakeCollection(sgc::RecordOffset(3) + 100);
    ScratchFile file(shortFile);
    UniqueFile f = file.Open();
    UniqueFile partial = StreamWith({}), missing = StreamWith({});
    CCollectionIO io;
    io.CopyRecordRowsReversed(f.get(), partial.get(), 3);
    io.CopyRecordRowsReversed(f.get(), missing.get(), 50);
    Bytes expected(2048, 0);
    std::copy(shortFile.end() - 100, shortFile.end(), expected.begin());
    EXPECT_EQ(StreamContent(partial.get()), ReverseRows(expected, 64));
    EXPECT_EQ(StreamContent(missing.get()), Bytes(2048, 0));
    EXPECT_EQ(file.Read(), shortFile);
}

TEST(RowReversal, RefusesNullStreamsAndImpossibleArguments) {
    ScratchFile file(MakeCollection());
    UniqueFile f = file.Open();
    UniqueFile dst = StreamWith({});
    CCollectionIO io;
    io.CopyRecordRowsReversed(nullptr, dst.get(), 1);
    io.CopyRecordRowsReversed(f.get(), nullptr, 1);
    io.CopyRecordRowsReversed(f.get(), dst.get(), 0);
    io.CopyRecordRowsReversed(f.get(), dst.get(), -5);
    io.CopyRowsReversed(nullptr, dst.get(), 3);
    io.CopyRowsReversed(f.get(), dst.get(), 0);
    io.CopyRowsReversed(f.get(), nullptr, 2);
    EXPECT_TRUE(StreamContent(dst.get()).empty());
    EXPECT_EQ(file.Read(), MakeCollection());
}
