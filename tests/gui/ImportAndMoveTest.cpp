#include "BrowserFixture.h"

#include "collection/FileOpen.h"

#include "app/ProgramState.h"
#include "res/resource.h"

#include <filesystem>

namespace {

const char* const kRefusal =
    "El fitxer de bitmap ha de ser de 32x32 pixels i de 24 bits de color per pixel";

// The colours a 24-bit bottom-up pixel block shows, top row first (0xRRGGBB).
std::vector<unsigned> BitmapColours(const Bytes& bottomUp) {
    Bytes topDown = ReverseRows(bottomUp, 96);
    std::vector<unsigned> colours;
    for (std::size_t i = 0; i < topDown.size(); i += 3) {
        colours.push_back(
            static_cast<unsigned>(topDown[i + 2] << 16 | topDown[i + 1] << 8 | topDown[i]));
    }
    return colours;
}

Bytes StoredFrom(const Bytes& bottomUp) {
    return Expected16From24(ReverseRows(bottomUp, 96));
}

} // namespace

class ImportAndMove : public BrowserTest {
protected:
    void Import(const std::string& path) { Open(IDC_LOAD_IMAGE, path); }
    // A target with images 11 to 15 in its slots and image 13 current.
    void OpenTargetAt13(const std::string& path) {
        Open(IDC_OPEN_TARGET, path);
        GoTo(IDC_TARGET_GOTO_BOX, L"11");
        Command(IDC_TARGET_SLOT3);
        ASSERT_EQ(g_nTargetFirst, 13);
    }
};

TEST_F(ImportAndMove, AnAcceptedBitmapIsShownNamedAndHeldForReadingOnly) {
    Bytes pixels = PatternBytes(3072, 41);
    ScratchFile bitmap(BmpFile(32, 32, 24, 0, 40, pixels));
    ::SetFileAttributesW(Widen(bitmap.Path()).c_str(), FILE_ATTRIBUTE_READONLY);
    Import(bitmap.Path());

    EXPECT_TRUE(lastFileDialogOpen_);
    EXPECT_EQ(lastFileDialogFlags_, 0x204u);
    EXPECT_EQ(lastFileDialogFilter_, "Imatges (*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff)|"
                                     "*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff|"
                                     "Tots els fitxers (*.*)|*.*||");
    EXPECT_EQ(lastFileDialogTitle_, L"Obre Fitxer...");
    EXPECT_EQ(lastFileDialogFolder_, "") << "no initial folder";
    EXPECT_TRUE(messages_.empty());
    ASSERT_NE(g_pfImage, nullptr);
    EXPECT_EQ(std::ftell(g_pfImage), 0);
    EXPECT_EQ(SlotPixels(IDC_IMAGE_PICTURE), BitmapColours(pixels));
    std::string name = bitmap.Path().substr(bitmap.Path().find_last_of('\\') + 1);
    EXPECT_EQ(WindowText(::GetDlgItem(hwnd_, IDC_IMAGE_NAME)), Widen(name));
    EXPECT_EQ(bitmap.Read(), BmpFile(32, 32, 24, 0, 40, pixels));
}

TEST_F(ImportAndMove, OtherPicturesAreOfferedForConversionAndUnreadableOnesRefused) {
    Bytes pixels = PatternBytes(3072, 42);
    ScratchFile good(BmpFile(32, 32, 24, 0, 40, pixels)), target(MakeCollection());
    // Decodable: offered, and cancelling changes nothing. Unreadable (a header that claims 32
    // bits a pixel over 3072 bytes would make the system's bitmap loader read past the end):
    // refused, and nothing is held afterwards.
    const std::pair<Bytes, bool> pictures[] = {
        {BmpFile(16, 16, 24, 0, 40, PatternBytes(768)), true},
        {BmpFile(64, 64, 24, 0, 40, PatternBytes(12288)), true},
        {BmpFile(32, -32, 24), true},
        {BmpFile(32, 32, 32), false},
        {Bytes(20, 'B'), false}};
    for (const auto& [content, offered] : pictures) {
        Import(good.Path());
        messages_.clear();
        dialogsShown_.clear();
        ScratchFile other(content);
        Import(other.Path());
        if (offered) {
            EXPECT_EQ(dialogsShown_, std::vector<UINT>{IDD_CONVERT_DIALOG});
            EXPECT_TRUE(messages_.empty());
            EXPECT_NE(g_pfImage, nullptr) << "cancelled: the earlier bitmap stays held";
            continue;
        }
        EXPECT_TRUE(dialogsShown_.empty());
        ASSERT_EQ(messages_.size(), 1u);
        // A bitmap keeps the refusal of old; what is no picture at all is called that.
        std::string name = other.Path().substr(other.Path().find_last_of('\\') + 1);
        EXPECT_EQ(messages_[0].text, content[0] == 'B' && content[1] == 'M'
                                         ? kRefusal
                                         : "No s'ha pogut llegir la imatge «" + name +
                                               "»: el fitxer és malmès o no és una imatge.");
        EXPECT_EQ(messages_[0].caption, "Alerta");
        EXPECT_EQ(messages_[0].type, static_cast<UINT>(MB_OK | MB_ICONHAND));
        EXPECT_EQ(g_pfImage, nullptr);
        EXPECT_EQ(SlotPixels(IDC_IMAGE_PICTURE), BitmapColours(pixels))
            << "the earlier picture stays";
    }
    Open(IDC_OPEN_TARGET, target.Path());
    Command(IDC_MOVE_IMAGE);
    EXPECT_EQ(target.Read(), MakeCollection()) << "no bitmap is held: the move does nothing";
}

// Wine's decoder is lenient: of the corpus's bad files it refuses the truncated and the
// impossible ones and decodes the rest as best it can.
TEST_F(ImportAndMove, TheBmpCorpusGoodFilesAreOfferedAndNoneCrashes) {
    int offered = 0, refused = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(BRELT_BMPSUITE_DIR)) {
        if (entry.path().extension() != ".bmp") {
            continue;
        }
        messages_.clear();
        dialogsShown_.clear();
        Import(entry.path().string());
        bool wasOffered = dialogsShown_.size() == 1;
        EXPECT_EQ(messages_.size() + dialogsShown_.size(), 1u) << entry.path();
        // Wine 8's decoder knows no 32-bit bitmap with bit fields and no alpha.
        if (entry.path().parent_path().filename() == "g" &&
            entry.path().filename() != "rgb32bf.bmp") {
            EXPECT_TRUE(wasOffered) << entry.path();
        }
        if (!wasOffered) {
            EXPECT_EQ(messages_.at(0).text, kRefusal) << entry.path();
        }
        (wasOffered ? offered : refused) += 1;
    }
    EXPECT_GE(offered + refused, 90);
}

TEST_F(ImportAndMove, AFileThatCannotBeOpenedIsReported) {
    ScratchFile file;
    Import(file.Path() + ".missing.bmp");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].text.find(".missing.bmp"), std::string::npos);
    EXPECT_EQ(g_pfImage, nullptr);
}

TEST_F(ImportAndMove, TheBitmapReplacesTheCurrentTargetImageOnly) {
    Bytes pixels = PatternBytes(3072, 43);
    Bytes collection = MakeCollection(203000, 44);
    ScratchFile bitmap(BmpFile(32, 32, 24, 0, 124, pixels, Bytes(300, 7))), target(collection);
    Import(bitmap.Path());
    OpenTargetAt13(target.Path());
    Command(IDC_MOVE_IMAGE);
    Bytes expected = collection;
    SetPixelArea(expected, 13, StoredFrom(pixels));
    EXPECT_EQ(target.Read(), expected);
    EXPECT_EQ(SlotPixels(IDC_TARGET_SLOT3), ImageColours(expected, 13));
    EXPECT_EQ(SlotPixels(IDC_TARGET_SLOT2), ImageColours(collection, 12))
        << "other slots keep theirs";
    EXPECT_EQ(SlotPixels(IDC_TARGET_SLOT4), ImageColours(collection, 14));
    EXPECT_EQ(FramedSlot(kTargetSlots), 2);
    Command(IDC_MOVE_IMAGE);
    EXPECT_EQ(target.Read(), expected) << "doing it twice is doing it once";
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ImportAndMove, AWhiteBitmapStoresWhitePixels) {
    ScratchFile bitmap(BmpFile(32, 32, 24, 0, 40, Bytes(3072, 255))), target(MakeCollection());
    Import(bitmap.Path());
    Open(IDC_OPEN_TARGET, target.Path());
    Command(IDC_MOVE_IMAGE);
    Bytes white;
    for (int i = 0; i < 1024; ++i) {
        white.insert(white.end(), {0x7F, 0xFF});
    }
    EXPECT_EQ(PixelArea(target.Read(), 1), white);
}

TEST_F(ImportAndMove, TheSourceImageIsCopiedAsStored) {
    Bytes source = MakeCollection(202752, 45), collection = MakeCollection(202752, 46);
    ScratchFile sourceFile(source), target(collection);
    Open(IDC_OPEN_SOURCE, sourceFile.Path());
    GoTo(IDC_SOURCE_GOTO_BOX, L"70");
    Command(IDC_SOURCE_SLOT4); // source image 73
    OpenTargetAt13(target.Path());
    Command(IDC_MOVE_TO_COLLECTION);
    Bytes expected = collection;
    SetPixelArea(expected, 13, PixelArea(source, 73));
    EXPECT_EQ(target.Read(), expected);
    EXPECT_EQ(sourceFile.Read(), source);
    EXPECT_EQ(SlotPixels(IDC_TARGET_SLOT3), ImageColours(source, 73));
    EXPECT_EQ(FramedSlot(kSourceSlots), 3);
    EXPECT_EQ(FramedSlot(kTargetSlots), 2);
}

TEST_F(ImportAndMove, WithoutATemporaryFileNothingIsWrittenAndTheSlotKeepsItsPicture) {
    Bytes collection = MakeCollection(202752, 48);
    ScratchFile bitmap(BmpFile(32, 32, 24, 0, 40, PatternBytes(3072, 50))), target(collection);
    Import(bitmap.Path());
    Open(IDC_OPEN_TARGET, target.Path());
    {
        ScopedTempFolder missing(target.Path() + ".missing");
        Command(IDC_MOVE_IMAGE);
    }
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].text.find("fitxer temporal"), std::string::npos) << messages_[0].text;
    EXPECT_EQ(target.Read(), collection);
    EXPECT_EQ(SlotPixels(IDC_TARGET_SLOT1), ImageColours(collection, 1));
}

TEST_F(ImportAndMove, WithinOneFileOpenInBothPanes) {
    Bytes collection = MakeCollection(202752, 47);
    ScratchFile file(collection);
    Open(IDC_OPEN_SOURCE, file.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"9");
    Command(IDC_MOVE_TO_COLLECTION); // image 1 over image 9
    Bytes expected = collection;
    SetPixelArea(expected, 9, PixelArea(collection, 1));
    EXPECT_EQ(file.Read(), expected);
    ExpectStrip(kSourceSlots, collection, 1); // the source pane keeps its pictures
    Command(IDC_SOURCE_SLOT1);                // the source pane reads what the target stream wrote
    GoTo(IDC_SOURCE_GOTO_BOX, L"9");
    EXPECT_EQ(SlotPixels(IDC_SOURCE_SLOT1), ImageColours(expected, 9));
}

TEST_F(ImportAndMove, NothingHappensWithoutWhatTheCommandNeeds) {
    Bytes collection = MakeCollection();
    ScratchFile target(collection), bitmap(BmpFile(32, 32, 24));
    Command(IDC_MOVE_IMAGE);
    Command(IDC_MOVE_TO_COLLECTION);
    Import(bitmap.Path());
    Command(IDC_MOVE_IMAGE); // no target
    Open(IDC_OPEN_TARGET, target.Path());
    Command(IDC_MOVE_TO_COLLECTION); // no source
    EXPECT_EQ(target.Read(), collection);
    EXPECT_TRUE(messages_.empty());
}

// A write that fails, as on a full disk: the target's stream is swapped for one that may only
// read the same file.
TEST_F(ImportAndMove, AFailedWriteIsReportedAndThePaneShowsTheFile) {
    Bytes collection = MakeCollection(202752, 51);
    ScratchFile bitmap(BmpFile(32, 32, 24, 0, 40, PatternBytes(3072, 49))), target(collection);
    Import(bitmap.Path());
    Open(IDC_OPEN_TARGET, target.Path());
    std::fclose(g_pfTarget);
    g_pfTarget = OpenFile(target.Path(), "rb");
    Command(IDC_MOVE_IMAGE);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].caption, "Alerta");
    EXPECT_EQ(messages_[0].type, static_cast<UINT>(MB_OK | MB_ICONHAND));
    EXPECT_NE(messages_[0].text.find("No s'ha pogut escriure la imatge 1 a " + target.Path()),
              std::string::npos)
        << messages_[0].text;
    EXPECT_EQ(target.Read(), collection);
    EXPECT_EQ(SlotPixels(IDC_TARGET_SLOT1), ImageColours(collection, 1)) << "what the file holds";
}
