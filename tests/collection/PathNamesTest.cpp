#include "collection/PathNames.h"

#include <gtest/gtest.h>

TEST(PathNames, TheNameFolderStemAndExtensionOfWindowsPaths) {
    EXPECT_EQ(FileNameOf("C:\\Segells\\formes.sgc"), "formes.sgc");
    EXPECT_EQ(FileNameOf("C:/Segells/formes.sgc"), "formes.sgc");
    EXPECT_EQ(FileNameOf("formes.sgc"), "formes.sgc");
    EXPECT_EQ(FolderOf("C:\\Segells\\formes.sgc"), "C:\\Segells");
    EXPECT_EQ(FolderOf("C:\\formes.sgc"), "C:");
    EXPECT_EQ(FolderOf("formes.sgc"), "");
    EXPECT_EQ(StemOf("C:\\Còpies\\sol.v2.png"), "sol.v2");
    EXPECT_EQ(StemOf("C:\\a\\.amagat"), ".amagat") << "a name that only begins with a dot";
    EXPECT_EQ(ExtensionOf("C:\\a.b\\sol"), "") << "a dot in the folder is no extension";
    EXPECT_EQ(ExtensionOf("sol.PNG"), ".PNG");
    EXPECT_TRUE(HasExtension("C:\\a\\SOL.Bmp", ".bmp"));
    EXPECT_FALSE(HasExtension("C:\\a\\sol.bmpx", ".bmp"));
    EXPECT_FALSE(HasExtension("C:\\a\\bmp", ".bmp"));
}

TEST(PathNames, CollectionsAndBitmapsAreKnownByTheirNamesWhateverTheCase) {
    EXPECT_TRUE(IsCollectionFileName("C:\\Segells\\FORMES.SGC"));
    EXPECT_TRUE(IsCollectionFileName("formes.sgc"));
    EXPECT_FALSE(IsCollectionFileName("C:\\Segells.sgc\\formes"));
    EXPECT_FALSE(IsCollectionFileName("formes.sgc.bak"));
    EXPECT_TRUE(IsBitmapFileName("C:\\a\\Sol.Bmp"));
    EXPECT_FALSE(IsBitmapFileName("C:\\a\\sol.bmp.png"));
    EXPECT_FALSE(IsBitmapFileName("C:\\a\\.bmp")) << "a name that only begins with a dot";
}
