#include "TestFiles.h"
#include "collection/ImageSequences.h"
#include "collection/TempStreams.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

// Good, questionable and bad BMP files of every size and shape pass through the import's stream
// operations without a crash, a read outside the file (the sanitizer build watches) or a write
// outside the pixel area of the image they go to.
TEST(BmpSuite, EveryFileImportsOnlyIntoItsPixelArea) {
    Bytes collection = MakeCollection();
    ScratchFile file(collection);
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(BRELT_BMPSUITE_DIR)) {
        if (entry.path().extension() != ".bmp") {
            continue;
        }
        ++files;
        UniqueFile bitmap(std::fopen(entry.path().string().c_str(), "rb"));
        ASSERT_NE(bitmap, nullptr) << entry.path();
        UniqueFile f = file.Open();
        EXPECT_TRUE(ImportBitmapPixels(bitmap.get(), f.get(), 7)) << entry.path();
        f.reset();
        Bytes after = file.Read();
        SetPixelArea(collection, 7, PixelArea(after, 7));
        ASSERT_EQ(after, collection) << entry.path();
    }
    EXPECT_GE(files, 90);
    EXPECT_EQ(OpenTempStreamCount(), 0);
}
