#include "TestFiles.h"
#include "collection/BitmapExport.h"
#include "collection/BitmapImport.h"
#include "collection/ImageSequences.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// ImageMagick, a decoder written by others, reads an exported file as the image it shows: each
// pixel's colour, top row first, is the collection pixel with its channels expanded.
TEST(ExportImage, IsReadBackByImageMagickAsTheSameImage) {
    Bytes collection = MakeCollection();
    ScratchFile file(collection), bmpFile, rgbFile;
    {
        UniqueFile f = file.Open();
        ExportImage(f.get(), bmpFile.Path().c_str(), 42);
    }
    std::string command = std::string(BRELT_IMAGEMAGICK_CONVERT) + " 'bmp:" + bmpFile.Path() +
                          "' -depth 8 'rgb:" + rgbFile.Path() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    Bytes rgb = rgbFile.Read();
    ASSERT_EQ(rgb.size(), 3072u) << "32 x 32 pixels of three bytes";
    Bytes bgr = Expected24From16(PixelArea(collection, 42)); // top-down, blue-green-red
    for (std::size_t pixel = 0; pixel < 1024; ++pixel) {
        ASSERT_EQ(rgb[3 * pixel + 0], bgr[3 * pixel + 2]) << "red of pixel " << pixel;
        ASSERT_EQ(rgb[3 * pixel + 1], bgr[3 * pixel + 1]) << "green of pixel " << pixel;
        ASSERT_EQ(rgb[3 * pixel + 2], bgr[3 * pixel + 0]) << "blue of pixel " << pixel;
    }
}

// Bitmaps written by ImageMagick, with the 40-byte header (BMP3) and the 124-byte one (BMP),
// import with the pixels ImageMagick meant.
TEST(ImportBitmapPixels, TakesTheRightPixelsFromBitmapsWrittenByImageMagick) {
    for (const char* format : {"BMP3", "BMP"}) {
        ScratchFile bitmap, rgbFile, collection(MakeCollection());
        std::string convert = BRELT_IMAGEMAGICK_CONVERT;
        std::string make = convert +
                           " -size 32x32 plasma:fractal -seed 7 -alpha off -type truecolor '" +
                           format + ":" + bitmap.Path() + "'";
        ASSERT_EQ(std::system(make.c_str()), 0) << make;
        std::string dump =
            convert + " 'bmp:" + bitmap.Path() + "' -depth 8 'rgb:" + rgbFile.Path() + "'";
        ASSERT_EQ(std::system(dump.c_str()), 0) << dump;
        Bytes rgb = rgbFile.Read();
        ASSERT_EQ(rgb.size(), 3072u);

        UniqueFile b = bitmap.Open("rb"), c = collection.Open();
        BitmapInspection inspection = InspectBitmap(b.get());
        ASSERT_TRUE(inspection.accepted) << format;
        ASSERT_TRUE(ImportBitmapPixels(b.get(), c.get(), 4, inspection.pixelOffset));
        c.reset();
        Bytes stored = PixelArea(collection.Read(), 4);
        for (std::size_t pixel = 0; pixel < 1024; ++pixel) {
            unsigned word = (rgb[3 * pixel] >> 3) << 10 | (rgb[3 * pixel + 1] >> 3) << 5 |
                            rgb[3 * pixel + 2] >> 3;
            ASSERT_EQ(stored[2 * pixel], word >> 8) << format << " pixel " << pixel;
            ASSERT_EQ(stored[2 * pixel + 1], word & 0xFF) << format << " pixel " << pixel;
        }
    }
}
