#include "EditorFixture.h"

#include "editor/Selection.h"
#include "platform/FontDrawing.h"

using editor::Point;

namespace {

// "TEXT" as the editor's tool letters it in DejaVu Sans with capitals of `size` pixels, drawn
// here through the same font.
editor::Piece LettersOfText(int size) {
    const FontChoice font{L"DejaVu Sans", false, false};
    return text::LettersOf(DrawCrisp(L"TEXT", font, EmForCapitals(font, size)).value(), 1.0,
                           editor::kBlack);
}

} // namespace

// The font chosen in "Crea segells de text", then the editor's "Text": a click with the real
// mouse opens its box, the text typed shows on the stamp where the click was, and after
// "D'acord" it is a selection that the real mouse drags before the editor writes it.
TEST_F(Editor, TheTextToolPlacesTextWhereClickedToBeDraggedBeforeItIsSetDown) {
    WindowDriver fonts(L"Crea segells de text", [&](HWND window) {
        HWND list = ::GetDlgItem(window, IDC_TEXT_FONT);
        ::SendMessageW(list, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(L"DejaVu Sans"));
        ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_TEXT_FONT, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
        Click(window, IDCANCEL);
    });
    Command(ID_CREATE_TEXT_STAMPS);
    ASSERT_TRUE(fonts.Found());

    const editor::Stamp original = Stored(7);
    const editor::Piece letters = LettersOfText(12);
    std::wstring fontSaid, summary;
    ASSERT_TRUE(Edit([&](HWND editor) {
        HWND canvas = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
        Post(::GetDlgItem(editor, IDC_EDITOR_GRID), BM_CLICK); // each pixel a block of one colour
        Keys(canvas, {'T'});
        ASSERT_TRUE(Eventually([&] {
            return ::SendMessageW(::GetDlgItem(editor, IDC_EDITOR_TEXT), BM_GETCHECK, 0, 0) ==
                   BST_CHECKED;
        }));
        DragWithMouse(canvas, PixelCentre(editor, 3, 5), PixelCentre(editor, 3, 5));
        HWND box = WaitForWindow(L"Text", 5000);
        ASSERT_NE(box, nullptr);
        ::SetCursorPos(0, 0); // the pointer away: the canvas outlines no pixel
        Post(canvas, WM_MOUSELEAVE);
        fontSaid = WindowText(::GetDlgItem(box, IDC_EDITOR_TEXT_FONT));
        ::SetWindowTextW(::GetDlgItem(box, IDC_EDITOR_TEXT_SIZE), L"12");
        ::SetWindowTextW(::GetDlgItem(box, IDC_EDITOR_TEXT_TEXT), L"TEXT");
        summary = WindowText(::GetDlgItem(box, IDC_EDITOR_TEXT_SUMMARY));
        EXPECT_TRUE(
            CanvasShows(editor, editor::Selection::Lay(original, letters, {3, 5}).Composite()))
            << "shown where clicked as it is typed";
        Click(box, IDOK);
        ASSERT_TRUE(WaitUntilClosed(box));
        HWND status = ::GetDlgItem(editor, IDC_EDITOR_STATUS);
        const std::wstring selection = L"Selecció de " + std::to_wstring(letters.width) + L" × " +
                                       std::to_wstring(letters.height) + L" píxels a la columna ";
        auto statusSays = [&](const std::wstring& place) {
            return Eventually([&] { return WindowText(status).rfind(selection + place, 0) == 0; });
        };
        ASSERT_TRUE(statusSays(L"4, fila 6")) << Narrow(WindowText(status));
        DragWithMouse(canvas, PixelCentre(editor, 4, 6), PixelCentre(editor, 6, 15));
        // Posted messages come before the mouse's: "D'acord" once the drag is seen through.
        ASSERT_TRUE(statusSays(L"6, fila 15")) << Narrow(WindowText(status));
        PostClick(editor, IDOK);
    }));
    EXPECT_EQ(fontSaid, L"Lletra: DejaVu Sans.");
    EXPECT_EQ(summary.rfind(std::to_wstring(letters.width) + L" × ", 0), 0u) << Narrow(summary);
    EXPECT_EQ(letters.height, 12) << "capitals of the size chosen";
    // The letters alone, in the primary colour: the stamp shows round them.
    Bytes expected = collection_;
    SetPixelArea(expected, 7,
                 editor::Selection::Lay(original, letters, {5, 14}).Composite().ToArea());
    EXPECT_EQ(file_.Read(), expected);
}
