#include "AccessibleReading.h"
#include "EditorFixture.h"

#include "app/ProgramState.h"
#include "colournames/ColourNames.h"
#include "dialogs/PagePreview.h"
#include "editor/Colours.h"

#include "plans/Plans.h"
#include "platform/ModalAnswers.h"
#include "platform/Text.h"
#include "res/resource.h"

#include <oleacc.h>

#include <fstream>
#include <optional>
#include <sstream>

// What a screen reader reads of brelt's own controls, read as one reads it: from a process of its
// own (accessible_read), through Microsoft Active Accessibility.

namespace {

POINT CellCentre(HWND grid, int image) { // the overview's cells at 96 DPI, 14 a row
    POINT at{(image - 1) % 14 * 68 + 34, (image - 1) / 14 * 82 + 34};
    ::ClientToScreen(grid, &at);
    return at;
}

} // namespace

// The overview: a list of the collection's images, each "Imatge n", the selected ones selected,
// the current one focused, a white one and two alike said so; what lies under a point found.
TEST_F(BrowserTest, TheOverviewIsAListOfItsImagesToAScreenReader) {
    Bytes collection = MakeCollection(202752, 94);
    SetPixelArea(collection, 10, plans::WhiteArea());
    SetPixelArea(collection, 31, PixelArea(collection, 30));
    ScratchFile file(collection);
    Open(IDC_OPEN_TARGET, file.Path());
    const std::string name = file.Path().substr(file.Path().find_last_of('\\') + 1);
    TestModalAnswers().dialog = [](CDialog&) { return ModalAnswers::kShowIt; };
    std::optional<Reading> reading;
    WindowDriver overview(Widen(name), [&](HWND window) {
        HWND grid = ::FindWindowExW(window, nullptr, L"BreltOverviewGrid", nullptr);
        for (const auto& [image, keys] : {std::pair{20, 0}, std::pair{22, MK_CONTROL}}) {
            const POINT at{(image - 1) % 14 * 68 + 34, (image - 1) / 14 * 82 + 34};
            ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(at.x, at.y));
            ::SendMessageW(grid, WM_LBUTTONUP, keys, MAKELPARAM(at.x, at.y));
        }
        EXPECT_TRUE(Eventually([&] { return FocusIsOn(grid); })); // the press gave it the focus
        reading = ReadAccessible(grid, CellCentre(grid, 40));
        ::PostMessageW(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    Command(ID_SHOW_OVERVIEW);
    ASSERT_TRUE(overview.Found());
    ASSERT_TRUE(reading);
    ASSERT_EQ(reading->parts.size(), 99u);
    EXPECT_EQ(reading->parts[0].name, "Imatges de " + name);
    EXPECT_EQ(reading->parts[0].role, ROLE_SYSTEM_LIST);
    for (int image = 1; image <= 98; ++image) {
        const Part& part = reading->parts[static_cast<std::size_t>(image)];
        EXPECT_EQ(part.name, "Imatge " + std::to_string(image));
        EXPECT_EQ(part.role, ROLE_SYSTEM_LISTITEM);
        EXPECT_EQ((part.state & STATE_SYSTEM_SELECTED) != 0, image == 20 || image == 22) << image;
        EXPECT_EQ((part.state & STATE_SYSTEM_FOCUSED) != 0, image == 22) << image;
        EXPECT_EQ(part.description, image == 10                  ? "en blanc"
                                    : image == 30 || image == 31 ? "repetida, grup 1"
                                                                 : "")
            << image;
    }
    EXPECT_EQ(reading->focus, 22);
    EXPECT_EQ(reading->pointName, "Imatge 40");
    EXPECT_EQ(reading->pointChild, 40);
}

// The editor's canvas: the pixel under the keyboard's cursor and its colour, in words, as the
// cursor moves; its numbers as the description.
TEST_F(Editor, TheCanvasSaysThePixelUnderTheCursorAndItsColour) {
    const editor::Stamp stamp = Stored(7);
    std::optional<Reading> start, moved;
    ASSERT_TRUE(Edit([&](HWND editor) {
        HWND canvas = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
        Post(editor, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(canvas), TRUE);
        ASSERT_TRUE(Eventually([&] { return FocusIsOn(canvas); }));
        start = ReadAccessible(canvas);
        Keys(canvas, {VK_RIGHT, VK_RIGHT, VK_DOWN}); // from 17,17 (counted from 1) to 19,18
        moved = ReadAccessible(canvas);
        PostClick(editor, IDCANCEL);
    }));
    ASSERT_TRUE(start && moved);
    ASSERT_EQ(moved->parts.size(), 1u);
    EXPECT_EQ(moved->parts[0].name, "Llenç del segell");
    EXPECT_EQ(moved->parts[0].role, ROLE_SYSTEM_GRAPHIC);
    EXPECT_TRUE(moved->parts[0].state & STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(start->parts[0].value,
              "Columna 17, fila 17: " + colournames::NameOf(stamp.ColourAt({16, 16})));
    EXPECT_EQ(moved->parts[0].value,
              "Columna 19, fila 18: " + colournames::NameOf(stamp.ColourAt({18, 17})));
    EXPECT_EQ(moved->parts[0].description, colournames::NumbersOf(stamp.ColourAt({18, 17})));
}

// The main window's slots: which image each shows, of how many, in which collection, and which is
// the current one; the picture pane, what is loaded.
TEST_F(BrowserTest, EachSlotSaysWhichImageItShowsAndWhichIsCurrent) {
    ScratchFile file(MakeCollection(260096, 95));
    Open(IDC_OPEN_TARGET, file.Path());
    GoTo(IDC_TARGET_GOTO_BOX, L"12");
    const std::string name = file.Path().substr(file.Path().find_last_of('\\') + 1);
    int current = 0;
    for (int slot = 0; slot < 5; ++slot) {
        const std::optional<Reading> reading =
            ReadAccessible(::GetDlgItem(hwnd_, kTargetSlots[slot]));
        ASSERT_TRUE(reading);
        ASSERT_EQ(reading->parts.size(), 1u);
        const Part& part = reading->parts[0];
        const int image = g_nTargetFirst - g_nTargetSel + slot;
        EXPECT_EQ(part.name, "Destí, imatge " + std::to_string(image) + " de 126");
        EXPECT_EQ(part.description, name);
        EXPECT_EQ(part.role, ROLE_SYSTEM_GRAPHIC);
        if (part.state & STATE_SYSTEM_SELECTED) {
            current = image;
        }
    }
    EXPECT_EQ(current, 12);
    const std::optional<Reading> source = ReadAccessible(::GetDlgItem(hwnd_, IDC_SOURCE_SLOT3));
    ASSERT_TRUE(source);
    EXPECT_EQ(source->parts[0].name, "Origen, cap col·lecció oberta");
    const std::optional<Reading> picture = ReadAccessible(::GetDlgItem(hwnd_, IDC_IMAGE_PICTURE));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->parts[0].name, "Cap imatge carregada");
}

// The colours: the primary and the secondary, and the palette's, each by its name in Catalan
// with its numbers; a colour chosen from the palette with the keys becomes the primary.
TEST_F(Editor, TheColoursAreSaidByTheirNames) {
    const std::vector<editor::Colour>& palette = editor::ChildrensPalette();
    std::optional<Reading> before, after, swatches;
    ASSERT_TRUE(Edit([&](HWND editor) {
        HWND current = ::GetDlgItem(editor, IDC_EDITOR_CURRENT);
        HWND cells = ::GetDlgItem(editor, IDC_EDITOR_PALETTE);
        before = ReadAccessible(current);
        swatches = ReadAccessible(cells);
        Post(editor, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cells), TRUE);
        Keys(cells, {VK_RIGHT, VK_RIGHT, VK_SPACE});
        after = ReadAccessible(current);
        PostClick(editor, IDCANCEL);
    }));
    ASSERT_TRUE(before && after && swatches);
    ASSERT_EQ(before->parts.size(), 3u);
    EXPECT_EQ(before->parts[0].name, "Colors triats");
    EXPECT_EQ(before->parts[1].name, "Principal: negre");
    EXPECT_EQ(before->parts[1].description, "vermell 0, verd 0, blau 0 (de 31)");
    EXPECT_EQ(before->parts[2].name, "Secundari: blanc");
    EXPECT_EQ(after->parts[1].name, "Principal: " + colournames::NameOf(palette[2]));
    ASSERT_EQ(swatches->parts.size(), palette.size() + 1);
    EXPECT_EQ(swatches->parts[0].role, ROLE_SYSTEM_LIST);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        EXPECT_EQ(swatches->parts[i + 1].name, colournames::NameOf(palette[i])) << i;
        EXPECT_EQ(swatches->parts[i + 1].description, colournames::NumbersOf(palette[i])) << i;
    }
}

// A screen reader's hook sees the canvas take the focus, then its value change as the cursor
// moves, each time saying the new pixel.
TEST_F(Editor, AScreenReaderIsToldAsTheCanvasCursorMoves) {
    const editor::Stamp stamp = Stored(7);
    std::vector<std::pair<std::string, std::string>> seen;
    ASSERT_TRUE(Edit([&](HWND editor) {
        HWND canvas = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
        Post(editor, WM_NEXTDLGCTL,
             reinterpret_cast<WPARAM>(::GetDlgItem(editor, IDC_EDITOR_PALETTE)), TRUE);
        EventWatch watch(L"BreltStampCanvas", 3);
        ASSERT_TRUE(watch.Hooked());
        // Each step once the reader has heard of the one before, as a user listens.
        const auto heard = [&](std::size_t events) {
            return Eventually([&] { return watch.SeenSoFar().size() >= events; });
        };
        Post(editor, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(canvas), TRUE);
        EXPECT_TRUE(heard(1));
        Keys(canvas, {VK_RIGHT});
        EXPECT_TRUE(heard(2));
        Keys(canvas, {VK_DOWN});
        seen = watch.Seen();
        PostClick(editor, IDCANCEL);
    }));
    auto at = [&](int x, int y) {
        return "Columna " + std::to_string(x + 1) + ", fila " + std::to_string(y + 1) + ": " +
               colournames::NameOf(stamp.ColourAt({x, y}));
    };
    const std::vector<std::pair<std::string, std::string>> expected{
        {"focus", at(16, 16)}, {"value", at(17, 16)}, {"value", at(17, 17)}};
    EXPECT_EQ(seen, expected);
}

// The comparison: a list named as its window, each image "Imatge n", those that differ said so
// and selected at first, the others "igual".
TEST_F(BrowserTest, TheComparisonIsAListOfItsImagesToAScreenReader) {
    const Bytes target = MakeCollection(202752, 71);
    Bytes other = target;
    SetPixelArea(other, 3, PatternBytes(2048, 9));
    ScratchFile targetFile(target), otherFile(other);
    Open(IDC_OPEN_TARGET, targetFile.Path());
    TestModalAnswers().dialog = [](CDialog&) { return ModalAnswers::kShowIt; };
    const std::string name = otherFile.Path().substr(otherFile.Path().find_last_of('\\') + 1);
    std::optional<Reading> reading;
    WindowDriver driver(L"Compara amb " + Widen(name), [&](HWND window) {
        reading = ReadAccessible(::FindWindowExW(window, nullptr, L"BreltCompareGrid", nullptr));
        ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    Open(ID_COMPARE_WITH, otherFile.Path());
    ASSERT_TRUE(driver.Found());
    ASSERT_TRUE(reading);
    ASSERT_EQ(reading->parts.size(), 99u);
    EXPECT_EQ(reading->parts[0].name, "Compara amb " + name);
    EXPECT_EQ(reading->parts[0].role, ROLE_SYSTEM_LIST);
    for (int image = 1; image <= 98; ++image) {
        const Part& part = reading->parts[static_cast<std::size_t>(image)];
        EXPECT_EQ(part.name, "Imatge " + std::to_string(image));
        EXPECT_EQ(part.description, image == 3 ? "diferent" : "igual") << image;
        EXPECT_EQ((part.state & STATE_SYSTEM_SELECTED) != 0, image == 3) << image;
    }
}

// The print dialog's preview: a picture of the page whose value is what the page says at its
// top and bottom and how many stamps it holds.
TEST(PagePreviewAccess, ThePreviewSaysWhatThePageHolds) {
    CPagePreview::Register();
    HWND window = ::CreateWindowExW(0, L"BreltPagePreview", L"", WS_POPUP | WS_VISIBLE, 10, 10, 200,
                                    280, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    CPagePreview preview;
    preview.Attach(window);
    printing::Page page;
    page.shapes.push_back(printing::TextOf({0, 0, 500, 80}, "formes.sgc", printing::kTitleSize));
    page.shapes.push_back(
        printing::TextOf({0, 90, 500, 80}, "Pàgina 1 de 2", printing::kTitleSize));
    for (int image = 1; image <= 3; ++image) {
        page.shapes.push_back(printing::StampOf({image * 300, 300, 200, 200}, image));
        page.shapes.push_back(printing::TextOf({image * 300, 510, 200, 35}, std::to_string(image),
                                               printing::kTitleSize - 5));
    }
    const std::vector<editor::Stamp> stamps(3);
    preview.Show(printing::kA4, &page, &stamps);
    const std::optional<Reading> reading = ReadAccessible(window);
    ::DestroyWindow(window);
    ASSERT_TRUE(reading);
    ASSERT_EQ(reading->parts.size(), 1u);
    EXPECT_EQ(reading->parts[0].name, "Vista prèvia de la pàgina");
    EXPECT_EQ(reading->parts[0].role, ROLE_SYSTEM_GRAPHIC);
    EXPECT_EQ(reading->parts[0].value, "formes.sgc, Pàgina 1 de 2, 3 segells");
}

// The editor's tools: each named to a screen reader as its tip says, "Llapis (tecla L)", the one
// in use checked.
TEST_F(Editor, TheToolsAreNamedAsTheirTipsSay) {
    std::optional<Reading> pencil, line;
    ASSERT_TRUE(Edit([&](HWND editor) {
        pencil = ReadAccessible(::GetDlgItem(editor, IDC_EDITOR_PENCIL));
        line = ReadAccessible(::GetDlgItem(editor, IDC_EDITOR_LINE));
        PostClick(editor, IDCANCEL);
    }));
    ASSERT_TRUE(pencil && line);
    EXPECT_EQ(pencil->parts[0].name, "Llapis (tecla L)");
    EXPECT_EQ(line->parts[0].name, "Línia (tecla N)");
    EXPECT_EQ(pencil->parts[0].role, ROLE_SYSTEM_RADIOBUTTON);
    EXPECT_NE(pencil->parts[0].state & STATE_SYSTEM_CHECKED, 0);
    EXPECT_EQ(line->parts[0].state & STATE_SYSTEM_CHECKED, 0);
}
