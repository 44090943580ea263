#include "BrowserFixture.h"

#include "platform/FilePaths.h"

#include "app/ProgramState.h"
#include "dialogs/QuestionDlg.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::string UnixPath(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unix = toUnix != nullptr ? toUnix(Widen(windowsPath).c_str()) : nullptr;
    std::string path = unix != nullptr ? unix : "";
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return path;
}

// ImageMagick's reading of a picture: width x height pixels as 0xRRGGBB, top row first. Wine
// starts Linux programs without a handle to wait on: the output is awaited by its size.
std::vector<unsigned> ReadBack(const std::string& png, int width, int height) {
    std::string raw = png + ".rgb";
    std::wstring command = std::wstring(BRELT_IMAGEMAGICK) + L" " + Widen(UnixPath(png)) +
                           L" rgb:" + Widen(UnixPath(raw));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return {};
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    const auto bytes = static_cast<std::uintmax_t>(width) * height * 3;
    std::error_code error;
    // Written whole once its size is; ImageMagick writes the raw pixels in one go.
    Eventually([&] { return fs::file_size(raw, error) == bytes; }, 20000);
    std::ifstream in(raw, std::ios::binary);
    Bytes rgb((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<unsigned> pixels;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
        pixels.push_back(static_cast<unsigned>(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]));
    }
    return pixels;
}

} // namespace

class Export : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        fs::create_directories(folder_);
        TestModalAnswers().folderDialog = [this](const std::string&, const std::string& initial) {
            initialFolders_.push_back(initial);
            return folder_;
        };
    }
    void TearDown() override {
        BrowserTest::TearDown();
        fs::remove_all(folder_);
    }
    std::string folder_ =
        (fs::temp_directory_path() / ("brelt-export-" + std::to_string(::GetTickCount()))).string();
    std::vector<std::string> initialFolders_;
};

TEST_F(Export, EveryImageAndAPrintableSheetReadBackInImageMagick) {
    Bytes collection = MakeCollection(202752, 111);
    ScratchFile file(collection);
    std::string stem = file.Path().substr(file.Path().find_last_of('\\') + 1);
    stem = stem.substr(0, stem.rfind('.'));
    Open(IDC_OPEN_SOURCE, file.Path());
    Command(IDC_SOURCE_SLOT1);
    Command(ID_EXPORT_COLLECTION_PNG);
    // A success, told as one: what was written and where.
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].caption, "brelt");
    EXPECT_EQ(messages_[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(messages_[0].text, "S'han desat les 98 imatges, de " + stem + "-001.png a " + stem +
                                     "-098.png, i el full " + stem + "-full.png a la carpeta " +
                                     folder_ + ".");
    EXPECT_EQ(FileCount(folder_), 99) << "98 images and the sheet";
    for (int image : {1, 50, 98}) {
        char name[16];
        std::snprintf(name, sizeof name, "-%03d.png", image);
        EXPECT_EQ(ReadBack(folder_ + "\\" + stem + name, 32, 32), ImageColours(collection, image))
            << image;
    }
    // The sheet: 14 columns of 136 x 160 pixels, each image at four times its size.
    std::vector<unsigned> sheet = ReadBack(folder_ + "\\" + stem + "-full.png", 14 * 136, 7 * 160);
    ASSERT_EQ(sheet.size(), 14u * 136 * 7 * 160);
    std::vector<unsigned> colours = ImageColours(collection, 16); // row 1, column 1
    bool same = true;
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            same =
                same && sheet[static_cast<std::size_t>((160 + 2 + y) * 14 * 136 + 136 + 2 + x)] ==
                            colours[(y / 4) * 32 + x / 4];
        }
    }
    EXPECT_TRUE(same) << "image 16 at four times its size";
    EXPECT_EQ(sheet[0], 0xFFFFFFu) << "on white";

    // Files already there: one question, and "NO" writes nothing.
    fs::path first = fs::path(folder_) / (stem + "-001.png");
    fs::resize_file(first, 10);
    Command(ID_EXPORT_COLLECTION_PNG);
    EXPECT_EQ(dialogsShown_, std::vector<UINT>{IDD_QUESTION_DIALOG});
    EXPECT_EQ(fs::file_size(first), 10u);
    // The Pictures folder first, then the folder used last.
    EXPECT_EQ(initialFolders_, (std::vector<std::string>{PicturesFolder(), folder_}));
}

TEST_F(Export, OneImageUnderTheNameProposed) {
    Bytes collection = MakeCollection(202752, 112);
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"7");
    std::string proposed, initial, path = folder_ + "\\segell.png";
    TestModalAnswers().fileDialog = [&](CFileDialog& dialog) {
        proposed = dialog.GetInitialFileName();
        initial = dialog.GetInitialFolder();
        dialog.SetChosenPath(path);
        return static_cast<INT_PTR>(IDOK);
    };
    Command(ID_SAVE_IMAGE_PNG);
    EXPECT_EQ(initial, PicturesFolder());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].caption, "brelt");
    EXPECT_EQ(messages_[0].text,
              "S'ha desat la imatge 7 com a segell.png a la carpeta " + folder_ + ".");
    std::string stem = file.Path().substr(file.Path().find_last_of('\\') + 1);
    EXPECT_EQ(proposed, stem.substr(0, stem.rfind('.')) + "-007.png");
    EXPECT_EQ(ReadBack(path, 32, 32), ImageColours(collection, 7));
}

// The round trip through any paint program: brelt's sheet of a whole collection, imported into
// another, gives back exactly the stamps it shows.
TEST_F(Export, BreltsOwnSheetImportsBackAsExactlyTheStampsItShows) {
    Bytes source = MakeCollection(260096, 113), collection = MakeCollection(260096, 114);
    ScratchFile sourceFile(source), targetFile(collection);
    std::string stem = sourceFile.Path().substr(sourceFile.Path().find_last_of('\\') + 1);
    stem = stem.substr(0, stem.rfind('.'));
    Open(IDC_OPEN_SOURCE, sourceFile.Path());
    Command(IDC_SOURCE_SLOT1);
    Command(ID_EXPORT_COLLECTION_PNG);
    Open(IDC_OPEN_TARGET, targetFile.Path());
    GoTo(IDC_TARGET_GOTO_BOX,
         L"12"); // the sheet of a whole collection still goes back from image 1
    std::string sheet = folder_ + "\\" + stem + "-full.png";
    TestModalAnswers().fileDialog = [&](CFileDialog& dialog) {
        dialog.SetChosenPath(sheet);
        return static_cast<INT_PTR>(IDOK);
    };
    TestModalAnswers().dialog = nullptr;
    std::wstring summary, first, question;
    WindowDriver driver(L"Importa un full de segells", [&](HWND dialog) {
        summary = WindowText(::GetDlgItem(dialog, IDC_SHEET_SUMMARY));
        first = WindowText(::GetDlgItem(dialog, IDC_SHEET_FIRST_IMAGE));
        Click(dialog, IDOK);
    });
    WindowDriver confirm(L"Avís", [&](HWND dialog) {
        question = WindowText(::GetDlgItem(dialog, IDC_QUESTION_TEXT));
        Click(dialog, IDOK);
    });
    Command(ID_IMPORT_SHEET);
    ASSERT_TRUE(driver.Found());
    ASSERT_TRUE(confirm.Found());
    EXPECT_EQ(first, L"1");
    EXPECT_EQ(summary, L"Es substituiran les imatges 1 a 126.\nÉs un full de brelt: es llegirà "
                       L"tal com es va desar.");
    std::string targetName = targetFile.Path().substr(targetFile.Path().find_last_of('\\') + 1);
    EXPECT_EQ(question, L"Es substituiran les imatges 1 a 126 de " + Widen(targetName) +
                            L".\n\nVoleu continuar?");
    Bytes expected = collection;
    for (int image = 1; image <= 126; ++image) { // as shown: bit 15 is not in a picture
        SetPixelArea(expected, image, Expected16From24(Expected24From16(PixelArea(source, image))));
    }
    EXPECT_EQ(targetFile.Read(), expected);
    ASSERT_EQ(messages_.size(), 2u) << "the export's, then the import's";
    EXPECT_EQ(messages_[1].text, "S'han importat 126 segells del full, a les imatges 1 a 126.");
    Command(ID_UNDO);
    EXPECT_EQ(targetFile.Read(), collection) << "one undo step";
}

// A sheet with more cells than the collection has images from the first one: the question names
// the images replaced and the cells left out, "NO" first, and "NO" writes nothing.
TEST_F(Export, ASheetThatDoesNotFitAsksNamingTheCellsLeftOut) {
    Bytes source = MakeCollection(260096, 116), collection = MakeCollection(202752, 117);
    ScratchFile sourceFile(source), targetFile(collection);
    std::string stem = sourceFile.Path().substr(sourceFile.Path().find_last_of('\\') + 1);
    stem = stem.substr(0, stem.rfind('.'));
    Open(IDC_OPEN_SOURCE, sourceFile.Path());
    Command(IDC_SOURCE_SLOT1);
    Command(ID_EXPORT_COLLECTION_PNG);
    Open(IDC_OPEN_TARGET, targetFile.Path());
    TestModalAnswers().fileDialog = [&](CFileDialog& dialog) {
        dialog.SetChosenPath(folder_ + "\\" + stem + "-full.png");
        return static_cast<INT_PTR>(IDOK);
    };
    std::string question;
    bool noFirst = false;
    TestModalAnswers().dialog = [&](CDialog& dialog) -> INT_PTR {
        if (auto* asked = dynamic_cast<CQuestionDlg*>(&dialog)) {
            question = asked->GetQuestion();
            noFirst = asked->GetDefault() == CQuestionDlg::Default::No;
            return IDCANCEL;
        }
        return ModalAnswers::kShowIt;
    };
    WindowDriver driver(L"Importa un full de segells", [&](HWND dialog) { Click(dialog, IDOK); });
    Command(ID_IMPORT_SHEET);
    ASSERT_TRUE(driver.Found());
    std::string targetName = targetFile.Path().substr(targetFile.Path().find_last_of('\\') + 1);
    EXPECT_EQ(question, "Es substituiran les imatges 1 a 98 de " + targetName +
                            ".\nLes caselles 99 a 126 del full no hi caben, després de l'última "
                            "imatge, i es deixaran fora.\n\nVoleu continuar?");
    EXPECT_TRUE(noFirst);
    EXPECT_EQ(targetFile.Read(), collection) << "NO writes nothing";
}

// The overview's selection, in the order of the collection, under the images' own numbers.
TEST_F(Export, TheOverviewsSelectionUnderTheImagesNumbers) {
    Bytes collection = MakeCollection(202752, 115);
    ScratchFile file(collection);
    std::string name = file.Path().substr(file.Path().find_last_of('\\') + 1);
    std::string stem = name.substr(0, name.rfind('.'));
    Open(IDC_OPEN_TARGET, file.Path());
    TestModalAnswers().dialog = [](CDialog&) { return ModalAnswers::kShowIt; };
    WindowDriver driver(Widen(name), [&](HWND dialog) {
        HWND grid = ::FindWindowExW(dialog, nullptr, L"BreltOverviewGrid", nullptr);
        // A click on 8, then Ctrl and a click on 3.
        for (auto [x, keys] : {std::pair{7 * 68 + 34, 0}, std::pair{2 * 68 + 34, MK_CONTROL}}) {
            ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, 34));
            ::SendMessageW(grid, WM_LBUTTONUP, keys, MAKELPARAM(x, 34));
        }
        ::SendMessageW(grid, WM_COMMAND, ID_OVERVIEW_EXPORT, 0);
        ::SendMessageW(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    Command(ID_SHOW_OVERVIEW);
    ASSERT_TRUE(driver.Found());
    EXPECT_EQ(FileCount(folder_), 2) << "two images and no sheet";
    EXPECT_EQ(ReadBack(folder_ + "\\" + stem + "-003.png", 32, 32), ImageColours(collection, 3));
    EXPECT_EQ(ReadBack(folder_ + "\\" + stem + "-008.png", 32, 32), ImageColours(collection, 8));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].caption, "brelt");
    EXPECT_EQ(messages_[0].text, "S'han desat les imatges 3 i 8 a la carpeta " + folder_ +
                                     ", cadascuna amb el seu número al nom, com ara " + stem +
                                     "-003.png.");
}
