#include "AccessibleReading.h"
#include "BrowserFixture.h"
#include "RunningProgram.h"

#include "app/ProgramState.h"
#include "dialogs/QuestionDlg.h"
#include "editor/Pieces.h"
#include "picture/StampConversion.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

namespace {

const std::string kPictures = BRELT_PICTURES_DIR;

Bytes ReadFile(const std::string& path) {
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// ImageMagick's own decoding of a picture (red, green, blue, alpha) as the program's pixels.
picture::Picture DecodedByImageMagick(const std::string& name, int width, int height) {
    Bytes rgba = ReadFile(kPictures + "/" + name + ".rgba");
    picture::Picture p{width, height, rgba};
    for (std::size_t i = 0; i + 3 < p.bgra.size(); i += 4) {
        std::swap(p.bgra[i], p.bgra[i + 2]);
    }
    return p;
}

// What the collection stores for a stamp: its pixels as 16-bit words, top row first.
Bytes Stored(const picture::Stamp& stamp) {
    return Expected16From24(Bytes(stamp.begin(), stamp.end()));
}

// The options of a picture with transparency, unless the user chooses otherwise.
picture::StampOptions Trimmed() {
    picture::StampOptions options;
    options.trimMargins = true;
    return options;
}

// The stamp a preview shows at a whole zoom: the centre of each block, 0x00RRGGBB.
std::vector<unsigned> StampShownBy(HWND preview) {
    int width = 0, height = 0;
    std::vector<unsigned> pixels = BitmapPixels(
        reinterpret_cast<HBITMAP>(::SendMessageW(preview, STM_GETIMAGE, IMAGE_BITMAP, 0)), &width,
        &height);
    const int zoom = width / 32;
    std::vector<unsigned> stamp;
    for (int y = 0; zoom > 0 && width == 32 * zoom && height == width && y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            stamp.push_back(pixels[static_cast<std::size_t>((y * zoom + zoom / 2) * width +
                                                            x * zoom + zoom / 2)]);
        }
    }
    return stamp;
}

std::vector<unsigned> ColoursOf(const picture::Stamp& stamp) {
    std::vector<unsigned> colours;
    for (std::size_t i = 0; i < stamp.size(); i += 3) {
        colours.push_back(stamp[i + 2] << 16 | stamp[i + 1] << 8 | stamp[i]);
    }
    return colours;
}

// An EXIF block saying "turn clockwise to view", put in front of a JPEG's first segment.
Bytes WithOrientation6(const Bytes& jpeg) {
    const Bytes exif = {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0,    0,    'M', 'M',
                        0,    42,   0, 0,  0,   8,   0,   1,   0x01, 0x12, 0,   3,
                        0,    0,    0, 1,  0,   6,   0,   0,   0,    0,    0,   0};
    // The start of image, then the block, then the rest.
    Bytes file(jpeg.size() + exif.size());
    std::copy(jpeg.begin(), jpeg.begin() + 2, file.begin());
    std::copy(exif.begin(), exif.end(), file.begin() + 2);
    std::copy(jpeg.begin() + 2, jpeg.end(), file.begin() + 2 + static_cast<long>(exif.size()));
    return file;
}

} // namespace

// The real conversion dialog, answered as a user would.
class Conversion : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        TestModalAnswers().dialog = nullptr;
    }
    // Imports path through the conversion dialog, clicking the given options then "D'acord",
    // and writes the result into target image 1.
    void ConvertInto(const std::string& path, const ScratchFile& target,
                     std::initializer_list<int> options = {}) {
        WindowDriver driver(L"Converteix la imatge en segell", [&](HWND dialog) {
            shownChecks_ = {::IsDlgButtonChecked(dialog, IDC_CONVERT_FIT),
                            ::IsDlgButtonChecked(dialog, IDC_CONVERT_DITHER),
                            ::IsDlgButtonChecked(dialog, IDC_CONVERT_TRIM)};
            for (int option : options) {
                Click(dialog, option);
            }
            Click(dialog, IDOK);
        });
        Open(IDC_LOAD_IMAGE, path);
        ASSERT_TRUE(driver.Found());
        Open(IDC_OPEN_TARGET, target.Path());
        Command(IDC_MOVE_IMAGE);
    }
    std::tuple<UINT, UINT, UINT> shownChecks_; // "Encaixa", "Tramat", "Retalla els marges"
};

TEST_F(Conversion, ClipArtWithTransparencyIsStoredAsTheCoreConvertsIt) {
    ScratchFile target(MakeCollection());
    ConvertInto(kPictures + "/clipart.png", target);
    EXPECT_EQ(shownChecks_, (std::tuple<UINT, UINT, UINT>{BST_CHECKED, BST_UNCHECKED, BST_CHECKED}))
        << "Encaixa, no Tramat, and the margins of a picture with transparency trimmed";
    auto expected = picture::ConvertToStamp(DecodedByImageMagick("clipart", 64, 48), Trimmed());
    ASSERT_TRUE(expected);
    EXPECT_EQ(PixelArea(target.Read(), 1), Stored(*expected));
    EXPECT_EQ(WindowText(::GetDlgItem(hwnd_, IDC_IMAGE_NAME)), L"clipart.png")
        << "the original's name";
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Conversion, TheOptionsChosenAreTheStampStored) {
    ScratchFile target(MakeCollection());
    ConvertInto(kPictures + "/drawing.gif", target, {IDC_CONVERT_CROP, IDC_CONVERT_DITHER});
    EXPECT_EQ(std::get<2>(shownChecks_), static_cast<UINT>(BST_UNCHECKED)) << "an opaque picture";
    picture::StampOptions options;
    options.framing = picture::Framing::Crop;
    options.dither = true;
    auto expected = picture::ConvertToStamp(DecodedByImageMagick("drawing", 40, 30), options);
    ASSERT_TRUE(expected);
    EXPECT_EQ(PixelArea(target.Read(), 1), Stored(*expected));
}

// "Contorn fosc": the pale picture gets a black edge round what is not white, in the preview and
// in the stamp written.
TEST_F(Conversion, ContornFoscGivesThePictureADarkEdge) {
    ScratchFile target(MakeCollection());
    auto plain = picture::ConvertToStamp(DecodedByImageMagick("clipart", 64, 48), Trimmed());
    ASSERT_TRUE(plain);
    const picture::Stamp outlined = editor::WithDarkOutline(*plain);
    ASSERT_NE(outlined, *plain) << "the edge is there to be seen";
    std::vector<unsigned> previewed;
    WindowDriver driver(L"Converteix la imatge en segell", [&](HWND dialog) {
        Click(dialog, IDC_CONVERT_OUTLINE);
        previewed = StampShownBy(::GetDlgItem(dialog, IDC_CONVERT_STAMP));
        Click(dialog, IDOK);
    });
    Open(IDC_LOAD_IMAGE, kPictures + "/clipart.png");
    ASSERT_TRUE(driver.Found());
    EXPECT_EQ(previewed, ColoursOf(outlined));
    Open(IDC_OPEN_TARGET, target.Path());
    Command(IDC_MOVE_IMAGE);
    EXPECT_EQ(PixelArea(target.Read(), 1), Stored(outlined));
}

// The square dragged with the mouse to the right end, then moved back a stamp pixel with the
// arrow key: the stamp stored is what the square kept, and what the preview showed.
TEST_F(Conversion, TheCropSquareIsPlacedByDraggingAndByTheKeys) {
    ScratchFile target(MakeCollection());
    std::vector<unsigned> shown;
    std::optional<Reading> said;
    WindowDriver driver(L"Converteix la imatge en segell", [&](HWND dialog) {
        Click(dialog, IDC_CONVERT_TRIM); // off: the transparent right quarter gives it room
        Click(dialog, IDC_CONVERT_CROP);
        HWND view = ::GetDlgItem(dialog, IDC_CONVERT_ORIGINAL);
        RECT room{};
        ::GetClientRect(view, &room);
        const int x = room.right / 2, y = room.bottom / 2; // in the square, centred at first
        ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        for (int dx : {10, 40, 400}) {
            ::SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx, y));
        }
        ::SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(x + 400, y));
        ::SendMessageW(view, WM_KEYDOWN, VK_LEFT, 0);
        shown = StampShownBy(::GetDlgItem(dialog, IDC_CONVERT_STAMP_LARGE));
        said = ReadAccessible(view); // as a screen reader reads where the square is
        Click(dialog, IDOK);
    });
    Open(IDC_LOAD_IMAGE, kPictures + "/clipart.png");
    ASSERT_TRUE(driver.Found());
    Open(IDC_OPEN_TARGET, target.Path());
    Command(IDC_MOVE_IMAGE);
    // The square, 48 pixels high and wide, went to the right end, 16, and back by 48 / 32.
    picture::Picture clipart = DecodedByImageMagick("clipart", 64, 48);
    picture::StampOptions options;
    options.framing = picture::Framing::Crop;
    options.crop = picture::CropPlaceAt(clipart, options, 14.5, 0);
    ASSERT_EQ(options.crop, (picture::CropPlace{0.90625, 0.5}));
    picture::Stamp expected = *picture::ConvertToStamp(clipart, options);
    EXPECT_EQ(PixelArea(target.Read(), 1), Stored(expected));
    EXPECT_EQ(shown, ColoursOf(expected)) << "the preview is the stamp stored";
    ASSERT_TRUE(said);
    EXPECT_EQ(said->parts[0].name, "Imatge original");
    EXPECT_EQ(said->parts[0].value, "Retall: columna 15, fila 0 de l'original"); // 14.5, rounded
}

TEST_F(Conversion, TheNextPictureStartsWithTheChoicesLastTaken) {
    ScratchFile target(MakeCollection());
    ConvertInto(kPictures + "/clipart.png", target,
                {IDC_CONVERT_CROP, IDC_CONVERT_DITHER, IDC_CONVERT_TRIM});
    WindowDriver cancelled(L"Converteix la imatge en segell", [](HWND dialog) {
        Click(dialog, IDC_CONVERT_FIT);
        Click(dialog, IDC_CONVERT_DITHER);
        Click(dialog, IDCANCEL);
    });
    Open(IDC_LOAD_IMAGE, kPictures + "/drawing.gif");
    ASSERT_TRUE(cancelled.Found());
    ConvertInto(kPictures + "/clipart.png", target);
    EXPECT_EQ(shownChecks_,
              (std::tuple<UINT, UINT, UINT>{BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED}))
        << "Retalla and Tramat, the margins kept though the picture has transparency; what was "
           "cancelled is not remembered";
    picture::StampOptions options;
    options.framing = picture::Framing::Crop;
    options.dither = true;
    EXPECT_EQ(PixelArea(target.Read(), 1),
              Stored(*picture::ConvertToStamp(DecodedByImageMagick("clipart", 64, 48), options)));
}

// Moved to a monitor of twice the DPI (Wine sends no WM_DPICHANGED itself, nor scales a dialog):
// the stamps are shown at the new zoom, whole, their frames and the dialog grown to hold them.
TEST_F(Conversion, OnAScreenOfAnotherDpiThePreviewsAreLaidOutAgain) {
    ScratchFile target(MakeCollection());
    bool laidOut = false;
    std::vector<unsigned> before, after;
    RECT dialogBefore{}, dialogAfter{};
    WindowDriver driver(L"Converteix la imatge en segell", [&](HWND dialog) {
        HWND large = ::GetDlgItem(dialog, IDC_CONVERT_STAMP_LARGE);
        before = StampOnScreen(large, 4);
        ::GetWindowRect(dialog, &dialogBefore);
        RECT suggested = dialogBefore;
        ::SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(192, 192),
                       reinterpret_cast<LPARAM>(&suggested));
        laidOut = Eventually([&] { return !StampOnScreen(large, 8).empty(); });
        after = StampOnScreen(large, 8);
        ::GetWindowRect(dialog, &dialogAfter);
        Click(dialog, IDOK);
    });
    Open(IDC_LOAD_IMAGE, kPictures + "/photo.jpg");
    ASSERT_TRUE(driver.Found());
    EXPECT_TRUE(laidOut);
    EXPECT_FALSE(before.empty());
    EXPECT_EQ(after, before) << "the same stamp, at 8 times";
    EXPECT_GT(dialogAfter.bottom - dialogAfter.top, dialogBefore.bottom - dialogBefore.top);
    EXPECT_GT(dialogAfter.right - dialogAfter.left, dialogBefore.right - dialogBefore.left);
}

TEST_F(Conversion, APhotoIsTurnedAsItsExifOrientationSays) {
    // Red above blue, to be turned clockwise: red ends on the right.
    ScratchFile photo(WithOrientation6(ReadFile(kPictures + "/photo.jpg"))),
        target(MakeCollection());
    std::string path = photo.Path() + ".jpg";
    std::filesystem::copy_file(photo.Path(), path);
    ConvertInto(path, target);
    std::filesystem::remove(path);
    Bytes stored = PixelArea(target.Read(), 1);
    auto colour = [&](int x, int y) {
        return stored[static_cast<std::size_t>(y * 32 + x) * 2] >> 2;
    };
    EXPECT_GT(colour(22, 16), 25) << "red (the high bits of the word) on the right";
    EXPECT_LT(colour(10, 16), 6) << "blue on the left";
    EXPECT_EQ(colour(1, 16), 0x1F) << "white margin: the upright photo is tall";
}

TEST_F(Conversion, ACorruptPictureIsRefusedAndCancellingChangesNothing) {
    Bytes png = ReadFile(kPictures + "/clipart.png");
    ScratchFile corrupt(Bytes(png.begin(), png.begin() + 60)), good(BmpFile(32, 32, 24));
    Open(IDC_LOAD_IMAGE, good.Path());
    std::FILE* held = g_pfImage;
    WindowDriver cancel(L"Converteix la imatge en segell",
                        [](HWND dialog) { Click(dialog, IDCANCEL); });
    Open(IDC_LOAD_IMAGE, kPictures + "/drawing.gif");
    EXPECT_TRUE(cancel.Found());
    EXPECT_EQ(g_pfImage, held) << "Cancel·la keeps what was held";
    TestModalAnswers().messageBox = [this](const std::string& text, const std::string& caption,
                                           UINT type) {
        messages_.push_back({text, caption, type});
        return IDOK;
    };
    Open(IDC_LOAD_IMAGE, corrupt.Path());
    std::string name = corrupt.Path().substr(corrupt.Path().find_last_of('\\') + 1);
    std::string bitmap = corrupt.Path() + ".bmp"; // the same bytes, called a bitmap
    std::filesystem::copy_file(corrupt.Path(), bitmap);
    Open(IDC_LOAD_IMAGE, bitmap);
    std::filesystem::remove(bitmap);
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[0].text,
              "No s'ha pogut llegir la imatge «" + name + "»: és una imatge PNG malmesa.");
    EXPECT_EQ(messages_[1].text,
              "El fitxer de bitmap ha de ser de 32x32 pixels i de 24 bits de color per pixel");
    EXPECT_EQ(g_pfImage, nullptr);
}

// A decompression bomb: a PNG that declares 20000 x 20000 pixels is refused from its header,
// before any decoder opens it and takes gigabytes.
TEST_F(Conversion, APictureTooBigToDecodeIsRefusedSayingSo) {
    Bytes png = ReadFile(kPictures + "/clipart.png");
    PutLittleEndian(png, 16, 0x204E0000, 4); // 20000, big-endian
    PutLittleEndian(png, 20, 0x204E0000, 4);
    ScratchFile bomb(png);
    std::string name = bomb.Path().substr(bomb.Path().find_last_of('\\') + 1);
    Open(IDC_LOAD_IMAGE, bomb.Path());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text.find("La imatge «" + name + "» és massa gran"), 0u)
        << messages_[0].text;
    EXPECT_NE(messages_[0].text.find("20000 × 20000 píxels (400 megapíxels)"), std::string::npos);
    EXPECT_EQ(g_pfImage, nullptr);
}

// Two brelts at once, with one temporary folder: each converts a picture of its own and writes
// it, never the other's.
TEST(TwoBrelts, EachWritesThePictureItConverted) {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("brelt-two-" + std::to_string(::GetTickCount()));
    std::filesystem::create_directories(folder);
    Bytes collection = MakeCollection(202752, 148);
    ScratchFile first(collection), second(collection);
    RunningProgram one(folder.wstring()), two(folder.wstring());
    ASSERT_TRUE(one.OpenCollection(IDC_OPEN_TARGET, Widen(first.Path())));
    ASSERT_TRUE(two.OpenCollection(IDC_OPEN_TARGET, Widen(second.Path())));
    // Both convert before either writes: each holds its stamp while the other makes its own.
    auto picture = [](const char* name) {
        std::wstring path = Widen(kPictures + "/" + name);
        std::replace(path.begin(), path.end(), L'/', L'\\'); // as the file dialog takes it
        return path;
    };
    ASSERT_TRUE(one.LoadPicture(picture("clipart.png")));
    ASSERT_TRUE(two.LoadPicture(picture("drawing.gif")));
    for (RunningProgram* brelt : {&one, &two}) {
        brelt->PostClick(brelt->MainWindow(), IDC_MOVE_IMAGE);
    }
    auto written = [](const ScratchFile& file, const Bytes& before) {
        Eventually([&] { return file.Read() != before; }, 10000);
        return PixelArea(file.Read(), 1);
    };
    EXPECT_EQ(written(first, collection),
              Stored(*picture::ConvertToStamp(DecodedByImageMagick("clipart", 64, 48), Trimmed())));
    EXPECT_EQ(written(second, collection),
              Stored(*picture::ConvertToStamp(DecodedByImageMagick("drawing", 40, 30), {})));
    one.Kill();
    two.Kill();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

TEST_F(Conversion, AFolderOfPicturesFillsTheImagesFromTheCurrentOne) {
    Bytes collection = MakeCollection(202752, 121);
    ScratchFile target(collection);
    Bytes pixels = PatternBytes(3072, 122);
    std::string folder = target.Path() + "-pictures";
    std::filesystem::create_directories(folder);
    // Named as the folder view orders them: "2" before "10", numbers before letters.
    std::filesystem::copy_file(kPictures + "/clipart.png", folder + "\\2.png");
    std::filesystem::copy_file(kPictures + "/drawing.gif", folder + "\\10.gif");
    std::filesystem::copy_file(kPictures + "/clipart.png", folder + "\\e.png");
    ScratchFile exact(BmpFile(32, 32, 24, 0, 40, pixels)), garbage(Bytes(500, 'x'));
    std::filesystem::copy_file(exact.Path(), folder + "\\B.bmp");
    std::filesystem::copy_file(garbage.Path(), folder + "\\c.png");
    Open(IDC_OPEN_TARGET, target.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"96");
    std::string question;
    TestModalAnswers().dialog = [&](CDialog& dialog) {
        question = dynamic_cast<CQuestionDlg&>(dialog).GetQuestion();
        return static_cast<INT_PTR>(IDOK);
    };
    TestModalAnswers().fileDialog = [&](CFileDialog& dialog) {
        dialog.SetChosenPaths({folder + "\\e.png", folder + "\\10.gif", folder + "\\c.png",
                               folder + "\\B.bmp", folder + "\\2.png"});
        return static_cast<INT_PTR>(IDOK);
    };
    Command(ID_IMPORT_PICTURES_HERE);
    EXPECT_EQ(question, "Es substituiran les imatges 96 a 98. Voleu continuar?");
    Bytes expected = collection;
    SetPixelArea(
        expected, 96,
        Stored(*picture::ConvertToStamp(DecodedByImageMagick("clipart", 64, 48), Trimmed())));
    SetPixelArea(expected, 97,
                 Stored(*picture::ConvertToStamp(DecodedByImageMagick("drawing", 40, 30), {})));
    SetPixelArea(expected, 98, Expected16From24(ReverseRows(pixels, 96)));
    EXPECT_EQ(target.Read(), expected) << "2, 10, B, (c unreadable), and no room for e";
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].text.find("c.png"), std::string::npos) << messages_[0].text;
    EXPECT_NE(messages_[0].text.find("e.png"), std::string::npos);
    EXPECT_EQ(g_nTargetFirst, 96);
    ExpectStrip(kTargetSlots, expected, 94);
    std::filesystem::remove_all(folder);
}
