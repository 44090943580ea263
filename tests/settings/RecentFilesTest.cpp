#include "settings/RecentFiles.h"

#include <gtest/gtest.h>

using settings::RecentFiles;

TEST(RecentFiles, NewestFirstOnceEachAndAtMostEight) {
    RecentFiles recent;
    for (int i = 1; i <= 10; ++i) {
        recent.Add("C:\\Segells\\c" + std::to_string(i) + ".sgc");
    }
    recent.Add("c:\\segells\\C5.SGC"); // the same file for Windows, as typed another time
    ASSERT_EQ(recent.Paths().size(), RecentFiles::kMax);
    EXPECT_EQ(recent.Paths()[0], "c:\\segells\\C5.SGC");
    EXPECT_EQ(recent.Paths()[1], "C:\\Segells\\c10.sgc");
    EXPECT_EQ(recent.Paths().back(), "C:\\Segells\\c3.sgc") << "c5 moved up, nothing dropped";
    recent.Remove("C:\\SEGELLS\\C10.sgc");
    EXPECT_EQ(recent.Paths()[1], "C:\\Segells\\c9.sgc");
    // What is written is read back as it was, accents and all.
    recent.Add("C:\\Usuaris\\Núria\\Còpies\\animals.sgc");
    EXPECT_EQ(RecentFiles::Parse(recent.Text()).Paths(), recent.Paths());
}

// The file is anyone's to damage: lines that can't be paths are dropped, and no more than eight
// are ever taken, however long the file.
TEST(RecentFiles, ADamagedFileGivesOnlyPathsThatCanBe) {
    std::string text = "C:\\a.sgc\r\n\r\nC:\\bad\x01name.sgc\nC:\\\xC3(.sgc\nC:\\cut\xE2\x82\n";
    text += std::string(RecentFiles::kMaxPathLength + 1, 'x') + "\n";
    text += "C:\\A.SGC\nC:\\b.sgc";
    for (int i = 0; i < 1000; ++i) {
        text += "\nC:\\more" + std::to_string(i) + ".sgc";
    }
    RecentFiles recent = RecentFiles::Parse(text);
    ASSERT_GE(recent.Paths().size(), 2u);
    EXPECT_EQ(recent.Paths()[0], "C:\\a.sgc");
    EXPECT_EQ(recent.Paths()[1], "C:\\b.sgc");
    EXPECT_EQ(recent.Paths().size(), RecentFiles::kMax);
    EXPECT_TRUE(RecentFiles::Parse(std::string("\0\0\xFF\xFE", 4)).Paths().empty());
    recent.Add("C:\\with\nnewline.sgc");
    EXPECT_EQ(recent.Paths()[0], "C:\\a.sgc") << "a path that would break the file is not kept";
}
