#pragma once

#include "dialogs/ColourSwatches.h"
#include "dialogs/StampCanvas.h"
#include "editor/EditorHistory.h"
#include "editor/Stamp.h"
#include "platform/Afx.h"

#include <optional>
#include <string>

// "Edita el segell": a small paint window for one 32x32 stamp, in the colours a collection
// stores. It draws and routes input only: every change to the stamp is an operation of the
// portable editor. "D'acord" gives the stamp to the caller, who writes it; "Cancel·la", Esc and
// the close box leave it, asking first when something was drawn.
class CEditorDlg : public CDialog {
public:
    enum class Tool { Pencil, Line, Rectangle, Fill, Picker, Eraser };

    explicit CEditorDlg(const PixelAreaBytes& area, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnCancel() override;

    // The stamp as the window leaves it: after "D'acord", the one to write.
    const editor::Stamp& GetStamp() const { return m_stamp; }
    bool IsChanged() const { return m_stamp != m_original; }

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

    DECLARE_MESSAGE_MAP()

private:
    // Sizes the canvas and the previews for what they show at dpi.
    void LayOut(int dpi);
    // The canvas's input, as each tool takes it.
    void OnPress(editor::Point p, bool secondary, bool pick);
    void OnDrag(editor::Point p);
    void OnRelease(editor::Point p);
    void OnSpace(editor::Point p, bool secondary);
    void OnPoint(std::optional<editor::Point> p);
    bool OnKey(UINT key, bool shift, bool control);

    void ChooseTool(Tool tool);
    // One step of the editor's undo: the stamp as it is kept, then changed.
    void Change(const std::function<void(editor::Stamp&)>& change);
    // The stamp a line or rectangle from the anchor to p would give, not yet kept.
    void Preview(editor::Point p);
    void DrawShape(editor::Stamp& stamp, editor::Point to) const;
    void Show();
    void ShowColours();
    void SetColour(editor::Colour colour, bool secondary);
    editor::Colour InkOf(bool secondary) const;

    editor::Stamp m_original, m_stamp;
    std::optional<editor::Stamp> m_preview;
    editor::EditorHistory m_history;
    Tool m_tool = Tool::Pencil;
    editor::Colour m_primary = editor::kBlack, m_secondary = editor::kWhite;
    bool m_grid = true;
    int m_previewZoom = 1;      // of the stamp as it will be shown; the second preview twice that
    bool m_replaceNext = false; // "Substitueix el color": the next click says which
    // A stroke or shape under way: where it began, the last pixel, which colour.
    std::optional<editor::Point> m_anchor;
    std::optional<editor::Stamp> m_strokeStart;
    editor::Point m_last{0, 0};
    bool m_strokeSecondary = false;

    CStampCanvas m_canvas;
    CColourSwatches m_current, m_palette, m_own;
};
