#include "BrowserFixture.h"

#include "app/DisplayFiles.h"
#include "app/LibraryFolder.h"
#include "app/ProgramFolder.h"
#include "app/ProgramState.h"
#include "collection/FileOpen.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

Bytes ReadAll(const std::string& path) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

class Shift : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        // The confirmation dialog answers as told, and says which template it was made from.
        TestModalAnswers().dialog = [this](CDialog& dialog) {
            shownTemplate_ = dialog.GetTemplateId();
            previewAtAsking_ = ReadAll(DisplayFilePath("zzz.bmp"));
            g_bConfirmed = answer_;
            return static_cast<INT_PTR>(answer_ ? IDOK : IDCANCEL);
        };
    }
    int answer_ = 1;
    UINT shownTemplate_ = 0;
    Bytes previewAtAsking_;
};

TEST_F(Shift, AfterSiMovesTheImagesFromTheCurrentOneUpAndLosesTheLast) {
    Bytes collection = MakeCollection(203000, 51);
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"10");
    Command(IDC_SHIFT_COLLECTION);
    EXPECT_EQ(shownTemplate_, static_cast<UINT>(IDD_MSG_DIALOG));
    ASSERT_EQ(previewAtAsking_.size(), 3126u);
    EXPECT_EQ(Bytes(previewAtAsking_.begin() + 54, previewAtAsking_.end()),
              Expected24From16(ReverseRows(PixelArea(collection, 98), 64)))
        << "the preview is the image that will be lost";
    Bytes expected = collection;
    ShiftModel(expected, 98, 10);
    EXPECT_EQ(file.Read(), expected);
    ExpectStrip(kTargetSlots, expected, 10);
    EXPECT_EQ(FramedSlot(kTargetSlots), 0);
    EXPECT_EQ(g_nTargetFirst, 10);
    ASSERT_NE(g_pfTarget, nullptr) << "the collection was opened again";
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Shift, NoOrADialogThatCannotBeShownChangesNothing) {
    Bytes collection = MakeCollection(202752, 52);
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"40");
    answer_ = 0;
    Command(IDC_SHIFT_COLLECTION);
    EXPECT_EQ(shownTemplate_, static_cast<UINT>(IDD_MSG_DIALOG));
    EXPECT_EQ(file.Read(), collection);
    ExpectStrip(kTargetSlots, collection, 40);
    // Not shown at all (-1) after an earlier "SI": still no answer, so no shift.
    g_bConfirmed = 1;
    TestModalAnswers().dialog = [](CDialog&) { return static_cast<INT_PTR>(-1); };
    Command(IDC_SHIFT_COLLECTION);
    EXPECT_EQ(file.Read(), collection);
}

TEST_F(Shift, AtTheLastImageAsksAndMovesNothing) {
    Bytes collection = MakeCollection(202752, 53);
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"98");
    Command(IDC_SHIFT_COLLECTION);
    EXPECT_EQ(shownTemplate_, static_cast<UINT>(IDD_MSG_DIALOG));
    EXPECT_EQ(file.Read(), collection);
    EXPECT_NE(g_pfTarget, nullptr);
}

TEST_F(Shift, WithoutATargetAsksNothing) {
    Command(IDC_SHIFT_COLLECTION);
    EXPECT_EQ(shownTemplate_, 0u);
}

TEST_F(Shift, InTheSecondSlotRepeatsTheCurrentImageThenAMoveFillsTheRoom) {
    Bytes source = MakeCollection(202752, 54), collection = MakeCollection(202752, 55);
    ScratchFile sourceFile(source), file(collection);
    Open(IDC_OPEN_SOURCE, sourceFile.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"20");
    Command(IDC_TARGET_SLOT2); // current image 21 in the second slot
    Command(IDC_SHIFT_COLLECTION);
    Bytes shifted = collection;
    ShiftModel(shifted, 98, 21);
    EXPECT_EQ(SlotPixels(IDC_TARGET_SLOT1), ImageColours(collection, 20))
        << "the first slot is unchanged";
    EXPECT_EQ(SlotPixels(IDC_TARGET_SLOT2), ImageColours(collection, 21));
    EXPECT_EQ(SlotPixels(IDC_TARGET_SLOT3), ImageColours(collection, 21));
    EXPECT_EQ(SlotPixels(IDC_TARGET_SLOT4), ImageColours(collection, 22));
    Command(IDC_MOVE_TO_COLLECTION); // source image 1 goes in front of the images that moved
    SetPixelArea(shifted, 21, PixelArea(source, 1));
    EXPECT_EQ(file.Read(), shifted);
    EXPECT_EQ(PixelArea(shifted, 22), PixelArea(collection, 21));
}

// A write that fails, as on a full disk: the target's stream is swapped for one that may only
// read the same file. The shift stops at its first image, the last of the collection.
TEST_F(Shift, AFailedShiftIsReported) {
    Bytes collection = MakeCollection(202752, 58);
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"90");
    std::fclose(g_pfTarget);
    g_pfTarget = OpenFile(file.Path(), "rb");
    Command(IDC_SHIFT_COLLECTION);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].text.find("No s'han pogut escriure les imatges 91 a 98"),
              std::string::npos)
        << messages_[0].text;
    EXPECT_NE(g_pfTarget, nullptr) << "opened again all the same";
    EXPECT_EQ(file.Read(), collection);
    ExpectStrip(kTargetSlots, collection, 90);
}

TEST_F(Shift, TheRealConfirmationShowsTheImageAboutToBeLost) {
    TestModalAnswers().dialog = nullptr;
    Bytes collection = MakeCollection(202752, 56);
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"97");
    std::vector<unsigned> preview;
    WindowDriver driver(L"Avís", [&](HWND dialog) {
        auto bitmap = reinterpret_cast<HBITMAP>(
            ::SendMessageW(::GetDlgItem(dialog, IDC_PREVIEW), STM_GETIMAGE, IMAGE_BITMAP, 0));
        preview = BitmapPixels(bitmap);
        Click(dialog, IDOK);
    });
    Command(IDC_SHIFT_COLLECTION);
    ASSERT_TRUE(driver.Found());
    EXPECT_EQ(preview, ImageColours(collection, 98));
    Bytes expected = collection;
    ShiftModel(expected, 98, 97);
    EXPECT_EQ(file.Read(), expected);
}

class NewCollection : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        folder_ =
            (fs::temp_directory_path() / ("brelt-new-" + std::to_string(::GetCurrentProcessId())))
                .string();
        fs::create_directories(folder_);
        template_ = ReadAll(ProgramFolder() + "writeable.bin");
        ASSERT_EQ(template_.size(), 202752u) << "the build puts the template beside the tests";
    }
    void TearDown() override {
        BrowserTest::TearDown(); // closes the streams first: Windows removes no open file
        std::error_code ignored;
        fs::remove_all(fs::u8path(folder_), ignored);
    }
    std::string folder_;
    Bytes template_;
};

TEST_F(NewCollection, CopiesTheTemplateWithItsFirst98ImagesWhite) {
    // A template whose bytes all differ shows which of them the command touched.
    fs::path templatePath = fs::u8path(ProgramFolder() + "writeable.bin");
    Bytes patterned = MakeCollection(202752, 61);
    {
        std::ofstream out(templatePath, std::ios::binary);
        out.write(reinterpret_cast<const char*>(patterned.data()),
                  static_cast<long>(patterned.size()));
    }
    Open(IDC_GENERATE_COLLECTION, folder_ + "\\nova");
    {
        std::ofstream out(templatePath, std::ios::binary);
        out.write(reinterpret_cast<const char*>(template_.data()),
                  static_cast<long>(template_.size()));
    }
    EXPECT_FALSE(lastFileDialogOpen_) << "the save form";
    EXPECT_EQ(lastFileDialogFlags_, 0x204u);
    EXPECT_EQ(lastFileDialogFilter_, "SGC Files (*.sgc)|*.sgc||");
    EXPECT_EQ(lastFileDialogTitle_, L"Crea Fitxer...");
    EXPECT_EQ(lastFileDialogFolder_, LibraryFolder());
    EXPECT_EQ(g_strNewPath, ProgramFolder() + "writeable.bin");

    Bytes created = ReadAll(folder_ + "\\nova.sgc");
    ASSERT_EQ(created.size(), patterned.size());
    for (std::size_t i = 0; i < created.size(); ++i) {
        if (InPixelArea(static_cast<long long>(i), 98)) {
            ASSERT_EQ(created[i], (i - 36) % 2 == 0 ? 0x7F : 0xFF) << i;
        } else {
            ASSERT_EQ(created[i], patterned[i]) << i;
        }
    }
    EXPECT_EQ(g_pfTarget, nullptr) << "it opens in no pane";
    EXPECT_TRUE(messages_.empty());
}

TEST_F(NewCollection, FromAReadOnlyHiddenSystemTemplateIsAnOrdinaryWhiteCollection) {
    std::wstring templatePath = Widen(ProgramFolder() + "writeable.bin");
    ::SetFileAttributesW(templatePath.c_str(),
                         FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    Open(IDC_GENERATE_COLLECTION, folder_ + "\\nova");
    ::SetFileAttributesW(templatePath.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(::GetFileAttributesW(Widen(folder_ + "\\nova.sgc").c_str()) & kRestrictive, 0u);
    Bytes created = ReadAll(folder_ + "\\nova.sgc");
    ASSERT_EQ(created.size(), template_.size());
    Bytes white;
    for (int i = 0; i < 1024; ++i) {
        white.insert(white.end(), {0x7F, 0xFF});
    }
    EXPECT_EQ(PixelArea(created, 1), white);
    EXPECT_EQ(PixelArea(created, 98), white);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(NewCollection, KeepsAnyExtensionGivenAndOpensAs98WhiteImages) {
    Open(IDC_GENERATE_COLLECTION, folder_ + "\\nova.bin");
    EXPECT_TRUE(fs::exists(fs::u8path(folder_ + "\\nova.bin")));
    EXPECT_FALSE(fs::exists(fs::u8path(folder_ + "\\nova.bin.sgc")));
    Open(IDC_GENERATE_COLLECTION, folder_ + "\\altra.sgc");
    ASSERT_TRUE(fs::exists(fs::u8path(folder_ + "\\altra.sgc")));
    Open(IDC_OPEN_TARGET, folder_ + "\\altra.sgc");
    EXPECT_EQ(g_nTargetCount, 98);
    GoTo(IDC_TARGET_GOTO_BOX, L"98");
    for (int slot : kTargetSlots) {
        EXPECT_EQ(SlotPixels(slot), std::vector<unsigned>(1024, 0xFFFFFF));
    }
}

TEST_F(NewCollection, NeverOverwritesAnExistingFile) {
    std::string path = folder_ + "\\meva.sgc";
    Bytes mine = MakeCollection(202752, 62);
    {
        std::ofstream out(fs::u8path(path), std::ios::binary);
        out.write(reinterpret_cast<const char*>(mine.data()), static_cast<long>(mine.size()));
    }
    // Read-only and hidden: the existing file keeps its attributes as well as its bytes.
    ::SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    Open(IDC_GENERATE_COLLECTION, folder_ + "\\meva"); // the name the extension is added to
    Open(IDC_GENERATE_COLLECTION, path);
    EXPECT_EQ(ReadAll(path), mine);
    EXPECT_EQ(::GetFileAttributesW(Widen(path).c_str()) & kRestrictive,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_NE(messages_[0].text.find("ja existeix"), std::string::npos);
    ::SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(NewCollection, WithoutTheTemplateCreatesNothingAndSaysSo) {
    fs::path templatePath = fs::u8path(ProgramFolder() + "writeable.bin");
    fs::path aside = templatePath;
    aside += ".aside";
    fs::rename(templatePath, aside);
    Open(IDC_GENERATE_COLLECTION, folder_ + "\\nova");
    fs::rename(aside, templatePath);
    EXPECT_FALSE(fs::exists(fs::u8path(folder_ + "\\nova.sgc")));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].text.find("writeable.bin"), std::string::npos);
}

TEST_F(NewCollection, FindsTheTemplateFromAnyWorkingFolder) {
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ::SetCurrentDirectoryW(Widen(folder_).c_str());
    Open(IDC_GENERATE_COLLECTION, folder_ + "\\lluny");
    ::SetCurrentDirectoryW(previous);
    EXPECT_EQ(ReadAll(folder_ + "\\lluny.sgc").size(), template_.size());
}

TEST_F(NewCollection, CancellingOrAnEmptyNameDoesNothing) {
    Open(IDC_GENERATE_COLLECTION, "");
    Open(IDC_GENERATE_COLLECTION, folder_ + "\\");
    EXPECT_EQ(FileCount(folder_), 0);
    EXPECT_TRUE(messages_.empty());
}
