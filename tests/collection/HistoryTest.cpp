#include "TestFiles.h"
#include "collection/Backups.h"
#include "collection/ChangeHistory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(ChangeHistory, UndoAndRedoRestoreExactBytesAndRefuseAFileChangedBehindTheirBack) {
    Bytes original = MakeCollection(202752, 131);
    ScratchFile file(original);
    UniqueFile f = file.Open();
    ChangeHistory history;
    Change change = ChangeHistory::Begin(f.get(), file.Path(), "Desplaçar", {5, 6, 5});
    ASSERT_TRUE(WritePixelArea(f.get(), 5, Bytes(2048, 1)));
    ASSERT_TRUE(WritePixelArea(f.get(), 6, Bytes(2048, 2)));
    history.Commit(f.get(), std::move(change));
    Bytes changed = file.Read();
    ASSERT_NE(history.NextUndo(), nullptr);
    EXPECT_EQ(history.NextUndo()->what, "Desplaçar");

    EXPECT_EQ(history.Undo(f.get()), ChangeHistory::Outcome::Done);
    EXPECT_EQ(file.Read(), original);
    EXPECT_EQ(history.Undo(f.get()), ChangeHistory::Outcome::Nothing);
    EXPECT_EQ(history.Redo(f.get()), ChangeHistory::Outcome::Done);
    EXPECT_EQ(file.Read(), changed);

    // Another program writes a byte, and the file's size tells.
    f.reset();
    {
        std::ofstream more(fs::u8path(file.Path()), std::ios::binary | std::ios::app);
        more.put('x');
    }
    f = file.Open();
    Bytes behind = file.Read();
    EXPECT_EQ(history.Undo(f.get()), ChangeHistory::Outcome::ChangedOnDisk);
    EXPECT_EQ(file.Read(), behind);
    EXPECT_EQ(history.NextUndo(), nullptr) << "that file's history is dropped";
}

TEST(Backups, ACopyOfTheWholeFileAndOnlyTheTwentyNewestOfAName) {
    Bytes collection = MakeCollection(202752, 132);
    ScratchFile file(collection);
    fs::path folder = fs::path(file.Path() + "-copies");
    std::string name = fs::u8path(file.Path()).stem().string();
    fs::create_directories(folder);
    for (int day = 1; day <= 22; ++day) { // older copies, and one of another collection
        std::ofstream(folder / (name + " 2020-01-" + (day < 10 ? "0" : "") + std::to_string(day) +
                                " 10.00.00.sgc"));
    }
    std::ofstream(folder / "altra 2020-01-01 10.00.00.sgc");
    std::string copy = BackUpCollection(file.Path(), folder.string(),
                                        2000030000); // 2033-05-18, around noon in every time zone
    ASSERT_FALSE(copy.empty());
    EXPECT_EQ(fs::file_size(fs::u8path(copy)), collection.size());
    EXPECT_NE(copy.find(name + " 2033-05-18 "), std::string::npos) << copy;
    EXPECT_EQ(FileCount(folder.string()), 21) << "20 of this name, and the other";
    EXPECT_FALSE(fs::exists(folder / (name + " 2020-01-03 10.00.00.sgc"))) << "the oldest went";
    EXPECT_TRUE(fs::exists(folder / (name + " 2020-01-04 10.00.00.sgc")));
    EXPECT_EQ(BackUpCollection(file.Path() + ".missing", folder.string(), 2000030000), "");
    fs::remove_all(folder);
}
