#include "GuiTestSupport.h"
#include "RunningProgram.h"

#include "platform/Text.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

// Run by tests/package/check-package, on the unzipped download in a fresh Wine prefix.
TEST(Package, StartsAndGenerarFindsItsTemplate) {
    const char* program = std::getenv("BRELT_PACKAGED");
    if (program == nullptr) {
        GTEST_SKIP() << "tests/package/check-package runs this on the zip";
    }
    fs::path folder = fs::temp_directory_path() / "brelt-package";
    fs::create_directories(folder);
    RunningProgram brelt(folder.wstring(), Widen(program));
    ASSERT_NE(brelt.MainWindow(), nullptr) << program;
    brelt.PostClick(brelt.MainWindow(), IDC_GENERATE_COLLECTION);
    HWND dialog = brelt.WaitForWindow(L"Crea Fitxer...");
    ASSERT_TRUE(brelt.ChooseFile(dialog, (folder / "nova.sgc").wstring()));
    brelt.PostClick(dialog, IDOK);
    std::error_code error;
    Eventually([&] { return fs::file_size(folder / "nova.sgc", error) == 202752; }, 10000);
    EXPECT_EQ(fs::file_size(folder / "nova.sgc", error), 202752u) << "a new collection";
}
