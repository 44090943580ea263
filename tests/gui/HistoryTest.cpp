#include "BrowserFixture.h"

#include "app/ProgramState.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include "collection/FileContent.h"
#include "platform/FilePaths.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

// Every change in these tests is backed up into a LOCALAPPDATA of the test's own.
class History : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        fs::create_directories(local_);
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", Widen(local_).c_str());
        TestModalAnswers().dialog = [](CDialog&) {
            g_bConfirmed = 1; // "SI" to the shift
            return static_cast<INT_PTR>(IDOK);
        };
    }
    void TearDown() override {
        BrowserTest::TearDown();
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", previous_.c_str());
        for (const std::wstring& path : FilesUnder(ExtendedPath(root_))) {
            ::DeleteFileW(path.c_str()) || ::RemoveDirectoryW(path.c_str());
        }
    }
    // The copies of every collection, found as the system lists folders whatever their length.
    std::vector<fs::path> Backups() const {
        std::vector<fs::path> copies;
        for (const std::wstring& file : FilesUnder(ExtendedPath(BackupFolder()))) {
            if (file.ends_with(L".sgc")) {
                copies.push_back(file);
            }
        }
        return copies;
    }
    // Every file under folder, then its folders, the deepest first.
    static std::vector<std::wstring> FilesUnder(const std::wstring& top) {
        std::vector<std::wstring> files, folders{top}, found{top};
        while (!folders.empty()) {
            std::wstring folder = folders.back();
            folders.pop_back();
            WIN32_FIND_DATAW entry{};
            HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
            for (BOOL more = search != INVALID_HANDLE_VALUE; more;
                 more = ::FindNextFileW(search, &entry)) {
                std::wstring name = entry.cFileName, path = folder + L"\\" + name;
                if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    files.push_back(path);
                } else if (name != L"." && name != L"..") {
                    folders.push_back(path);
                    found.push_back(path);
                }
            }
            if (search != INVALID_HANDLE_VALUE) {
                ::FindClose(search);
            }
        }
        std::sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.size() > b.size(); });
        files.insert(files.end(), found.begin(), found.end());
        return files;
    }
    static Bytes Read(const fs::path& copy) { return ReadWholeFile(Narrow(copy.wstring())).bytes; }
    std::string BackupFolder() const { return local_ + "\\brelt\\Còpies de seguretat"; }
    std::string root_ =
        (fs::temp_directory_path() / ("brelt-local-" + std::to_string(::GetTickCount()))).string();
    std::string local_ = root_;
    std::wstring previous_ = [] {
        wchar_t value[MAX_PATH] = {};
        ::GetEnvironmentVariableW(L"LOCALAPPDATA", value, MAX_PATH);
        return std::wstring(value);
    }();
};

TEST_F(History, EveryKindOfChangeIsUndoneAndRedoneToTheByteAfterOneBackup) {
    Bytes source = MakeCollection(202752, 141), collection = MakeCollection(202752, 142);
    ScratchFile sourceFile(source), file(collection),
        bitmap(BmpFile(32, 32, 24, 0, 40, PatternBytes(3072, 143)));
    Open(IDC_OPEN_SOURCE, sourceFile.Path());
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"20");
    std::vector<Bytes> states{collection};
    for (int command : {IDC_MOVE_IMAGE, IDC_MOVE_TO_COLLECTION,
                        IDC_SHIFT_COLLECTION}) { // the bitmap, the source image, the shift
        Command(command);
        states.push_back(file.Read());
        EXPECT_NE(states.back(), states[states.size() - 2]) << command;
    }
    EXPECT_EQ(Backups().size(), 1u) << "one copy, before the first change";
    for (int step = 3; step > 0; --step) {
        Command(ID_UNDO);
        EXPECT_EQ(file.Read(), states[step - 1]) << step;
    }
    for (int step = 1; step <= 3; ++step) {
        Command(ID_REDO);
        EXPECT_EQ(file.Read(), states[step]) << step;
    }
    EXPECT_TRUE(messages_.empty()) << (messages_.empty() ? "" : messages_[0].text);
    ExpectStrip(kTargetSlots, states[3], 20);
}

TEST_F(History, AFileChangedBehindBrelsBackOrWithoutABackupIsLeftAlone) {
    Bytes collection = MakeCollection(202752, 144);
    ScratchFile file(collection), bitmap(BmpFile(32, 32, 24));
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    Command(IDC_MOVE_IMAGE);
    std::FILE* other = std::fopen(file.Path().c_str(), "ab"); // another program adds a byte
    std::fputc('x', other);
    std::fclose(other);
    Bytes behind = file.Read();
    Command(ID_UNDO);
    EXPECT_EQ(file.Read(), behind);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].text.find("fora de brelt"), std::string::npos);

    // No folder can be made for the copies: the change is refused and nothing is written.
    ScratchFile fresh(collection);
    Open(IDC_OPEN_TARGET, fresh.Path());
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", L"Z:\\sys\\kernel");
    Command(IDC_MOVE_IMAGE);
    EXPECT_EQ(fresh.Read(), collection);
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[1].text.find("No s'ha pogut fer la còpia de seguretat de " + fresh.Path() +
                                     " a Z:\\sys\\kernel\\brelt\\Còpies de seguretat: "),
              0u)
        << messages_[1].text;
}

// Another program redraws image 5 between two moves, in the same second and at the same size:
// the second move backs its version up and forgets the history, so that no undo writes over it.
TEST_F(History, AnotherProgramsDrawingSurvivesEveryUndoAndIsBackedUp) {
    Bytes collection = MakeCollection(202752, 145);
    ScratchFile file(collection), bitmap(BmpFile(32, 32, 24, 0, 40, PatternBytes(3072, 146)));
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"5");
    Command(IDC_MOVE_IMAGE);
    Bytes theirs = file.Read();
    SetPixelArea(theirs, 5, PatternBytes(2048, 147));
    file.Write(theirs);
    GoTo(IDC_TARGET_GOTO_BOX, L"10");
    Command(IDC_MOVE_IMAGE);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].text.find(file.Path() + " havia canviat fora de brelt"),
              std::string::npos)
        << messages_[0].text;
    Command(ID_UNDO);
    Command(ID_UNDO);
    EXPECT_EQ(file.Read(), theirs) << "their image 5 stays, image 10 is back";
    EXPECT_EQ(messages_.size(), 1u);
    std::vector<fs::path> copies = Backups();
    ASSERT_EQ(copies.size(), 2u);
    // The newer copy: the later second, or within one second the one named "... (2).sgc".
    std::sort(copies.begin(), copies.end());
    const std::size_t first = copies[0].wstring().size(), second = copies[1].wstring().size();
    EXPECT_EQ(Read(first == second ? copies[1] : first > second ? copies[0] : copies[1]), theirs);
}

TEST_F(History, TheSourcePaneShowsEveryWriteToTheFileItShowsToo) {
    Bytes collection = MakeCollection(202752, 149);
    ScratchFile file(collection), bitmap(BmpFile(32, 32, 24, 0, 40, PatternBytes(3072, 150)));
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    Open(IDC_OPEN_SOURCE, file.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"3");
    Command(IDC_MOVE_IMAGE);
    Bytes moved = file.Read();
    ExpectStrip(kSourceSlots, moved, 1);
    Command(ID_UNDO);
    ExpectStrip(kSourceSlots, collection, 1);
    // What the source shows is what it copies: image 3 as the file holds it now.
    GoTo(IDC_SOURCE_GOTO_BOX, L"3");
    GoTo(IDC_TARGET_GOTO_BOX, L"4");
    Command(IDC_MOVE_TO_COLLECTION);
    EXPECT_EQ(PixelArea(file.Read(), 4), PixelArea(collection, 3));
}

TEST_F(History, OneCollectionUnderAnySpellingOfItsPathHasOneHistory) {
    Bytes collection = MakeCollection(202752, 151);
    ScratchFile file(collection), bitmap(BmpFile(32, 32, 24));
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    Command(IDC_MOVE_IMAGE);
    std::string folder = file.Path().substr(0, file.Path().find_last_of('\\'));
    std::string name = file.Path().substr(folder.size() + 1);
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    std::string spelled =
        folder + "\\.\\..\\" + folder.substr(folder.find_last_of('\\') + 1) + "\\" + upper;
    wchar_t shortName[MAX_PATH] = {};
    ::GetShortPathNameW(Widen(file.Path()).c_str(), shortName, MAX_PATH);
    EXPECT_EQ(CollectionKey(spelled), CollectionKey(file.Path()));
    EXPECT_EQ(CollectionKey(Narrow(shortName)), CollectionKey(file.Path())) << Narrow(shortName);
    Open(IDC_OPEN_TARGET, spelled);
    Command(ID_UNDO);
    EXPECT_EQ(file.Read(), collection);
    EXPECT_TRUE(messages_.empty()) << (messages_.empty() ? "" : messages_[0].text);
    EXPECT_EQ(Backups().size(), 1u);
}

TEST_F(History, CopiesAreMadeBeyondTheOldPathLimitToo) {
    local_ += "\\" + std::string(120, 'a') + "\\" + std::string(120, 'b');
    ASSERT_GT(BackupFolder().size(), static_cast<std::size_t>(MAX_PATH));
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", Widen(local_).c_str());
    Bytes collection = MakeCollection(202752, 152);
    ScratchFile file(collection), bitmap(BmpFile(32, 32, 24));
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    Command(IDC_MOVE_IMAGE);
    EXPECT_TRUE(messages_.empty()) << (messages_.empty() ? "" : messages_[0].text);
    EXPECT_NE(file.Read(), collection);
    std::vector<fs::path> copies = Backups();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(Read(copies[0]), collection);
}

// The keys follow a click: Ctrl+Z undoes after a click on a slot, and in a go-to box too.
TEST_F(History, CtrlZUndoesWhereverTheFocusIsAfterAClickOrInAGoToBox) {
    Bytes collection = MakeCollection(202752, 153);
    ScratchFile file(collection), bitmap(BmpFile(32, 32, 24, 0, 40, PatternBytes(3072, 154)));
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"4");
    Command(IDC_MOVE_IMAGE);
    Bytes changed = file.Read();
    ASSERT_NE(changed, collection);
    Press(IDC_TARGET_GOTO_BOX, 'Z', true); // in the go-to box
    EXPECT_EQ(file.Read(), collection);
    Press(IDC_TARGET_GOTO_BOX, 'Y', true);
    EXPECT_EQ(file.Read(), changed);
    ::SetFocus(::GetDlgItem(hwnd_, IDC_TARGET_GOTO_BOX));
    Command(IDC_TARGET_SLOT4); // a click on a slot takes the focus out of the box
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(hwnd_, IDC_TARGET_SLOT4));
    Press(IDC_TARGET_SLOT4, 'Z', true);
    EXPECT_EQ(file.Read(), collection);
    EXPECT_TRUE(messages_.empty());
}
