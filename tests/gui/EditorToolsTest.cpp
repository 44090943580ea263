#include "EditorFixture.h"

#include "editor/ColourAdjust.h"
#include "editor/Drawing.h"
#include "editor/Effects.h"
#include "editor/Selection.h"
#include "editor/Symmetry.h"
#include "platform/Clipboard.h"
#include "platform/Text.h"

#include <cstring>

using editor::Point;

namespace {

// Whether the editor's status line comes to begin with text.
testing::AssertionResult StatusSays(HWND editor, const std::wstring& text) {
    HWND status = ::GetDlgItem(editor, IDC_EDITOR_STATUS);
    if (Eventually([&] { return WindowText(status).rfind(text, 0) == 0; })) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "the status line says " << Narrow(WindowText(status));
}

// The size of the bitmap the clipboard holds as CF_DIB; 0 x 0 when it holds none.
SIZE ClipboardBitmapSize() {
    CClipboard clipboard(nullptr);
    std::optional<std::vector<std::uint8_t>> dib = clipboard.Get(CF_DIB);
    BITMAPINFOHEADER header{};
    if (!dib || dib->size() < sizeof(header)) {
        return {0, 0};
    }
    std::memcpy(&header, dib->data(), sizeof(header));
    return {header.biWidth, header.biHeight};
}

// The focus to a button, in its turn after what was posted: the canvas outlines its keyboard
// cursor while it has the focus.
void FocusAwayFromCanvas(HWND editor) {
    Post(editor, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(editor, IDCANCEL)), TRUE);
}

// An effect's dialog, opened by its button in the editor; null when it never shows.
HWND OpenEffect(HWND editor, int button, const wchar_t* caption) {
    PostClick(editor, button);
    return WaitForWindow(caption, 5000);
}

// "Cancel·la" in an effect's dialog: whether it closes and the canvas comes to show the stamp as
// it was.
bool CancelledBack(HWND editor, HWND effect, const editor::Stamp& before) {
    Click(effect, IDCANCEL);
    if (!WaitUntilClosed(effect)) {
        return false;
    }
    FocusAwayFromCanvas(editor);
    return CanvasShows(editor, before);
}

void PressControl(WORD key) {
    TypeKeys({{VK_CONTROL, true}, {key, true}, {key, false}, {VK_CONTROL, false}});
}

} // namespace

TEST_F(Editor, ASelectionDraggedWithTheRealMouseMovesWhatItHolds) {
    const editor::Stamp original = Stored(7);
    ASSERT_TRUE(Edit([&](HWND editor) {
        HWND canvas = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
        Keys(canvas, {'S'});
        DragWithMouse(canvas, PixelCentre(editor, 9, 6), PixelCentre(editor, 2, 2));
        ASSERT_TRUE(StatusSays(editor, L"Selecció de 8 × 5 píxels a la columna 3, fila 3"));
        DragWithMouse(canvas, PixelCentre(editor, 4, 4), PixelCentre(editor, 14, 14));
        ASSERT_TRUE(StatusSays(editor, L"Selecció de 8 × 5 píxels a la columna 13, fila 13"));
        PostClick(editor, IDOK);
    }));
    // The place it left takes the secondary colour, white.
    editor::Selection moved = editor::Selection::Lift(original, {2, 2, 8, 5}, editor::kWhite);
    moved.MoveBy(10, 10);
    Bytes expected = collection_;
    SetPixelArea(expected, 7, moved.Composite().ToArea());
    EXPECT_EQ(file_.Read(), expected);
}

TEST_F(Editor, ASelectionCopiedInOneStampIsPastedInAnotherThroughTheRealKeys) {
    const editor::Stamp seven = Stored(7), eight = Stored(8);
    {
        CClipboard clipboard(nullptr);
        clipboard.Empty();
    }
    ASSERT_TRUE(Edit([&](HWND editor) {
        HWND canvas = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
        Keys(canvas, {'S'});
        DragWithMouse(canvas, PixelCentre(editor, 0, 0), PixelCentre(editor, 7, 3));
        ASSERT_TRUE(StatusSays(editor, L"Selecció de 8 × 4 píxels a la columna 1, fila 1"));
        PressControl('C');
        ASSERT_TRUE(Eventually([] {
            SIZE size = ClipboardBitmapSize();
            return size.cx == 8 && size.cy == 4;
        })) << "the selection on the clipboard as a bitmap";
        PostClick(editor, IDCANCEL); // nothing changed: it closes without a question
    }));
    EXPECT_EQ(file_.Read(), collection_);
    GoTo(IDC_TARGET_GOTO_BOX, L"8");
    ASSERT_TRUE(Edit([&](HWND editor) {
        PressControl('V'); // laid in the middle, to be dragged where it belongs
        ASSERT_TRUE(StatusSays(editor, L"Selecció de 8 × 4 píxels a la columna 13, fila 15"));
        PostClick(editor, IDOK);
    }));
    // Through a bitmap: the colours come back exactly, painted (bit 15 clear).
    editor::Piece piece = editor::CutOut(seven, {0, 0, 8, 4});
    for (editor::Word& word : piece.words) {
        word = editor::ColourOf(word);
    }
    Bytes expected = collection_;
    SetPixelArea(expected, 8, editor::Selection::Lay(eight, piece, {12, 14}).Composite().ToArea());
    EXPECT_EQ(file_.Read(), expected);
}

// Every new tool from the keyboard alone: symmetry chosen in its list, a dot and an ellipse
// mirrored, a selection drawn with Space and the arrows, moved, filled with Supr and set down
// with Esc, which leaves the editor open.
TEST_F(Editor, TheNewToolsWorkFromTheKeyboardAlone) {
    editor::Stamp expected = Stored(7);
    ASSERT_TRUE(Edit([&](HWND editor) {
        HWND canvas = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
        HWND symmetry = ::GetDlgItem(editor, IDC_EDITOR_SYMMETRY);
        ::SendMessageW(editor, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(symmetry), TRUE);
        Keys(symmetry, {VK_DOWN}); // "Eix vertical"
        ASSERT_TRUE(Eventually([&] { return ::SendMessageW(symmetry, CB_GETCURSEL, 0, 0) == 1; }));
        HWND tolerance = ::GetDlgItem(editor, IDC_EDITOR_TOLERANCE);
        ::SetWindowTextW(tolerance, L"150"); // typed beyond its range: it says what it uses
        EXPECT_TRUE(Eventually([&] { return WindowText(tolerance) == L"100"; }));
        ::SendMessageW(editor, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(canvas), TRUE);
        Keys(canvas, {'L', VK_LEFT, VK_LEFT, VK_LEFT, VK_LEFT, VK_SPACE}); // a dot at 12, 16
        Keys(canvas, {'E', VK_SPACE, VK_UP, VK_UP, VK_UP, VK_LEFT, VK_LEFT, VK_SPACE});
        Keys(canvas, {'S', VK_UP, VK_UP, VK_UP, VK_UP, VK_UP, VK_UP, VK_UP, VK_UP, VK_SPACE});
        Keys(canvas, {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_SPACE}); // 4 x 3
        Keys(canvas, {VK_RIGHT, VK_RIGHT, VK_DELETE, VK_ESCAPE});
        Keys(canvas, {VK_DOWN}); // the cursor moves again: the selection is down
        ASSERT_TRUE(StatusSays(editor, L"Columna 14, fila 9"));
        PostClick(editor, IDOK);
    }));
    editor::Stamp drawn = expected;
    drawn.Paint({12, 16}, editor::kBlack);
    expected = editor::Mirrored(expected, drawn, editor::Symmetry::Vertical);
    drawn = expected;
    editor::DrawEllipse(drawn, {12, 16}, {10, 13}, editor::kBlack, false);
    expected = editor::Mirrored(expected, drawn, editor::Symmetry::Vertical);
    editor::Selection selection = editor::Selection::Lift(expected, {10, 5, 4, 3}, editor::kWhite);
    selection.MoveBy(2, 0);
    selection.Fill(editor::kWhite);
    Bytes stored = collection_;
    SetPixelArea(stored, 7, selection.Composite().ToArea());
    EXPECT_EQ(file_.Read(), stored);
}

// "Contorn..." and "Ajusta els colors..." show their result on the canvas as they are chosen,
// and "Cancel·la" takes it back; "Ombra..." with "D'acord" is the stamp written.
TEST_F(Editor, AnEffectIsPreviewedOnTheCanvasTakenBackByCancelAndKeptByOk) {
    editor::Stamp drawn; // cleared, then a black rectangle
    editor::DrawRectangle(drawn, {8, 8}, {20, 16}, editor::kBlack, false);
    ASSERT_TRUE(Edit([&](HWND editor) {
        HWND canvas = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
        // The grid off (a check box clicked, in its turn): each pixel a block of one colour.
        Post(::GetDlgItem(editor, IDC_EDITOR_GRID), BM_CLICK);
        PostClick(editor, IDC_EDITOR_CLEAR);
        Keys(canvas, {'R'});
        Post(canvas, WM_LBUTTONDOWN, MK_LBUTTON, PixelPoint(editor, 8, 8));
        Post(canvas, WM_MOUSEMOVE, MK_LBUTTON, PixelPoint(editor, 20, 16));
        Post(canvas, WM_LBUTTONUP, 0, PixelPoint(editor, 20, 16));
        Post(canvas, WM_MOUSELEAVE); // the posted mouse leaves: no pixel outlined
        FocusAwayFromCanvas(editor);
        ASSERT_TRUE(CanvasShows(editor, drawn));

        HWND outline = OpenEffect(editor, IDC_EDITOR_OUTLINE, L"Contorn");
        ASSERT_NE(outline, nullptr);
        editor::Stamp outlined = drawn;
        editor::DrawOutline(outlined, {false, false, editor::kBlack, std::nullopt});
        EXPECT_TRUE(CanvasShows(editor, outlined)) << "outside, by the sides, in black";
        Click(outline, IDC_EFFECT_CORNERS);
        outlined = drawn;
        editor::DrawOutline(outlined, {false, true, editor::kBlack, std::nullopt});
        EXPECT_TRUE(CanvasShows(editor, outlined)) << "by the corners too";
        ASSERT_TRUE(CancelledBack(editor, outline, drawn));

        HWND adjust = OpenEffect(editor, IDC_EDITOR_ADJUST, L"Ajusta els colors");
        ASSERT_NE(adjust, nullptr);
        Keys(::GetDlgItem(adjust, IDC_ADJUST_LIGHTNESS), {VK_NEXT, VK_NEXT, VK_NEXT}); // +30
        editor::Stamp lighter = drawn;
        editor::AdjustColours(lighter, {0, 30, 0, true});
        EXPECT_TRUE(CanvasShows(editor, lighter));
        EXPECT_EQ(WindowText(::GetDlgItem(adjust, IDC_ADJUST_LIGHTNESS_VALUE)), L"+30");
        ASSERT_TRUE(CancelledBack(editor, adjust, drawn));

        HWND shadow = OpenEffect(editor, IDC_EDITOR_SHADOW, L"Ombra");
        ASSERT_NE(shadow, nullptr);
        Click(shadow, IDC_EFFECT_TWO_PIXELS);
        Click(shadow, IDOK);
        ASSERT_TRUE(WaitUntilClosed(shadow));
        PostClick(editor, IDOK);
    }));
    editor::Stamp expected = drawn;
    editor::DrawShadow(expected, {2, 2, editor::ShadowOptions{}.colour, std::nullopt});
    EXPECT_EQ(Stored(7), expected);
}
