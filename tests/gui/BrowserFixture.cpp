#include "BrowserFixture.h"

#include "app/ProgramState.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include <objbase.h>

#include <filesystem>

void BrowserTest::SetUp() {
    ResetProgramState();
    // What brelt keeps of the user's (histories, copies, recent collections) in a folder of the
    // test's own, so that no test finds another's.
    static int tests = 0;
    local_ =
        (std::filesystem::temp_directory_path() /
         ("brelt-user-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++tests)))
            .string();
    std::filesystem::create_directories(local_);
    wchar_t previous[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"LOCALAPPDATA", previous, MAX_PATH);
    previousLocal_ = previous;
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", Widen(local_).c_str());
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // as the program does once
    TestModalAnswers().fileDialog = [this](CFileDialog& dialog) {
        lastFileDialogOpen_ = dialog.IsOpenDialog();
        lastFileDialogFlags_ = dialog.GetFlags();
        lastFileDialogFilter_ = dialog.GetFilter();
        lastFileDialogFolder_ = dialog.GetInitialFolder();
        lastFileDialogTitle_ = Widen(dialog.GetTitle());
        if (nextPath_.empty()) {
            return static_cast<INT_PTR>(IDCANCEL);
        }
        dialog.SetChosenPath(nextPath_);
        return static_cast<INT_PTR>(IDOK);
    };
    TestModalAnswers().messageBox = [this](const std::string& text, const std::string& caption,
                                           UINT type) {
        messages_.push_back({text, caption, type});
        return IDOK;
    };
    TestModalAnswers().dialog = [this](CDialog& dialog) {
        dialogsShown_.push_back(dialog.GetTemplateId());
        return static_cast<INT_PTR>(IDCANCEL);
    };
    ASSERT_TRUE(dialog_.Create());
    hwnd_ = dialog_.GetSafeHwnd();
}

void BrowserTest::TearDown() {
    TestModalAnswers() = {};
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", previousLocal_.c_str());
    for (std::FILE* stream : {g_pfSource, g_pfTarget, g_pfImage}) {
        if (stream != nullptr) {
            std::fclose(stream);
        }
    }
    ResetProgramState();
    if (::IsWindow(hwnd_)) {
        ::DestroyWindow(hwnd_); // its files closed, before its folder goes
    }
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(Widen(local_)), ignored);
}

void BrowserTest::Open(int button, const std::string& path) {
    nextPath_ = path;
    Command(button);
    nextPath_.clear();
}

void BrowserTest::Command(int id) {
    ::SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hwnd_, id)));
}

void BrowserTest::GoTo(int box, const std::wstring& text) {
    ::SetDlgItemTextW(hwnd_, box, text.c_str());
    Command(box == IDC_SOURCE_GOTO_BOX ? IDC_SOURCE_GOTO : IDC_TARGET_GOTO);
}

void BrowserTest::Press(int controlId, UINT key, bool control) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    BYTE before = keys[VK_CONTROL];
    keys[VK_CONTROL] = control ? 0x80 : 0;
    ::SetKeyboardState(keys);
    HWND focus = ::GetDlgItem(hwnd_, controlId);
    ::SetFocus(focus);
    MSG message{focus, WM_KEYDOWN, key, 1, 0, {}};
    if (!::CallMsgFilterW(&message, MSGF_DIALOGBOX)) {
        ::IsDialogMessageW(hwnd_, &message);
    }
    keys[VK_CONTROL] = before;
    ::SetKeyboardState(keys);
}

std::wstring BrowserTest::BoxText(int id) const {
    return WindowText(::GetDlgItem(hwnd_, id));
}

std::vector<unsigned> BrowserTest::SlotPixels(int slotId) const {
    auto bitmap = reinterpret_cast<HBITMAP>(
        ::SendMessageW(::GetDlgItem(hwnd_, slotId), STM_GETIMAGE, IMAGE_BITMAP, 0));
    return BitmapPixels(bitmap);
}

int BrowserTest::FramedSlot(const int (&slotIds)[5]) const {
    int framed = -1;
    for (int slot = 0; slot < 5; ++slot) {
        HWND control = ::GetDlgItem(hwnd_, slotIds[slot]);
        RECT r;
        ::GetClientRect(control, &r);
        HDC dc = ::GetDC(control);
        const POINT edge[] = {
            {0, 0},           {r.right - 1, 0}, {0, r.bottom - 1}, {r.right - 1, r.bottom - 1},
            {r.right / 2, 0}, {0, r.bottom / 2}};
        bool red = true;
        for (const POINT& p : edge) {
            red = red && ::GetPixel(dc, p.x, p.y) == RGB(255, 0, 0);
        }
        ::ReleaseDC(control, dc);
        if (red) {
            EXPECT_EQ(framed, -1) << "two frames in one pane";
            framed = slot;
        }
    }
    return framed;
}

void BrowserTest::ExpectStrip(const int (&slotIds)[5], const Bytes& collection, int first) const {
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_EQ(SlotPixels(slotIds[slot]), ImageColours(collection, first + slot))
            << "slot " << slot << " should show image " << first + slot;
    }
}

std::vector<unsigned> ImageColours(const Bytes& collection, int n) {
    Bytes area(2048, 0);
    long long start = sgc::RecordOffset(n);
    for (long i = 0; i < 2048; ++i) {
        if (start + i < static_cast<long long>(collection.size())) {
            area[static_cast<std::size_t>(i)] = collection[static_cast<std::size_t>(start + i)];
        }
    }
    Bytes bgr = Expected24From16(area);
    std::vector<unsigned> colours;
    for (std::size_t i = 0; i < bgr.size(); i += 3) {
        colours.push_back(static_cast<unsigned>(bgr[i + 2] << 16 | bgr[i + 1] << 8 | bgr[i]));
    }
    return colours;
}
