#include "BrowserFixture.h"
#include "RunningProgram.h"

#include "app/HistoryFolder.h"
#include "app/ProgramState.h"
#include "collection/CollectionFormat.h"
#include "dialogs/CompareDlg.h"
#include "dialogs/VersionsDlg.h"
#include "platform/FilePaths.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include <chrono>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace {

class HistoryOnDisk : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        TestModalAnswers().dialog = [](CDialog&) {
            g_bConfirmed = 1;
            return static_cast<INT_PTR>(IDOK);
        };
    }
    // brelt ended ("SORTIR") and started again: what it knows now comes from the disk.
    void Restart() {
        Command(IDC_EXIT);
        next_ = std::make_unique<CBreltDlg>();
        ASSERT_TRUE(next_->Create());
        hwnd_ = next_->GetSafeHwnd();
    }
    std::unique_ptr<CBreltDlg> next_;
};

} // namespace

// Yesterday's last change undone today: the history outlives the window, each collection keeps
// its own, and a change to one never blocks another's undo.
TEST_F(HistoryOnDisk, EachCollectionKeepsItsOwnHistoryAcrossARestart) {
    Bytes first = MakeCollection(202752, 401), second = MakeCollection(202752, 402);
    ScratchFile a(first), b(second), bitmap(BmpFile(32, 32, 24));
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    Open(IDC_OPEN_TARGET, a.Path());
    Command(IDC_MOVE_IMAGE); // image 1 of a
    Bytes aChanged = a.Read();
    Open(IDC_OPEN_TARGET, b.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"7");
    Command(IDC_MOVE_IMAGE); // image 7 of b
    Open(IDC_OPEN_TARGET, a.Path());
    Press(IDC_TARGET_SLOT1, 'Z', true);
    EXPECT_EQ(a.Read(), first) << "a's own change undone, b's in the way";
    EXPECT_TRUE(messages_.empty()) << (messages_.empty() ? "" : messages_[0].text);
    Press(IDC_TARGET_SLOT1, 'Y', true);
    EXPECT_EQ(a.Read(), aChanged);

    Restart();
    Open(IDC_OPEN_TARGET, b.Path());
    Press(IDC_TARGET_SLOT1, 'Z', true);
    EXPECT_EQ(b.Read(), second) << "undone after the restart";
    Open(IDC_OPEN_TARGET, a.Path());
    Press(IDC_TARGET_SLOT1, 'Z', true);
    EXPECT_EQ(a.Read(), first);
    EXPECT_TRUE(messages_.empty()) << (messages_.empty() ? "" : messages_[0].text);
}

// A log that is damaged is said, set aside, and the collection works on with a history anew.
TEST_F(HistoryOnDisk, ADamagedLogIsSaidAndSetAside) {
    ScratchFile file(MakeCollection(202752, 403)), bitmap(BmpFile(32, 32, 24));
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    Command(IDC_MOVE_IMAGE);
    Restart();
    fs::path log;
    for (const auto& entry : fs::recursive_directory_iterator(Widen(local_))) {
        if (entry.path().filename() == L"historial-1.log") {
            log = entry.path();
        }
    }
    ASSERT_FALSE(log.empty());
    Bytes bytes = ReadWholeFile(Narrow(log.wstring())).bytes;
    bytes[bytes.size() / 2] ^= 0x40;
    ScratchFile::WriteAt(Narrow(log.wstring()), bytes);
    messages_.clear();
    Open(IDC_OPEN_TARGET, file.Path());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].text.find("és malmès"), std::string::npos) << messages_[0].text;
    EXPECT_EQ(messages_[0].caption, "Alerta");
    EXPECT_TRUE(fs::exists(log.wstring() + L".malmès"));
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    Command(IDC_MOVE_IMAGE);
    Press(IDC_TARGET_SLOT1, 'Z', true);
    EXPECT_EQ(messages_.size(), 1u) << "a new history works";
}

// A change that a crash cut short halfway through its images: the collection's opening takes
// it back whole and says so, with the change's name.
TEST_F(HistoryOnDisk, AChangeCutShortIsTakenBackAsTheCollectionOpensAndSaidSo) {
    Bytes collection = MakeCollection(260096, 405);
    ScratchFile file(collection);
    std::string key = CollectionKey(file.Path());
    history::Change change;
    change.what = "Elimina";
    Bytes torn = collection;
    for (int image = 1; image <= 126; ++image) {
        change.images.push_back(image);
        change.before.push_back(PixelArea(collection, image));
        change.after.emplace_back(2048, static_cast<std::uint8_t>(image));
        if (image <= 60) { // the crash came after 60 of the 126 images
            SetPixelArea(torn, image, change.after.back());
        }
    }
    {
        CollectionHistory journal(key, HistoryStorageMaker()(key, file.Path()));
        ASSERT_EQ(journal.Open(), CollectionHistory::Opened::Fine);
        ASSERT_TRUE(journal.BeginChange(change));
    }
    file.Write(torn);
    Open(IDC_OPEN_TARGET, file.Path());
    EXPECT_EQ(file.Read(), collection) << "taken back whole";
    ExpectStrip(kTargetSlots, collection, 1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].caption, "brelt");
    EXPECT_NE(messages_[0].text.find("«Elimina»"), std::string::npos) << messages_[0].text;
    EXPECT_NE(messages_[0].text.find("no ha quedat a mig fer"), std::string::npos);
    Press(IDC_TARGET_SLOT1, 'Z', true);
    EXPECT_EQ(file.Read(), collection) << "nothing of it is left to undo";
}

// "Versions anteriors...": one stamp of the session's first backup brought back, then undone.
TEST_F(HistoryOnDisk, OneStampOfABackupBroughtBackThenUndone) {
    Bytes collection = MakeCollection(202752, 404);
    ScratchFile file(collection), bitmap(BmpFile(32, 32, 24));
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    for (const wchar_t* image : {L"12", L"13"}) {
        GoTo(IDC_TARGET_GOTO_BOX, image);
        Command(IDC_MOVE_IMAGE);
    }
    Bytes changed = file.Read();
    TestModalAnswers().dialog = [](CDialog&) { return ModalAnswers::kShowIt; };
    std::vector<std::wstring> versions;
    bool compared = false;
    WindowDriver chooser(L"Versions anteriors", [&](HWND dialog) {
        HWND list = ::GetDlgItem(dialog, IDC_VERSIONS_LIST);
        int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[256] = {};
            ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            versions.push_back(text);
        }
        ::SendMessageW(list, LB_SETCURSEL, count - 1, 0); // the backup, the oldest
        Click(dialog, IDOK);
        // The comparison, captioned with the version: found by its grid.
        HWND compare = nullptr, grid = nullptr;
        Eventually([&] {
            compare = ::GetForegroundWindow();
            grid = ::FindWindowExW(compare, nullptr, L"BreltCompareGrid", nullptr);
            return grid != nullptr;
        });
        compared = grid != nullptr && WindowText(compare).ends_with(L"· Còpia de seguretat");
        RECT client;
        ::GetClientRect(grid, &client);
        int cell = client.right / 14, row = client.bottom / 7; // 98 images: 7 rows
        ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON,
                       MAKELPARAM(11 * cell + cell / 2, row / 2)); // image 12 alone
        Click(compare, grid != nullptr ? IDC_COMPARE_RESTORE_SELECTED : IDCANCEL);
    });
    Command(ID_PREVIOUS_VERSIONS);
    ASSERT_TRUE(chooser.Found());
    ASSERT_TRUE(compared);
    ASSERT_EQ(versions.size(), 3u) << "before each change, and the backup";
    EXPECT_NE(versions[0].find(L"Abans de «Moure Imatge a Col.lecció» (1 imatge)"),
              std::wstring::npos);
    Bytes expected = changed;
    SetPixelArea(expected, 12, PixelArea(collection, 12));
    EXPECT_EQ(file.Read(), expected) << "image 12 back, 13 as it was";
    ASSERT_FALSE(messages_.empty());
    EXPECT_EQ(messages_.back().caption, "brelt");
    Press(IDC_TARGET_SLOT1, 'Z', true);
    EXPECT_EQ(file.Read(), changed) << "undone like any change";
}

// brelt killed at a random instant of a reorder of all 126 images, again and again: the next
// brelt always finds the collection exactly as before or exactly as after, and says so when it
// had to take a change back.
TEST(HistoryCrash, AKillDuringAReorderOf126LeavesItWholeBeforeOrAfter) {
    fs::path root =
        fs::temp_directory_path() / (L"brelt-kill-" + std::to_wstring(::GetTickCount()));
    fs::create_directories(root / "Local");
    std::wstring previous = Widen(EnvironmentValue(L"LOCALAPPDATA"));
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", (root / "Local").wstring().c_str());
    std::mt19937 random(12345);
    int torn = 0, before = 0, after = 0;
    for (int run = 0; run < 20; ++run) {
        Bytes original = MakeCollection(260096, static_cast<unsigned>(500 + run));
        fs::path path = root / (L"c" + std::to_wstring(run) + L".sgc");
        ScratchFile::WriteAt(Narrow(path.wstring()), original);
        Bytes rotated = original; // images 1 to 63 dropped before 126: 64 to 125 move up
        for (int image = 1; image <= 125; ++image) {
            int from = image <= 62 ? image + 63 : image - 62;
            SetPixelArea(rotated, image, PixelArea(original, from));
        }
        {
            RunningProgram brelt(root.wstring(), BRELT_PROGRAM, L"\"" + path.wstring() + L"\"");
            ASSERT_TRUE(brelt.WaitForLabelText(IDC_TARGET_NAME, path.filename().wstring()));
            HWND main = brelt.MainWindow();
            brelt.PostClick(main, ID_SHOW_OVERVIEW);
            HWND overview = brelt.WaitForWindow(path.filename().wstring());
            ASSERT_NE(overview, nullptr);
            HWND grid = ::FindWindowExW(overview, nullptr, L"BreltOverviewGrid", nullptr);
            RECT client;
            ::GetClientRect(grid, &client);
            auto cell = [&](int image) {
                int w = client.right / 14, h = client.bottom / 9;
                return MAKELPARAM(((image - 1) % 14) * w + w / 2, ((image - 1) / 14) * h + h / 3);
            };
            ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, cell(1));
            ::SendMessageW(grid, WM_LBUTTONUP, 0, cell(1));
            ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, cell(63));
            ::SendMessageW(grid, WM_LBUTTONUP, MK_SHIFT, cell(63));
            ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, cell(30));
            ::SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON, cell(90));
            ::SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON, cell(126));
            ::PostMessageW(grid, WM_LBUTTONUP, 0, cell(126));
            // The kill at a random instant of the change: waited for on the clock, not slept.
            auto until =
                std::chrono::steady_clock::now() +
                std::chrono::microseconds(std::uniform_int_distribution<>(0, 150000)(random));
            while (std::chrono::steady_clock::now() < until) {
            }
            brelt.Kill();
        }
        Bytes killed = ScratchFile::ReadAt(Narrow(path.wstring()));
        bool wasTorn = killed != original && killed != rotated;
        torn += wasTorn;
        RunningProgram next(root.wstring(), BRELT_PROGRAM, L"\"" + path.wstring() + L"\"");
        ASSERT_TRUE(next.WaitForLabelText(IDC_TARGET_NAME, path.filename().wstring()));
        if (wasTorn) {
            HWND told = next.WaitForWindow(L"brelt", 20000);
            ASSERT_NE(told, nullptr) << "a collection taken back is said: run " << run;
            next.PostClick(told, IDOK);
        }
        Bytes settled = ScratchFile::ReadAt(Narrow(path.wstring()));
        EXPECT_TRUE(settled == original || settled == rotated) << "torn after run " << run;
        before += settled == original;
        after += settled == rotated;
    }
    std::printf("20 kills: %d torn as killed, all settled: %d before, %d after\n", torn, before,
                after);
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", previous.c_str());
    std::error_code ignored;
    fs::remove_all(root, ignored);
}
