#include "../collection/TestFiles.h"
#include "RunningProgram.h"

#include "platform/Text.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

int TemporaryFileCount(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        count += entry.path().filename().string().starts_with("brelt-") ? 1 : 0;
    }
    return count;
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
        ASSERT_TRUE(brelt.OpenCollection(1011, Widen(collection.Path())));
        brelt.PostClick(brelt.MainWindow(), 1035);
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
    fs::remove_all(folder);
}
