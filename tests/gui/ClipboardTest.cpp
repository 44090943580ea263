#include "BrowserFixture.h"
#include "RunningProgram.h"

#include "app/ProgramState.h"
#include "collection/PixelAreas.h"
#include "dialogs/ConversionChoices.h"
#include "picture/StampBitmap.h"
#include "platform/Clipboard.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// Another program that has put something on the clipboard, for as long as the object lives.
class OtherProgramsClipboard {
public:
    OtherProgramsClipboard(const std::wstring& format, const std::string& file = {}) {
        std::wstring command = L"\"" + std::wstring(BRELT_CLIPBOARD_PUT) + L"\" " + format +
                               (file.empty() ? L"" : L" \"" + Widen(file) + L"\"");
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &process_);
        // Ready once it has emptied the clipboard, put what it holds and closed it again.
        Eventually(
            [&] {
                if (::GetClipboardSequenceNumber() == before_ ||
                    (format != L"EMPTY" && ::CountClipboardFormats() == 0) ||
                    !::OpenClipboard(nullptr)) {
                    return false;
                }
                ::CloseClipboard();
                return true;
            },
            10000);
    }
    ~OtherProgramsClipboard() {
        ::TerminateProcess(process_.hProcess, 0);
        ::WaitForSingleObject(process_.hProcess, 5000);
        ::CloseHandle(process_.hThread);
        ::CloseHandle(process_.hProcess);
    }

private:
    DWORD before_ = ::GetClipboardSequenceNumber();
    PROCESS_INFORMATION process_{};
};

Bytes Le32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

// A packed DIB of a 40 x 30 picture: the left half red, the right half half-transparent blue.
Bytes Dib(int bits, bool topDown, std::uint32_t headerSize) {
    Bytes dib(headerSize, 0);
    PutLittleEndian(dib, 0, headerSize, 4);
    PutLittleEndian(dib, 4, 40, 4);
    PutLittleEndian(dib, 8, static_cast<std::uint32_t>(topDown ? -30 : 30), 4);
    PutLittleEndian(dib, 12, 1, 2);
    PutLittleEndian(dib, 14, static_cast<std::uint32_t>(bits), 2);
    PutLittleEndian(dib, 16, 3, 4); // bit fields
    const std::uint32_t masks32[] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    const std::uint32_t masks16[] = {0xF800, 0x07E0, 0x001F, 0};
    const std::uint32_t* masks = bits == 32 ? masks32 : masks16;
    for (int i = 0; i < (headerSize > 40 ? 4 : 3); ++i) {
        Bytes mask = Le32(masks[i]);
        if (headerSize > 40) {
            std::copy(mask.begin(), mask.end(), dib.begin() + 40 + 4 * i);
        } else {
            dib.insert(dib.end(), mask.begin(), mask.end());
        }
    }
    for (int row = 0; row < 30; ++row) {
        for (int x = 0; x < 40; ++x) {
            bool red = x < 20;
            std::uint32_t pixel =
                bits == 32 ? (red ? 0xFFFF0000u : 0x800000FFu) : (red ? 0xF800u : 0x001Fu);
            Bytes bytes = Le32(pixel);
            dib.insert(dib.end(), bytes.begin(), bytes.begin() + bits / 8);
        }
    }
    return dib;
}

// ImageMagick's own decoding of a picture of the test's (red, green, blue, alpha).
picture::Picture DecodedByImageMagick(const std::string& name, int width, int height) {
    std::ifstream in(
        std::filesystem::u8path(std::string(BRELT_PICTURES_DIR) + "/" + name + ".rgba"),
        std::ios::binary);
    picture::Picture p{width, height,
                       Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())};
    for (std::size_t i = 0; i + 3 < p.bgra.size(); i += 4) {
        std::swap(p.bgra[i], p.bgra[i + 2]);
    }
    return p;
}

picture::Picture HalvesPicture(bool transparentBlue) {
    picture::Picture p{40, 30, std::vector<std::uint8_t>(40 * 30 * 4)};
    for (int i = 0; i < 40 * 30; ++i) {
        bool red = i % 40 < 20;
        std::uint8_t* px = &p.bgra[static_cast<std::size_t>(i) * 4];
        px[0] = red ? 0 : 255, px[1] = 0, px[2] = red ? 255 : 0;
        px[3] = red || !transparentBlue ? 255 : 128;
    }
    return p;
}

} // namespace

// The clipboard against the real window, with the real conversion dialog.
class ClipboardTest : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        TestModalAnswers().dialog = nullptr;
        Open(IDC_OPEN_TARGET, target_.Path());
        GoTo(IDC_TARGET_GOTO_BOX, L"9");
    }
    // Pastes into image 9 and says whether the conversion dialog was shown (and accepted).
    bool PasteThroughConversion() {
        WindowDriver convert(L"Converteix la imatge en segell",
                             [](HWND dialog) { Click(dialog, IDOK); });
        Command(ID_PASTE_HERE);
        return convert.Found();
    }
    Bytes Stored(const picture::Picture& p) const {
        // As the conversion dialog starts: the margins of a picture with transparency trimmed.
        return picture::StampPixelArea(
            *picture::ConvertToStamp(p, StartingOptions(ConversionChoices{}, p)));
    }
    Bytes collection_ = MakeCollection(202752, 181);
    ScratchFile target_{collection_};
};

TEST_F(ClipboardTest, AStampCopiedFromOneCollectionPastesIntoAnotherExactly) {
    Bytes source = MakeCollection(202752, 182);
    ScratchFile sourceFile(source);
    Open(IDC_OPEN_SOURCE, sourceFile.Path());
    Command(IDC_SOURCE_SLOT3); // source image 3, the active pane
    Command(ID_COPY_IMAGE);
    {
        CClipboard clipboard(hwnd_);
        EXPECT_TRUE(clipboard.Has(CF_DIB));
        EXPECT_TRUE(clipboard.Has(CClipboard::PngFormat()));
    }
    Command(IDC_TARGET_SLOT1); // the target, image 9, now active
    Command(ID_PASTE_HERE);
    Bytes expected = collection_;
    // As stored, bit 15 aside: the picture copied is what the display shows.
    SetPixelArea(expected, 9, Expected16From24(Expected24From16(PixelArea(source, 3))));
    EXPECT_EQ(target_.Read(), expected);
    EXPECT_TRUE(messages_.empty()) << (messages_.empty() ? "" : messages_[0].text);
    Command(ID_UNDO);
    EXPECT_EQ(target_.Read(), collection_) << "one step";
}

TEST_F(ClipboardTest, EveryKindOfPictureAnotherProgramCopiesComesThroughTheConversion) {
    ScratchFile v5(Dib(32, true, 124)), rgb16(Dib(16, false, 40));
    const std::string png = std::string(BRELT_PICTURES_DIR) + "/clipart.png";
    const std::tuple<std::wstring, std::string, picture::Picture> cases[] = {
        {L"DIBV5", v5.Path(), HalvesPicture(true)},
        {L"DIB", rgb16.Path(), HalvesPicture(false)},
        {L"PNG", png, DecodedByImageMagick("clipart", 64, 48)}};
    for (const auto& [format, file, expected] : cases) {
        OtherProgramsClipboard other(format, file);
        EXPECT_TRUE(PasteThroughConversion()) << Narrow(format);
        EXPECT_EQ(PixelArea(target_.Read(), 9), Stored(expected)) << Narrow(format);
    }
    EXPECT_TRUE(messages_.empty()) << (messages_.empty() ? "" : messages_[0].text);
}

TEST_F(ClipboardTest, ALyingOrEmptyClipboardChangesNothingAndSaysWhy) {
    Bytes lying = Dib(32, false, 40);
    lying.resize(lying.size() - 40 * 4); // one row short of what its header claims
    ScratchFile short_(lying);
    {
        OtherProgramsClipboard other(L"DIB", short_.Path());
        Command(ID_PASTE_HERE);
    }
    {
        OtherProgramsClipboard other(L"EMPTY");
        Command(ID_PASTE_HERE);
    }
    EXPECT_EQ(target_.Read(), collection_);
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[0].text.find("La imatge del porta-retalls no es pot llegir"), 0u)
        << messages_[0].text;
    EXPECT_EQ(messages_[1].text, "El porta-retalls no conté cap imatge.");
    EXPECT_EQ(messages_[1].caption, "Alerta");
}

TEST_F(ClipboardTest, FilesCopiedInTheExplorerPasteAsADrop) {
    Bytes pixels = PatternBytes(3072, 183);
    ScratchFile bitmap(BmpFile(32, 32, 24, 0, 40, pixels));
    std::string named = bitmap.Path() + ".bmp";
    std::filesystem::copy_file(bitmap.Path(), named);
    {
        OtherProgramsClipboard other(L"HDROP", named);
        Command(ID_PASTE_HERE);
    }
    std::fclose(g_pfImage); // the picture dropped is held: let it go to remove it
    g_pfImage = nullptr;
    std::filesystem::remove(named);
    EXPECT_EQ(PixelArea(target_.Read(), 9), Expected16From24(ReverseRows(pixels, 96)));
}

// brelt started on files, as "Obre amb" and a drop on its icon do.
TEST(CommandLine, OpensACollectionAndAPictureAndSaysWhichFileIsMissing) {
    ScratchFile collection(MakeCollection(231424, 184)), bitmap(BmpFile(32, 32, 24));
    std::string sgc = collection.Path() + ".sgc", bmp = bitmap.Path() + ".bmp";
    std::filesystem::copy_file(collection.Path(), sgc);
    std::filesystem::copy_file(bitmap.Path(), bmp);
    std::wstring missing = L"C:\\no\\such\\file.sgc";
    std::wstring arguments =
        L"\"" + Widen(sgc) + L"\" \"" + Widen(bmp) + L"\" \"" + missing + L"\"";
    RunningProgram brelt(std::filesystem::temp_directory_path().wstring(), BRELT_PROGRAM,
                         arguments);
    ASSERT_NE(brelt.MainWindow(), nullptr);
    HWND message = brelt.WaitForWindow(L"Alerta", 20000);
    ASSERT_NE(message, nullptr) << "the missing file named";
    auto label = [&](int id) {
        wchar_t text[260] = {};
        ::SendMessageW(::GetDlgItem(brelt.MainWindow(), id), WM_GETTEXT, 260,
                       reinterpret_cast<LPARAM>(text));
        return std::wstring(text);
    };
    EXPECT_EQ(label(IDC_TARGET_NAME), Widen(sgc.substr(sgc.find_last_of('\\') + 1)))
        << "the target";
    EXPECT_EQ(label(IDC_IMAGE_NAME), Widen(bmp.substr(bmp.find_last_of('\\') + 1)))
        << "the image pane";
    brelt.Kill();
    std::filesystem::remove(sgc);
    std::filesystem::remove(bmp);
}
