#include "KeyboardWalk.h"
#include "EditorFixture.h"

#include "platform/ModalAnswers.h"
#include "platform/Text.h"
#include "res/resource.h"

#include <atomic>
#include <sstream>
#include <thread>

// Every window walked with Tab as a keyboard user walks it: each control reached is enabled and in
// sight, and Tab comes back round to where it began.

namespace {

std::string Faults(const KeyboardWalk& walk) {
    std::ostringstream out;
    for (const std::string& fault : walk.faults) {
        out << "\n  " << fault;
    }
    out << "\n reached:";
    for (HWND stop : walk.stops) {
        out << "\n  " << Named(stop);
    }
    return out.str();
}

void ExpectWholeWalk(HWND window, std::size_t atLeast, const std::string& which) {
    const KeyboardWalk walk = WalkWithTab(window);
    EXPECT_TRUE(walk.faults.empty()) << which << Faults(walk);
    EXPECT_TRUE(walk.cameBackRound) << which << Faults(walk);
    EXPECT_GE(walk.stops.size(), atLeast) << which << Faults(walk);
}

} // namespace

// The main window's own loop runs here while a second thread walks it.
TEST_F(BrowserTest, TabWalksTheWholeMainWindowAndReachesBothPanes) {
    const Bytes sourceBytes = MakeCollection(202752, 5);
    ScratchFile source(sourceBytes), target(MakeCollection(202752, 6));
    Open(IDC_OPEN_SOURCE, source.Path());
    Open(IDC_OPEN_TARGET, target.Path());
    ::SetFocus(::GetDlgItem(hwnd_, IDC_OPEN_SOURCE));
    std::atomic<bool> done{false};
    std::thread walker([&] {
        ExpectWholeWalk(hwnd_, 16, "the main window"); // a slot of each pane among them
        done = true;
    });
    while (!done) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!::CallMsgFilterW(&message, MSGF_DIALOGBOX) &&
                !::IsDialogMessageW(hwnd_, &message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    walker.join();
    // The source reached by Tab alone takes the arrows, though the target was opened last.
    Press(IDC_SOURCE_SLOT1, VK_RIGHT);
    Press(IDC_SOURCE_SLOT1, VK_RIGHT);
    EXPECT_EQ(SlotPixels(IDC_SOURCE_SLOT1), ImageColours(sourceBytes, 3));
}

// The windows the main window opens, each walked while it is open, then closed.
TEST_F(BrowserTest, TabWalksEveryWindowTheMainWindowOpens) {
    ScratchFile target(MakeCollection(202752, 7));
    Open(IDC_OPEN_TARGET, target.Path());
    TestModalAnswers().dialog = [](CDialog&) { return ModalAnswers::kShowIt; };
    const struct {
        int command;
        std::wstring caption;
        std::size_t atLeast;
    } windows[] = {{ID_LIBRARY, L"Biblioteca", 4},
                   {ID_CREATE_TEXT_STAMPS, L"Crea segells de text", 4},
                   {ID_HELP_ABOUT, L"Acerca de brelt", 1}};
    for (const auto& window : windows) {
        WindowDriver driver(window.caption, [&](HWND dialog) {
            ExpectWholeWalk(dialog, window.atLeast, Narrow(window.caption));
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        Command(window.command);
        EXPECT_TRUE(driver.Found()) << Narrow(window.caption);
    }
}

// The conversion of a picture, and the comparison with another collection.
TEST_F(BrowserTest, TabWalksTheConversionAndTheComparison) {
    const Bytes collection = MakeCollection(202752, 8);
    ScratchFile target(collection), other(collection);
    Open(IDC_OPEN_TARGET, target.Path());
    TestModalAnswers().dialog = [](CDialog&) { return ModalAnswers::kShowIt; };
    WindowDriver conversion(L"Converteix la imatge en segell", [&](HWND dialog) {
        ExpectWholeWalk(dialog, 7, "the conversion");
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Open(IDC_LOAD_IMAGE, std::string(BRELT_PICTURES_DIR) + "/clipart.png");
    EXPECT_TRUE(conversion.Found());
    const std::string name = other.Path().substr(other.Path().find_last_of('\\') + 1);
    WindowDriver comparison(L"Compara amb " + Widen(name), [&](HWND dialog) {
        ExpectWholeWalk(dialog, 2, "the comparison");
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Open(ID_COMPARE_WITH, other.Path());
    EXPECT_TRUE(comparison.Found());
}

// The editor, and the windows its buttons open.
TEST_F(Editor, TabWalksTheEditorAndTheWindowsItOpens) {
    ASSERT_TRUE(Edit([&](HWND editor) {
        ExpectWholeWalk(editor, 20, "the editor");
        for (const auto& [button, caption] :
             {std::pair{IDC_EDITOR_OUTLINE, L"Contorn"}, std::pair{IDC_EDITOR_SHADOW, L"Ombra"},
              std::pair{IDC_EDITOR_ADJUST, L"Ajusta els colors"}}) {
            PostClick(editor, button);
            HWND dialog = WaitForWindow(caption, 5000);
            ASSERT_NE(dialog, nullptr) << Narrow(caption);
            ExpectWholeWalk(dialog, 3, Narrow(caption));
            PostClick(dialog, IDCANCEL);
            EXPECT_TRUE(WaitUntilClosed(dialog));
        }
        PostClick(editor, IDCANCEL);
    }));
}
