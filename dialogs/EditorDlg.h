#pragma once

#include "dialogs/ColourSwatches.h"
#include "dialogs/EditorKeys.h"
#include "dialogs/StampCanvas.h"
#include "dialogs/TextChoices.h"
#include "editor/Drawing.h"
#include "editor/EditorHistory.h"
#include "editor/Selection.h"
#include "editor/Stamp.h"
#include "editor/Stroke.h"
#include "editor/Symmetry.h"
#include "platform/Afx.h"
#include "platform/ControlAccess.h"
#include "platform/ToolTips.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// "Edita el segell": a small paint window for one 32x32 stamp, in the colours a collection
// stores. It draws and routes input only: every change to the stamp is an operation of the
// portable editor. "D'acord" gives the stamp to the caller, who writes it; "Cancel·la", Esc and
// the close box leave it, asking first when something was drawn.
class CEditorDlg : public CDialog {
public:
    // In the order of their buttons' ids and of kToolKeys.
    enum class Tool { Pencil, Line, Rectangle, Fill, Picker, Eraser, Select, Ellipse, Text };

    // text: the choices of "Crea segells de text", whose font the "Text" tool writes in.
    CEditorDlg(const PixelAreaBytes& area, TextChoices& text, CWnd* parent = nullptr);

    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    // The stamp as the window leaves it: after "D'acord", the one to write.
    const editor::Stamp& GetStamp() const { return m_stamp; }
    bool IsChanged() const { return m_stamp != m_original; }

    // A key pressed in the editor, before the dialog manager sees it; true when it was taken.
    bool OnEditorKey(HWND target, UINT key);

    CPicture m_picPreview1;
    CPicture m_picPreview2;
    CStatic m_txtStatus;

protected:
    void OnDpiChanged(int dpi) override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnToolChosen(UINT id);
    void OnFlipHorizontally();
    void OnFlipVertically();
    void OnRotateLeft();
    void OnRotateRight();
    void OnReplaceColour();
    void OnClearAll();
    void OnUndo();
    void OnRedo();
    void OnShift(UINT id);
    void OnMoreColours();
    void OnGrid();
    void OnToolOptions();
    void OnOutline();
    void OnShadow();
    void OnAdjustColours();
    // A tool button's tip: its name and its key.
    void OnNotify(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    // Sizes the canvas and the previews for what they show at dpi.
    void LayOut(int dpi);
    void SetUpToolOptions();
    void CreateToolTips();
    // The canvas's input, as each tool takes it.
    void OnPress(editor::Point p, bool secondary, bool pick);
    void OnDrag(editor::Point p);
    void OnRelease(editor::Point p);
    void OnSpace(editor::Point p, bool secondary);
    void OnPoint(std::optional<editor::Point> p);
    bool OnControlKey(UINT key);
    bool OnPlainKey(HWND target, UINT key);

    void ChooseTool(Tool tool);
    // One step of the editor's undo: the stamp as it is kept, then changed; with mirrored, the
    // change is painted at its mirror images too.
    void Change(const std::function<void(editor::Stamp&)>& change, bool mirrored = false);
    // The stamp a line, rectangle or ellipse from the anchor to p would give, not yet kept.
    void Preview(editor::Point p);
    void DrawShape(editor::Stamp& stamp, editor::Point to) const;
    void StrokeTo(editor::Point p);
    bool IsShapeTool() const;
    void Show();
    void ShowColours();
    void SetColour(editor::Colour colour, bool secondary);
    editor::Colour InkOf(bool secondary) const;
    // An effect's dialog run with its preview on the canvas; the stamp changed when it is taken.
    void RunEffect(class CEffectDlg& effect);
    void ShowEffect(const editor::Stamp* preview);

    // "Selecciona" (EditorSelection.cpp).
    void SelectPress(editor::Point p);
    void SelectDrag(editor::Point p);
    void SelectRelease();
    // A change to the selection, as one step of the undo.
    void ChangeSelection(const std::function<void(editor::Selection&)>& change);
    // The selection set down: what it holds becomes part of the stamp where it lies.
    void SetDown();
    void SelectAll();
    // What the selection holds (the whole stamp when there is none) on the clipboard; false,
    // said, when it could not be put there.
    bool CopySelection();
    void CutSelection();
    void Paste();
    // A piece laid over the stamp at `at`, selected, as one step of the undo.
    void LayPiece(editor::Piece piece, editor::Point at);
    // The flips and turns: of the selection while there is one, otherwise of the whole stamp.
    void Turn(void (editor::Selection::*ofSelection)(), void (*ofStamp)(editor::Stamp&));
    void ShowSelectionStatus();

    // "Text" (EditorText.cpp): a press inside the selection moves it; elsewhere, once the button
    // is up, the text's box opens there.
    void TextPress(editor::Point p);
    void TextRelease();
    void PlaceText(editor::Point at);

    editor::Stamp m_original, m_stamp;
    std::optional<editor::Stamp> m_preview;
    editor::EditorHistory m_history;
    Tool m_tool = Tool::Pencil;
    editor::Colour m_primary = editor::kBlack, m_secondary = editor::kWhite;
    bool m_grid = true;
    editor::FillOptions m_fill;
    editor::Symmetry m_symmetry = editor::Symmetry::None;
    bool m_perfect = false;
    int m_previewZoom = 1;      // of the stamp as it will be shown; the second preview twice that
    bool m_replaceNext = false; // "Substitueix el color": the next click says which
    // A stroke or shape under way: where it began, which colour.
    std::optional<editor::Point> m_anchor;
    std::optional<editor::Stamp> m_strokeStart;
    std::optional<editor::Stroke> m_stroke;
    bool m_strokeSecondary = false;
    // "Selecciona": what is lifted, the box being drawn, the pixel a move was last at.
    std::optional<editor::Selection> m_selection;
    std::optional<editor::Box> m_drawnBox;
    std::optional<editor::Point> m_movedFrom;

    TextChoices& m_text;

    CStampCanvas m_canvas;
    CColourSwatches m_current, m_palette, m_own;
    CToolTips m_toolTips;
    // The tools' buttons named to a screen reader as their tips say.
    std::vector<std::unique_ptr<CControlAccess>> m_toolAccess;
};
