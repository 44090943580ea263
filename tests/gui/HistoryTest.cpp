#include "BrowserFixture.h"

#include "app/ProgramState.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include <filesystem>

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
        fs::remove_all(local_);
    }
    // The copies of every collection.
    std::vector<fs::path> Backups() const {
        std::error_code ignored;
        std::vector<fs::path> copies;
        for (auto it = fs::recursive_directory_iterator(fs::u8path(BackupFolder()), ignored);
             !ignored && it != fs::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->path().extension() == ".sgc") {
                copies.push_back(it->path());
            }
        }
        return copies;
    }
    std::string BackupFolder() const { return local_ + "\\brelt\\Còpies de seguretat"; }
    std::string local_ =
        (fs::temp_directory_path() / ("brelt-local-" + std::to_string(::GetTickCount()))).string();
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
    Open(1002, sourceFile.Path());
    Open(1003, bitmap.Path());
    Open(1011, file.Path());
    GoTo(1013, L"20");
    std::vector<Bytes> states{collection};
    for (int command : {1014, 1015, 1035}) { // the bitmap, the source image, the shift
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
    Open(1003, bitmap.Path());
    Open(1011, file.Path());
    Command(1014);
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
    Open(1011, fresh.Path());
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", L"Z:\\sys\\kernel");
    Command(1014);
    EXPECT_EQ(fresh.Read(), collection);
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_NE(messages_[1].text.find("còpia de seguretat"), std::string::npos);
}
