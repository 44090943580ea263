#include "collection/TempStreams.h"
#include "TestFiles.h"
#include "collection/CollectionIO.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// A private temporary folder, so that the files of other tests running at once don't count.
class TempStreams : public ::testing::Test {
protected:
    TempStreams()
        : folder_(
              (fs::temp_directory_path() /
               ("brelt-temps-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                  .string()),
          created_(fs::create_directories(folder_)), scope_(folder_) {}
    ~TempStreams() override { fs::remove_all(folder_); }

    std::string folder_;
    bool created_;
    ScopedTempFolder scope_;
};

} // namespace

TEST_F(TempStreams, AreUsableAndReleasedAllAtOnceWithTheirFiles) {
    std::FILE* a = CreateTempStream();
    std::FILE* b = CreateTempStream();
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(OpenTempStreamCount(), 2);
#ifdef _WIN32
    // Visible while open, deleted by the system on close or when the process dies.
    EXPECT_EQ(FileCount(folder_), 2) << "created in the user's temporary folder";
#else
    EXPECT_EQ(FileCount(folder_), 0) << "unlinked at once: a crash can leave nothing behind";
#endif

    std::fputs("stamp", a);
    std::rewind(a);
    char text[6] = {};
    ASSERT_EQ(std::fread(text, 1, 5, a), 5u);
    EXPECT_STREQ(text, "stamp");

    ReleaseTempStreams();
    EXPECT_EQ(OpenTempStreamCount(), 0);
    EXPECT_EQ(FileCount(folder_), 0);
    ReleaseTempStreams(); // releasing nothing is harmless
}

TEST_F(TempStreams, CloseStreamReleasesATemporaryStreamOnlyOnce) {
    std::FILE* a = CreateTempStream();
    std::FILE* b = CreateTempStream();
    CCollectionIO().CloseStream(a);
    EXPECT_EQ(OpenTempStreamCount(), 1);
    EXPECT_FALSE(ReleaseTempStream(a)) << "already gone";
    EXPECT_TRUE(ReleaseTempStream(b));
    EXPECT_FALSE(ReleaseTempStream(nullptr));
    EXPECT_EQ(FileCount(folder_), 0);
}

TEST_F(TempStreams, AMissingTemporaryFolderGivesNoStream) {
    ScopedTempFolder missing(folder_ + "/does-not-exist");
    EXPECT_EQ(CreateTempStream(), nullptr);
    EXPECT_EQ(OpenTempStreamCount(), 0);
}
