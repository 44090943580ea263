#include "TestFiles.h"
#include "collection/BitmapExport.h"

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
