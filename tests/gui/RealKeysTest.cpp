#include "GuiTestSupport.h"
#include "RunningProgram.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

void Press(WORD key) {
    TypeKeys({{key, true}, {key, false}});
}

// A dialog of the program, once it shows, closed again; false when it never showed.
bool ShowsAndCloses(const RunningProgram& brelt, const std::wstring& caption) {
    HWND dialog = brelt.WaitForWindow(caption, 10000);
    if (dialog == nullptr) {
        return false;
    }
    brelt.PostClick(dialog, IDCANCEL);
    return WaitUntilClosed(dialog, 10000);
}

} // namespace

// The real program, driven by the keyboard: Alt and a menu's letter open it, the item's letter
// runs it, and a key the menus show runs its command.
TEST(RealKeys, AltLettersAndTheKeysTheMenusShowWorkInTheRunningProgram) {
    std::filesystem::path temp =
        std::filesystem::temp_directory_path() / ("brelt-keys-" + std::to_string(::GetTickCount()));
    std::filesystem::create_directories(temp);
    {
        RunningProgram brelt(temp.wstring());
        HWND main = brelt.MainWindow();
        ASSERT_NE(main, nullptr);
        ::SetForegroundWindow(main);
        ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == main; }));
        TypeKeys({{VK_MENU, true}, {'F', true}, {'F', false}, {VK_MENU, false}});
        Press('N');
        EXPECT_TRUE(ShowsAndCloses(brelt, L"Crea Fitxer...")) << "Alt+F, N: Nova col·lecció...";
        ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == main; }));
        TypeKeys({{VK_CONTROL, true}, {'O', true}, {'O', false}, {VK_CONTROL, false}});
        EXPECT_TRUE(ShowsAndCloses(brelt, L"Obre Fitxer...")) << "Ctrl+O: Obre la destinació...";
        ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == main; }));
        TypeKeys({{VK_MENU, true}, {'A', true}, {'A', false}, {VK_MENU, false}});
        Press('Q');
        EXPECT_TRUE(ShowsAndCloses(brelt, L"Acerca de brelt")) << "Alt+A, Q: Quant a brelt...";
    }
    std::error_code ignored;
    std::filesystem::remove_all(temp, ignored);
}
