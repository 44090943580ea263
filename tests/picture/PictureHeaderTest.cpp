#include "picture/PictureHeader.h"

#include "../collection/TestFiles.h"

#include <gtest/gtest.h>

using picture::PictureHeader;
using Format = PictureHeader::Format;

namespace {

void Put(Bytes& bytes, std::size_t at, std::uint32_t value, int size, bool bigEndian) {
    if (bytes.size() < at + size) {
        bytes.resize(at + size);
    }
    for (int i = 0; i < size; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * (bigEndian ? size - 1 - i : i)));
    }
}

Bytes Png(std::uint32_t width, std::uint32_t height, int depth, int colour) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    Put(png, 16, width, 4, true);
    Put(png, 20, height, 4, true);
    Put(png, 24, static_cast<std::uint32_t>(depth), 1, true);
    Put(png, 25, static_cast<std::uint32_t>(colour), 1, true);
    png.resize(33);
    return png;
}

// A JPEG whose frame comes after an EXIF block, a table and fill bytes.
Bytes Jpeg(std::uint32_t width, std::uint32_t height, int components, std::uint8_t frame) {
    Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE1, 0x10, 0x00}; // APP1 of 4096 bytes
    jpeg.resize(2 + 2 + 4096);
    jpeg.insert(jpeg.end(), {0xFF, 0xDB, 0x00, 0x04, 0x00, 0x00, 0xFF, 0xFF, 0xFF, frame});
    std::size_t at = jpeg.size();
    Put(jpeg, at, 8 + 3 * static_cast<std::uint32_t>(components), 2, true);
    Put(jpeg, at + 2, 8, 1, true);
    Put(jpeg, at + 3, height, 2, true);
    Put(jpeg, at + 5, width, 2, true);
    Put(jpeg, at + 7, static_cast<std::uint32_t>(components), 1, true);
    jpeg.resize(jpeg.size() + 3 * components);
    return jpeg;
}

Bytes Tiff(bool bigEndian, std::uint32_t width, std::uint32_t height, int samples) {
    Bytes tiff = bigEndian ? Bytes{'M', 'M', 0, 42} : Bytes{'I', 'I', 42, 0};
    Put(tiff, 4, 8, 4, bigEndian);
    const std::uint32_t entries[][3] = {{256, 4, width},
                                        {257, 3, height},
                                        {258, 3, 8},
                                        {277, 3, static_cast<std::uint32_t>(samples)}};
    Put(tiff, 8, 4, 2, bigEndian);
    for (std::size_t i = 0; i < 4; ++i) {
        std::size_t at = 10 + 12 * i;
        Put(tiff, at, entries[i][0], 2, bigEndian);
        Put(tiff, at + 2, entries[i][1], 2, bigEndian);
        Put(tiff, at + 4, 1, 4, bigEndian);
        Put(tiff, at + 8, entries[i][2], entries[i][1] == 3 ? 2 : 4, bigEndian);
        Put(tiff, at + 8 + (entries[i][1] == 3 ? 2 : 4), 0, entries[i][1] == 3 ? 2 : 0, bigEndian);
    }
    return tiff;
}

} // namespace

TEST(PictureHeader, EveryKindTellsItsSizeAndWhatItsFrameTakes) {
    struct Case {
        Bytes file;
        Format format;
        std::uint32_t width, height;
        int bits;
        bool tooBig;
    };
    Bytes os2(14 + 12 + 256 * 3, 0); // the old OS/2 header, sizes of 16 bits
    os2[0] = 'B';
    os2[1] = 'M';
    PutLittleEndian(os2, 14, 12, 4);
    PutLittleEndian(os2, 18, 640, 2);
    PutLittleEndian(os2, 20, 480, 2);
    PutLittleEndian(os2, 22, 1, 2);
    PutLittleEndian(os2, 24, 8, 2);
    Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 0x20, 0x4E, 0x10, 0x27};
    const Case cases[] = {
        {Png(20000, 20000, 8, 2), Format::Png, 20000, 20000, 24, true}, // a 1.2 MB bomb
        {Png(4000, 3000, 16, 6), Format::Png, 4000, 3000, 64, false},
        {Png(10000, 9000, 8, 6), Format::Png, 10000, 9000, 32, false},
        {Png(10001, 10000, 8, 0), Format::Png, 10001, 10000, 8, true}, // just over 100 MP
        {Png(7100, 7100, 16, 6), Format::Png, 7100, 7100, 64, true},   // 50 MP of 8 bytes: 403 MB
        {Jpeg(12000, 9000, 3, 0xC2), Format::Jpeg, 12000, 9000, 24, true},
        {Jpeg(4000, 3000, 3, 0xC0), Format::Jpeg, 4000, 3000, 24, false},
        {gif, Format::Gif, 20000, 10000, 32, true},
        {BmpFile(32, -32, 24), Format::Bmp, 32, 32, 32, false},
        {os2, Format::Bmp, 640, 480, 8, false},
        {Tiff(false, 30000, 4000, 3), Format::Tiff, 30000, 4000, 24, true},
        {Tiff(true, 300, 400, 4), Format::Tiff, 300, 400, 32, false},
    };
    for (const Case& c : cases) {
        auto header = picture::ReadPictureHeader(c.file.data(), c.file.size());
        ASSERT_TRUE(header.has_value()) << c.width;
        EXPECT_EQ(header->format, c.format) << c.width;
        EXPECT_EQ(header->width, c.width);
        EXPECT_EQ(header->height, c.height);
        EXPECT_EQ(header->bitsPerPixel, c.bits) << c.width;
        EXPECT_EQ(picture::IsTooBigToDecode(*header), c.tooBig) << c.width << "x" << c.height;
        // Cut anywhere before the size, a header tells nothing, and reads nothing beyond.
        for (std::size_t cut = 0; cut < c.file.size(); ++cut) {
            Bytes head(c.file.begin(), c.file.begin() + static_cast<long>(cut));
            auto partial = picture::ReadPictureHeader(head.data(), head.size());
            EXPECT_TRUE(!partial || (partial->width == c.width && partial->height == c.height));
        }
    }
    Bytes garbage = PatternBytes(1000, 3);
    EXPECT_FALSE(picture::ReadPictureHeader(garbage.data(), garbage.size()));
    Bytes negative = BmpFile(-32, 32, 24);
    EXPECT_FALSE(picture::ReadPictureHeader(negative.data(), negative.size()));
    Bytes noFrame = {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0xFF, 0xD9};
    EXPECT_FALSE(picture::ReadPictureHeader(noFrame.data(), noFrame.size()));
}
