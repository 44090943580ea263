#include "../collection/TestFiles.h"
#include "RunningProgram.h"

#include "platform/Text.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

int TemporaryFileCount(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        count += entry.path().extension() == ".tmp" ? 1 : 0;
    }
    return count;
}

// The display folders of brelts, "brelt-<process id>".
std::vector<std::string> DisplayFolders(const fs::path& folder) {
    std::vector<std::string> folders;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_directory() && entry.path().filename().string().starts_with("brelt-")) {
            folders.push_back(entry.path().filename().string());
        }
    }
    return folders;
}

} // namespace

TEST(TemporaryFiles, AreGoneWhenBreltIsKilledInTheMiddleOfAShift) {
    ScratchFile collection(MakeCollection(260096, 71));
    fs::path folder =
        fs::temp_directory_path() / ("brelt-killed-" + std::to_string(::GetTickCount()));
    fs::create_directories(folder);
    {
        RunningProgram brelt(folder.wstring());
        ASSERT_NE(brelt.MainWindow(), nullptr);
        ASSERT_TRUE(brelt.OpenCollection(IDC_OPEN_TARGET, Widen(collection.Path())));
        brelt.PostClick(brelt.MainWindow(), IDC_SHIFT_COLLECTION);
        HWND confirmation = brelt.WaitForWindow(L"Avís");
        ASSERT_NE(confirmation, nullptr);
        brelt.PostClick(confirmation, IDOK);
        // The shift of 125 images makes two temporary files for each: kill it while one exists.
        bool seen = false;
        for (ULONGLONG deadline = ::GetTickCount64() + 20000;
             !seen && ::GetTickCount64() < deadline;) {
            seen = TemporaryFileCount(folder) > 0;
        }
        brelt.Kill();
        ASSERT_TRUE(seen) << "no temporary file was ever seen";
    }
    EXPECT_EQ(TemporaryFileCount(folder), 0);

    // The killed brelt's display files are left: the next brelt removes them, not its own, and
    // its own go when it ends.
    std::vector<std::string> killed = DisplayFolders(folder);
    ASSERT_EQ(killed.size(), 1u);
    {
        RunningProgram next(folder.wstring());
        ASSERT_TRUE(next.OpenCollection(IDC_OPEN_TARGET, Widen(collection.Path())));
        std::vector<std::string> now = DisplayFolders(folder);
        ASSERT_EQ(now.size(), 1u);
        EXPECT_NE(now[0], killed[0]);
        next.PostClick(next.MainWindow(), IDC_EXIT); // SORTIR
        EXPECT_TRUE(next.WaitUntilEnded());
    }
    EXPECT_TRUE(DisplayFolders(folder).empty());
    fs::remove_all(folder);
}
