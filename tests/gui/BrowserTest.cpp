#include "BrowserFixture.h"

#include "app/DisplayFiles.h"
#include "app/LibraryFolder.h"
#include "app/ProgramFolder.h"
#include "app/ProgramState.h"
#include "res/resource.h"

namespace {

const int kSourceBox = IDC_SOURCE_GOTO_BOX, kTargetBox = IDC_TARGET_GOTO_BOX;

} // namespace

TEST_F(BrowserTest, OpeningShowsImagesOneToFiveFramesTheFirstAndNamesTheFile) {
    Bytes collection = MakeCollection(202752, 1);
    ScratchFile file(collection);
    Open(IDC_OPEN_SOURCE, file.Path());

    EXPECT_TRUE(lastFileDialogOpen_);
    EXPECT_EQ(lastFileDialogFlags_, 0x204u);
    EXPECT_EQ(lastFileDialogFilter_, "SGC Files (*.sgc)|*.sgc||");
    EXPECT_EQ(lastFileDialogTitle_, L"Obre Fitxer...");
    EXPECT_EQ(lastFileDialogFolder_, LibraryFolder());

    ASSERT_NE(g_pfSource, nullptr);
    EXPECT_EQ(g_nSourceCount, 98);
    EXPECT_EQ(g_nSourceFirst, 1);
    EXPECT_EQ(g_nSourceSel, 0);
    ExpectStrip(kSourceSlots, collection, 1);
    EXPECT_EQ(FramedSlot(kSourceSlots), 0);
    EXPECT_EQ(BoxText(kSourceBox), L"1");
    std::string name = file.Path().substr(file.Path().find_last_of('\\') + 1);
    EXPECT_EQ(WindowText(::GetDlgItem(hwnd_, IDC_SOURCE_NAME)), Widen(name));
    EXPECT_TRUE(g_strTargetPath.empty()) << "the source's path is not kept";

    EXPECT_EQ(FramedSlot(kTargetSlots), -1) << "the target pane is untouched";
    EXPECT_EQ(SlotPixels(IDC_TARGET_SLOT1), std::vector<unsigned>{});
    EXPECT_EQ(BoxText(kTargetBox), L"");

    Bytes target = MakeCollection(261119, 2);
    ScratchFile targetFile(target);
    Open(IDC_OPEN_TARGET, targetFile.Path());
    EXPECT_EQ(g_nTargetCount, 126);
    EXPECT_EQ(g_strTargetPath, targetFile.Path());
    ExpectStrip(kTargetSlots, target, 1);
    EXPECT_EQ(FramedSlot(kTargetSlots), 0);
    EXPECT_EQ(FramedSlot(kSourceSlots), 0) << "the source keeps its frame";
    EXPECT_EQ(BoxText(kTargetBox), L"1");
}

TEST_F(BrowserTest, TheImageCountFollowsTheSizeClass) {
    const std::pair<long, int> sizes[] = {
        {231424, 112}, {203776, 98}, {261119, 126}, {260095, 98}, {0, 98}};
    for (const auto& [size, count] : sizes) {
        ScratchFile file(MakeCollection(size));
        Open(IDC_OPEN_TARGET, file.Path());
        EXPECT_EQ(g_nTargetCount, count) << size << " bytes";
    }
}

TEST_F(BrowserTest, AnotherFileStartsThePaneAgainAtImageOne) {
    Bytes first = MakeCollection(202752, 3), second = MakeCollection(202752, 4);
    ScratchFile firstFile(first), secondFile(second);
    Open(IDC_OPEN_SOURCE, firstFile.Path());
    GoTo(kSourceBox, L"37");
    Command(IDC_SOURCE_SLOT4); // slot 4: image 40
    ASSERT_EQ(g_nSourceFirst, 40);
    Open(IDC_OPEN_SOURCE, secondFile.Path());
    EXPECT_EQ(g_nSourceFirst, 1);
    EXPECT_EQ(g_nSourceSel, 0);
    ExpectStrip(kSourceSlots, second, 1);
    EXPECT_EQ(FramedSlot(kSourceSlots), 0);
    Command(IDC_SOURCE_NEXT); // the strip scrolls under the frame
    EXPECT_EQ(g_nSourceFirst, 2);
    EXPECT_EQ(FramedSlot(kSourceSlots), 0);
    ExpectStrip(kSourceSlots, second, 2);
}

TEST_F(BrowserTest, ArrowsScrollTheStripUnderTheFrameAndMoveTheFrameAtTheEnds) {
    Bytes collection = MakeCollection(202752, 5);
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());

    Command(IDC_TARGET_PREV); // "<-" on image 1: nothing
    EXPECT_EQ(g_nTargetFirst, 1);
    EXPECT_EQ(FramedSlot(kTargetSlots), 0);

    Command(IDC_TARGET_SLOT4); // slot 4 of 1..5: image 4
    Command(IDC_TARGET_PREV);
    EXPECT_EQ(g_nTargetFirst, 3);
    EXPECT_EQ(FramedSlot(kTargetSlots), 2) << "the frame moves over unchanged pictures";
    ExpectStrip(kTargetSlots, collection, 1);

    GoTo(kTargetBox, L"6");
    Command(IDC_TARGET_PREV);
    EXPECT_EQ(g_nTargetFirst, 5);
    EXPECT_EQ(BoxText(kTargetBox), L"5");
    EXPECT_EQ(FramedSlot(kTargetSlots), 0);
    ExpectStrip(kTargetSlots, collection, 5);

    GoTo(kTargetBox, L"10");
    Command(IDC_TARGET_SLOT5); // image 14 in slot 5
    Command(IDC_TARGET_NEXT);
    EXPECT_EQ(g_nTargetFirst, 15);
    EXPECT_EQ(FramedSlot(kTargetSlots), 4);
    ExpectStrip(kTargetSlots, collection, 11);

    GoTo(kTargetBox, L"96");
    EXPECT_EQ(FramedSlot(kTargetSlots), 2);
    Command(IDC_TARGET_NEXT);
    EXPECT_EQ(FramedSlot(kTargetSlots), 3);
    Command(IDC_TARGET_NEXT);
    EXPECT_EQ(g_nTargetFirst, 98);
    EXPECT_EQ(FramedSlot(kTargetSlots), 4);
    Command(IDC_TARGET_NEXT); // the last image: nothing
    EXPECT_EQ(g_nTargetFirst, 98);
    EXPECT_EQ(BoxText(kTargetBox), L"98");
    ExpectStrip(kTargetSlots, collection, 94);
}

TEST_F(BrowserTest, GoToFillsTheStripFromTheNumberOrWithTheLastFive) {
    Bytes collection = MakeCollection(202752, 6);
    ScratchFile file(collection);
    Open(IDC_OPEN_SOURCE, file.Path());
    struct Case {
        const wchar_t* text;
        int current, first, slot;
    } cases[] = {{L"98", 98, 94, 4}, {L"94", 94, 94, 0}, {L"93", 93, 93, 0},
                 {L"1", 1, 1, 0},    {L" 7 ", 7, 7, 0},  {L"+50", 50, 50, 0}};
    for (const Case& c : cases) {
        GoTo(kSourceBox, c.text);
        SCOPED_TRACE(::testing::Message() << "go to '" << Narrow(c.text) << "'");
        EXPECT_EQ(g_nSourceFirst, c.current);
        EXPECT_EQ(g_nSourceSel, c.slot);
        EXPECT_EQ(FramedSlot(kSourceSlots), c.slot);
        EXPECT_EQ(BoxText(kSourceBox), std::to_wstring(c.current));
        ExpectStrip(kSourceSlots, collection, c.first);
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(BrowserTest, GoToRefusesWhatIsNoImageNumberAndChangesNothing) {
    Bytes collection = MakeCollection(202752, 7);
    ScratchFile file(collection);
    Open(IDC_OPEN_SOURCE, file.Path());
    GoTo(kSourceBox, L"20");
    for (const wchar_t* text :
         {L"0", L"-3", L"99", L"", L"abc", L"12abc", L"99999999999", L"1 2"}) {
        messages_.clear();
        GoTo(kSourceBox, text);
        SCOPED_TRACE(::testing::Message() << "go to '" << Narrow(text) << "'");
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0].text,
                  "No existeix cap imatge en la posició indicada o no s'ha carregat la col.lecció");
        EXPECT_EQ(messages_[0].caption, "Alerta");
        EXPECT_EQ(messages_[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(g_nSourceFirst, 20);
        EXPECT_EQ(BoxText(kSourceBox), text) << "the box keeps what was typed";
        ExpectStrip(kSourceSlots, collection, 20);
        EXPECT_EQ(FramedSlot(kSourceSlots), 0);
    }
}

TEST_F(BrowserTest, TheEndsOfLargerCollections) {
    for (const auto& [size, count] : {std::pair{231424L, 112}, std::pair{260096L, 126}}) {
        Bytes collection = MakeCollection(size, static_cast<unsigned>(count));
        ScratchFile file(collection);
        Open(IDC_OPEN_TARGET, file.Path());
        GoTo(kTargetBox, std::to_wstring(count));
        ExpectStrip(kTargetSlots, collection, count - 4);
        EXPECT_EQ(FramedSlot(kTargetSlots), 4);
        Command(IDC_TARGET_NEXT);
        EXPECT_EQ(g_nTargetFirst, count);
        messages_.clear();
        GoTo(kTargetBox, std::to_wstring(count + 1));
        EXPECT_EQ(messages_.size(), 1u);
    }
}

TEST_F(BrowserTest, SlotClicksMoveTheCurrentImageWithTheFrame) {
    Bytes collection = MakeCollection(202752, 8);
    ScratchFile file(collection);
    Open(IDC_OPEN_SOURCE, file.Path());
    GoTo(kSourceBox, L"11");
    Command(IDC_SOURCE_SLOT2); // slot 2: image 12
    Command(IDC_SOURCE_SLOT4); // slot 4
    EXPECT_EQ(g_nSourceFirst, 14);
    EXPECT_EQ(g_nSourceSel, 3);
    EXPECT_EQ(BoxText(kSourceBox), L"14");
    EXPECT_EQ(FramedSlot(kSourceSlots), 3);
    ExpectStrip(kSourceSlots, collection, 11);
}

TEST_F(BrowserTest, APaneWithoutACollectionShowsNoFrameAndLeavesTheOtherAlone) {
    ScratchFile file(MakeCollection());
    Open(IDC_OPEN_SOURCE, file.Path());
    Command(IDC_SOURCE_SLOT4); // source slot 4
    Command(IDC_TARGET_SLOT3); // target slot 3, nothing open there
    EXPECT_EQ(g_nTargetFirst, 2);
    EXPECT_EQ(g_nTargetSel, 2);
    EXPECT_EQ(BoxText(kTargetBox), L"2");
    EXPECT_EQ(FramedSlot(kTargetSlots), -1);
    EXPECT_EQ(FramedSlot(kSourceSlots), 3);
    Command(IDC_TARGET_NEXT); // arrows do nothing without a collection
    EXPECT_EQ(g_nTargetFirst, 2);
    GoTo(kTargetBox, L"3");
    EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(BrowserTest, EachPaneKeepsItsOwnStateAndFrame) {
    Bytes source = MakeCollection(202752, 9), target = MakeCollection(202752, 10);
    ScratchFile sourceFile(source), targetFile(target);
    Open(IDC_OPEN_SOURCE, sourceFile.Path());
    Open(IDC_OPEN_TARGET, targetFile.Path());
    GoTo(kSourceBox, L"30");
    Command(IDC_SOURCE_SLOT5); // source slot 5: image 34
    for (int id : {IDC_TARGET_NEXT, IDC_TARGET_NEXT, IDC_TARGET_SLOT3, IDC_TARGET_PREV}) {
        Command(id);
    }
    GoTo(kTargetBox, L"60");
    EXPECT_EQ(g_nSourceFirst, 34);
    EXPECT_EQ(FramedSlot(kSourceSlots), 4);
    ExpectStrip(kSourceSlots, source, 30);
    EXPECT_EQ(BoxText(kSourceBox), L"34");
    EXPECT_EQ(FramedSlot(kTargetSlots), 0);
    ExpectStrip(kTargetSlots, target, 60);
}

TEST_F(BrowserTest, TheSameFileCanBeOpenInBothPanes) {
    Bytes collection = MakeCollection(202752, 11);
    ScratchFile file(collection);
    Open(IDC_OPEN_SOURCE, file.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    ASSERT_NE(g_pfSource, nullptr);
    ASSERT_NE(g_pfTarget, nullptr);
    GoTo(kTargetBox, L"40");
    ExpectStrip(kSourceSlots, collection, 1);
    ExpectStrip(kTargetSlots, collection, 40);
}

TEST_F(BrowserTest, AReadOnlyCollectionIsWritableOnceOpenedWithEveryAttributeReset) {
    ScratchFile file(MakeCollection());
    std::wstring path = Widen(file.Path());
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                           FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    Open(IDC_OPEN_TARGET, file.Path());
    EXPECT_NE(g_pfTarget, nullptr);
    EXPECT_EQ(::GetFileAttributesW(path.c_str()) & kRestrictive, 0u);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(BrowserTest, AFileThatCannotBeOpenedLeavesThePaneAsItWas) {
    Bytes collection = MakeCollection(202752, 12);
    ScratchFile file(collection), locked(MakeCollection());
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(kTargetBox, L"25");
    std::FILE* before = g_pfTarget;

    HANDLE lock = ::CreateFileW(Widen(locked.Path()).c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    std::string missing = file.Path() + ".gone.sgc";
    for (const std::string& path : {missing, locked.Path()}) {
        messages_.clear();
        Open(IDC_OPEN_TARGET, path);
        ASSERT_EQ(messages_.size(), 1u) << path;
        EXPECT_EQ(messages_[0].caption, "Alerta");
        EXPECT_NE(messages_[0].text.find(path), std::string::npos) << "names the file";
        EXPECT_EQ(g_pfTarget, before);
        EXPECT_EQ(g_strTargetPath, file.Path());
        EXPECT_EQ(g_nTargetFirst, 25);
        EXPECT_EQ(BoxText(kTargetBox), L"25");
        ExpectStrip(kTargetSlots, collection, 25);
        EXPECT_EQ(FramedSlot(kTargetSlots), 0);
    }
    ::CloseHandle(lock);
}

TEST_F(BrowserTest, AShortFileShowsWhatIsMissingAsBlack) {
    Bytes shortFile = MakeCollection(sgc::RecordOffset(2) + 1000, 13);
    ScratchFile file(shortFile);
    Open(IDC_OPEN_SOURCE, file.Path());
    EXPECT_EQ(g_nSourceCount, 98);
    ExpectStrip(kSourceSlots, shortFile, 1); // the reference reads missing bytes as zeros too
    EXPECT_EQ(SlotPixels(IDC_SOURCE_SLOT5), std::vector<unsigned>(1024, 0));
    GoTo(kSourceBox, L"98");
    EXPECT_EQ(SlotPixels(IDC_SOURCE_SLOT5), std::vector<unsigned>(1024, 0));
}

TEST_F(BrowserTest, ShiftPreviewRepaintsFromTheSelectedSlotOn) {
    Bytes collection = MakeCollection(202752, 14);
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());
    for (int slot = 0; slot < 5; ++slot) {
        GoTo(kTargetBox, L"8");
        Command(kTargetSlots[slot]); // current image 8 + slot
        int current = 8 + slot;
        dialog_.ShowTargetShiftPreview();
        SCOPED_TRACE(::testing::Message() << "selected slot " << slot);
        for (int s = 0; s < 5; ++s) {
            int shown = s < slot ? 8 + s : s == slot ? current : current + (s - slot - 1);
            EXPECT_EQ(SlotPixels(kTargetSlots[s]), ImageColours(collection, shown)) << "slot " << s;
        }
    }
}

TEST_F(BrowserTest, FramesSurviveRepaintsAndRestoring) {
    ScratchFile file(MakeCollection());
    Open(IDC_OPEN_SOURCE, file.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    Command(IDC_SOURCE_SLOT3);
    ::RedrawWindow(hwnd_, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(FramedSlot(kSourceSlots), 2);
    EXPECT_EQ(FramedSlot(kTargetSlots), 0);
    ::ShowWindow(hwnd_, SW_MINIMIZE);
    ::ShowWindow(hwnd_, SW_RESTORE);
    ::UpdateWindow(hwnd_);
    EXPECT_EQ(FramedSlot(kSourceSlots), 2);
    EXPECT_EQ(FramedSlot(kTargetSlots), 0);
}

TEST_F(BrowserTest, EnterInAGoToBoxGoesToItsNumber) {
    ScratchFile file(MakeCollection());
    Open(IDC_OPEN_TARGET, file.Path());
    ::SetDlgItemTextW(hwnd_, kTargetBox, L"50");
    ::SetFocus(::GetDlgItem(hwnd_, kTargetBox));
    ::SendMessageW(hwnd_, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(g_nTargetFirst, 50);
    EXPECT_TRUE(::IsWindow(hwnd_)) << "the program goes on";
}

TEST(DisplayFiles, AreEachBreltsOwnEvenInTheProgramsFolderWhenThereIsNoTemporaryOne) {
    std::string own = "brelt-" + std::to_string(::GetCurrentProcessId()) + "\\xzzf.bmp";
    EXPECT_NE(DisplayFilePath("xzzf.bmp").find("\\Temp\\" + own), std::string::npos)
        << DisplayFilePath("xzzf.bmp");
    ScopedTempFolder unusable("C:\\" + std::string(300, 'x'));
    EXPECT_EQ(DisplayFilePath("xzzf.bmp"), ProgramFolder() + own);
}

TEST_F(BrowserTest, KeysMoveTheActivePaneAndStopAtItsEnds) {
    Bytes collection = MakeCollection(202752, 13);
    ScratchFile source(collection), target(collection);
    Open(IDC_OPEN_SOURCE, source.Path());
    Open(IDC_OPEN_TARGET, target.Path());
    Command(IDC_TARGET_SLOT3); // the target is the pane clicked last: image 3
    // Through the filter the dialog's modal loop runs before the dialog manager.
    auto press = [this](int focus, UINT key) {
        MSG message{::GetDlgItem(hwnd_, focus), WM_KEYDOWN, key, 1, 0, {}};
        if (!::CallMsgFilterW(&message, MSGF_DIALOGBOX)) {
            ::IsDialogMessageW(hwnd_, &message);
        }
    };
    const std::pair<UINT, int> steps[] = {{VK_HOME, 1},  {VK_LEFT, 1},   {VK_NEXT, 6},
                                          {VK_END, 98},  {VK_RIGHT, 98}, {VK_PRIOR, 93},
                                          {VK_RIGHT, 94}};
    for (auto [key, current] : steps) {
        press(IDC_MOVE_TO_COLLECTION, key);
        EXPECT_EQ(g_nTargetFirst, current) << key;
        EXPECT_EQ(FramedSlot(kTargetSlots), g_nTargetSel);
    }
    ExpectStrip(kTargetSlots, collection, 94 - g_nTargetSel);
    press(kTargetBox, VK_HOME);
    EXPECT_EQ(g_nTargetFirst, 94) << "a key in a go-to box is the box's";
    Command(IDC_SOURCE_SLOT2); // now the source: image 2
    press(IDC_MOVE_TO_COLLECTION, VK_END);
    EXPECT_EQ(g_nSourceFirst, 98);
    EXPECT_EQ(g_nTargetFirst, 94);
}
