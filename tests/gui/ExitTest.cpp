#include "GuiTestSupport.h"

#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "collection/FileOpen.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

// Three streams in the program state, each holding one written byte that only a close flushes.
class OpenStreams {
public:
    OpenStreams() {
        for (int i = 0; i < 3; ++i) {
            paths_[i] =
                (fs::temp_directory_path() / ("brelt-exit-" + std::to_string(i) + ".bin")).string();
            streams_[i] = OpenFile(paths_[i], "w+b");
            std::fputc('A' + i, streams_[i]);
        }
        g_pfSource = streams_[0];
        g_pfTarget = streams_[1];
        g_pfImage = streams_[2];
    }
    ~OpenStreams() {
        for (int i = 0; i < 3; ++i) {
            if (stillOpen_) {
                std::fclose(streams_[i]);
            }
            fs::remove(paths_[i]);
        }
    }
    // Whether each file holds its byte, which only closing its stream wrote out.
    bool AllWrittenOut() const {
        for (int i = 0; i < 3; ++i) {
            std::ifstream in(paths_[i], std::ios::binary);
            std::string content{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
            if (content != std::string(1, static_cast<char>('A' + i))) {
                return false;
            }
        }
        return true;
    }
    void KeepOpen() { stillOpen_ = true; }

private:
    std::string paths_[3];
    std::FILE* streams_[3];
    bool stillOpen_ = false;
};

INT_PTR RunMainDialog(std::function<void(HWND)> act, bool* found) {
    CBreltDlg dialog;
    WindowDriver driver(L"Quelvar", std::move(act));
    INT_PTR result = dialog.DoModal();
    *found = true;
    return result;
}

} // namespace

class Exit : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { ResetProgramState(); }
};

// SORTIR, Esc and the close box: the cancel route, which closes the source, target and image
// streams before the dialog ends.
TEST_P(Exit, ByTheCancelRouteClosesTheOpenStreams) {
    OpenStreams streams;
    std::string way = GetParam();
    bool found = false;
    INT_PTR result = RunMainDialog(
        [&](HWND dialog) {
            if (way == "SORTIR") {
                Click(dialog, IDC_EXIT);
            } else if (way == "Esc") {
                PressKey(dialog, VK_ESCAPE);
            } else {
                ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
        },
        &found);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(streams.AllWrittenOut());
    EXPECT_EQ(g_pfSource, nullptr);
    EXPECT_EQ(g_pfTarget, nullptr);
    EXPECT_EQ(g_pfImage, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Ways, Exit, ::testing::Values("SORTIR", "Esc", "CloseBox"));

TEST(ExitWithNothingOpen, EndsTheProgram) {
    ResetProgramState();
    bool found = false;
    EXPECT_EQ(RunMainDialog([](HWND dialog) { Click(dialog, IDC_EXIT); }, &found), IDCANCEL);
    EXPECT_EQ(g_pfSource, nullptr);
}

TEST(ExitByOk, EndsTheDialogAndLeavesTheStreamsToTheRuntime) {
    ResetProgramState();
    OpenStreams streams;
    bool found = false;
    // Enter where nothing that takes it has the focus: the frame of the target pane.
    INT_PTR result = RunMainDialog(
        [](HWND dialog) {
            ::SendMessageW(dialog, WM_NEXTDLGCTL,
                           reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_TARGET_GROUP)), TRUE);
            PressKey(dialog, VK_RETURN);
        },
        &found);
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(streams.AllWrittenOut()) << "nothing closed the streams";
    EXPECT_NE(g_pfSource, nullptr);
    streams.KeepOpen();
    ResetProgramState();
}

TEST(EnterInAGoToBox, RunsItsGoToInsteadOfEndingTheProgram) {
    ResetProgramState();
    bool found = false, refused = false;
    INT_PTR result = RunMainDialog(
        [&](HWND dialog) {
            HWND goToBox = ::GetDlgItem(dialog, IDC_SOURCE_GOTO_BOX);
            ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(goToBox), TRUE);
            PressKey(dialog, VK_RETURN);
            // Nothing is open, so the go-to refuses with its message.
            HWND box = WaitForWindow(L"Alerta", 5000);
            refused = box != nullptr;
            if (box != nullptr) {
                PressKey(box, VK_RETURN);
            }
            Click(dialog, IDC_EXIT);
        },
        &found);
    EXPECT_TRUE(refused);
    EXPECT_EQ(result, IDCANCEL) << "ended by SORTIR, not by Enter";
}

// Right after start-up the focus is on the first "Buscar...": Enter presses it, as a click would,
// and the program goes on.
TEST(EnterAtStartUp, PressesTheFocusedButtonAndTheProgramGoesOn) {
    ResetProgramState();
    bool found = false, opened = false;
    std::wstring focused;
    INT_PTR result = RunMainDialog(
        [&](HWND dialog) {
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info);
            focused = WindowText(info.hwndFocus);
            PressKey(dialog, VK_RETURN);
            HWND files = WaitForWindow(L"Obre Fitxer...", 10000);
            opened = files != nullptr;
            if (files != nullptr) {
                ::PostMessageW(files, WM_COMMAND, IDCANCEL, 0);
                WaitUntilClosed(files);
            }
            EXPECT_TRUE(::IsWindow(dialog));
            Click(dialog, IDC_EXIT);
        },
        &found);
    EXPECT_EQ(focused, L"Buscar...");
    EXPECT_TRUE(opened) << "the source's file dialog";
    EXPECT_EQ(result, IDCANCEL) << "ended by SORTIR, not by Enter";
}
