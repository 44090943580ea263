#include "dialogs/EditorDlg.h"

#include "dialogs/EffectDlgs.h"
#include "dialogs/QuestionDlg.h"
#include "editor/Colours.h"
#include "editor/Pieces.h"
#include "layout/Zoom.h"
#include "platform/Layout.h"
#include "platform/Text.h"
#include "res/resource.h"

#include <commctrl.h>

using editor::Colour;
using editor::Point;

namespace {

constexpr int kMinZoom = 10;

// The symmetries in the order "Simetria" lists them.
const char* const kSymmetryNames[] = {"Cap", "Eix vertical", "Eix horitzontal", "Tots dos eixos"};

std::string Described(Colour colour) {
    editor::Rgb rgb = editor::Shown(colour);
    return "vermell " + std::to_string(rgb.red) + ", verd " + std::to_string(rgb.green) +
           ", blau " + std::to_string(rgb.blue);
}

} // namespace

BEGIN_MESSAGE_MAP(CEditorDlg, CDialog)
ON_CONTROL_RANGE(BN_CLICKED, IDC_EDITOR_PENCIL, IDC_EDITOR_TEXT, OnToolChosen)
ON_BN_CLICKED(IDC_EDITOR_FLIP_H, OnFlipHorizontally)
ON_BN_CLICKED(IDC_EDITOR_FLIP_V, OnFlipVertically)
ON_BN_CLICKED(IDC_EDITOR_ROTATE_LEFT, OnRotateLeft)
ON_BN_CLICKED(IDC_EDITOR_ROTATE_RIGHT, OnRotateRight)
ON_BN_CLICKED(IDC_EDITOR_REPLACE, OnReplaceColour)
ON_BN_CLICKED(IDC_EDITOR_CLEAR, OnClearAll)
ON_BN_CLICKED(IDC_EDITOR_UNDO, OnUndo)
ON_BN_CLICKED(IDC_EDITOR_REDO, OnRedo)
ON_CONTROL_RANGE(BN_CLICKED, IDC_EDITOR_SHIFT_LEFT, IDC_EDITOR_SHIFT_DOWN, OnShift)
ON_BN_CLICKED(IDC_EDITOR_MORE, OnMoreColours)
ON_BN_CLICKED(IDC_EDITOR_GRID, OnGrid)
ON_BN_CLICKED(IDC_EDITOR_WHOLE_COLOUR, OnToolOptions)
ON_BN_CLICKED(IDC_EDITOR_PERFECT, OnToolOptions)
ON_CONTROL(EN_CHANGE, IDC_EDITOR_TOLERANCE, OnToolOptions)
ON_CONTROL(CBN_SELCHANGE, IDC_EDITOR_SYMMETRY, OnToolOptions)
ON_BN_CLICKED(IDC_EDITOR_OUTLINE, OnOutline)
ON_BN_CLICKED(IDC_EDITOR_SHADOW, OnShadow)
ON_BN_CLICKED(IDC_EDITOR_ADJUST, OnAdjustColours)
ON_WM_NOTIFY()
END_MESSAGE_MAP()

CEditorDlg::CEditorDlg(const PixelAreaBytes& area, TextChoices& text, CWnd* parent)
    : CDialog(IDD_EDITOR_DIALOG, parent), m_original(editor::Stamp::FromArea(area)),
      m_stamp(m_original), m_text(text) {
    // The template names these window classes: they must be there before it is made.
    CStampCanvas::RegisterWindowClass();
    CColourSwatches::RegisterWindowClass();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
}

void CEditorDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EDITOR_PREVIEW1, m_picPreview1);
    DDX_Control(pDX, IDC_EDITOR_PREVIEW2, m_picPreview2);
    DDX_Control(pDX, IDC_EDITOR_STATUS, m_txtStatus);
}

void CEditorDlg::LayOut(int dpi) {
    // Sized for what they show at this DPI, whatever the font makes of the template's units.
    m_previewZoom = layout::ZoomForDpi(1, dpi);
    const int canvas = 32 * layout::ZoomForDpi(kMinZoom, dpi), preview = 32 * m_previewZoom;
    GrowControls(m_hWnd, {{GetDlgItem(IDC_EDITOR_CANVAS), canvas, canvas},
                          {GetDlgItem(IDC_EDITOR_PREVIEW1), preview, preview},
                          {GetDlgItem(IDC_EDITOR_PREVIEW2), 2 * preview, 2 * preview}});
    m_canvas.Attach(GetDlgItem(IDC_EDITOR_CANVAS),
                    {[this](Point p, bool secondary, bool pick) { OnPress(p, secondary, pick); },
                     [this](Point p) { OnDrag(p); }, [this](Point p) { OnRelease(p); },
                     [this](std::optional<Point> p) { OnPoint(p); },
                     [this](Point p, bool secondary) { OnSpace(p, secondary); }},
                    layout::ZoomForDpi(kMinZoom, dpi));
}

void CEditorDlg::OnDpiChanged(int dpi) {
    LayOut(dpi);
    Show();
}

BOOL CEditorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    LayOut(GetDpi());
    auto choose = [this](Colour colour, bool secondary) { SetColour(colour, secondary); };
    m_current.Attach(GetDlgItem(IDC_EDITOR_CURRENT), 2, nullptr);
    m_palette.Attach(GetDlgItem(IDC_EDITOR_PALETTE), 8, choose);
    m_palette.SetColours(editor::ChildrensPalette());
    m_own.Attach(GetDlgItem(IDC_EDITOR_OWN), 8, choose);
    m_current.SetAccessibleNames(L"Colors triats", {L"Principal", L"Secundari"});
    m_palette.SetAccessibleNames(L"Paleta");
    m_own.SetAccessibleNames(L"Colors del segell");
    CheckRadioButton(IDC_EDITOR_PENCIL, IDC_EDITOR_TEXT, IDC_EDITOR_PENCIL);
    CheckDlgButton(IDC_EDITOR_GRID, BST_CHECKED);
    SetUpToolOptions();
    CreateToolTips();
    ShowColours();
    Show();
    OnPoint(m_canvas.Cursor());
    ::SetFocus(m_canvas.GetSafeHwnd());
    return FALSE; // the focus is on the canvas
}

void CEditorDlg::SetUpToolOptions() {
    ::SendMessageW(GetDlgItem(IDC_EDITOR_TOLERANCE_SPIN), UDM_SETRANGE32, 0, editor::kMaxTolerance);
    ::SendMessageW(GetDlgItem(IDC_EDITOR_TOLERANCE_SPIN), UDM_SETPOS32, 0, m_fill.tolerance);
    HWND symmetry = GetDlgItem(IDC_EDITOR_SYMMETRY);
    for (const char* name : kSymmetryNames) {
        ::SendMessageW(symmetry, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
    }
    ::SendMessageW(symmetry, CB_SETCURSEL, 0, 0);
}

void CEditorDlg::OnToolOptions() {
    BOOL valid = FALSE;
    UINT tolerance = GetDlgItemInt(IDC_EDITOR_TOLERANCE, &valid, FALSE);
    if (valid && tolerance > static_cast<UINT>(editor::kMaxTolerance)) {
        SetDlgItemInt(IDC_EDITOR_TOLERANCE, editor::kMaxTolerance, FALSE); // and comes back here
        return;
    }
    if (valid) {
        m_fill.tolerance = static_cast<int>(tolerance);
    }
    m_fill.wholeColour = IsDlgButtonChecked(IDC_EDITOR_WHOLE_COLOUR) == BST_CHECKED;
    m_perfect = IsDlgButtonChecked(IDC_EDITOR_PERFECT) == BST_CHECKED;
    auto chosen = ::SendMessageW(GetDlgItem(IDC_EDITOR_SYMMETRY), CB_GETCURSEL, 0, 0);
    m_symmetry = static_cast<editor::Symmetry>(std::clamp<LRESULT>(chosen, 0, 3));
    Show();
}

INT_PTR CEditorDlg::DoModal() {
    CEditorKeys keys(*this); // for as long as the window is open
    return CDialog::DoModal();
}

void CEditorDlg::OnCancel() {
    if (IsChanged()) {
        CQuestionDlg discard("Voleu descartar els canvis del segell?", this);
        if (discard.DoModal() != IDOK) {
            return;
        }
    }
    CDialog::OnCancel();
}

Colour CEditorDlg::InkOf(bool secondary) const {
    // The eraser paints the secondary colour, and the primary with the other button.
    bool second = m_tool == Tool::Eraser ? !secondary : secondary;
    return second ? m_secondary : m_primary;
}

void CEditorDlg::Change(const std::function<void(editor::Stamp&)>& change, bool mirrored) {
    editor::Stamp changed = m_stamp;
    change(changed);
    if (mirrored) {
        changed = editor::Mirrored(m_stamp, changed, m_symmetry);
    }
    if (changed != m_stamp) {
        m_history.Push(m_stamp);
        m_stamp = changed;
    }
    m_preview.reset();
    Show();
}

bool CEditorDlg::IsShapeTool() const {
    return m_tool == Tool::Line || m_tool == Tool::Rectangle || m_tool == Tool::Ellipse;
}

void CEditorDlg::DrawShape(editor::Stamp& stamp, Point to) const {
    Colour ink = InkOf(m_strokeSecondary);
    bool filled = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (m_tool == Tool::Line) {
        editor::DrawLine(stamp, *m_anchor, to, ink);
    } else if (m_tool == Tool::Ellipse) {
        editor::DrawEllipse(stamp, *m_anchor, to, ink, filled);
    } else {
        editor::DrawRectangle(stamp, *m_anchor, to, ink, filled);
    }
}

void CEditorDlg::Preview(Point p) {
    editor::Stamp preview = m_stamp;
    DrawShape(preview, p);
    m_preview = editor::Mirrored(m_stamp, preview, m_symmetry);
    Show();
}

void CEditorDlg::StrokeTo(Point p) {
    // Painted again whole from where the stroke began: "Traç perfecte" may take back a pixel.
    m_stroke->Add(p);
    editor::Stamp painted = *m_strokeStart;
    for (Point pixel : m_stroke->Pixels()) {
        painted.Paint(pixel, InkOf(m_strokeSecondary));
    }
    m_stamp = editor::Mirrored(*m_strokeStart, painted, m_symmetry);
    Show();
}

void CEditorDlg::OnPress(Point p, bool secondary, bool pick) {
    m_strokeSecondary = secondary;
    if (pick || m_tool == Tool::Picker) {
        SetColour(m_stamp.ColourAt(p), secondary);
        return;
    }
    if (m_replaceNext) {
        m_replaceNext = false;
        // The primary colour (the secondary with the right button), whatever the tool: the
        // eraser's swap of the two is the eraser's own.
        Colour from = m_stamp.ColourAt(p), to = secondary ? m_secondary : m_primary;
        Change([&](editor::Stamp& s) { editor::ReplaceColour(s, from, to); });
        return;
    }
    switch (m_tool) {
    case Tool::Pencil:
    case Tool::Eraser:
        m_strokeStart = m_stamp; // the whole stroke is one step of the editor's undo
        m_stroke.emplace(p, m_perfect);
        m_anchor = p;
        StrokeTo(p);
        break;
    case Tool::Line:
    case Tool::Rectangle:
    case Tool::Ellipse:
        m_anchor = p;
        Preview(p);
        break;
    case Tool::Fill:
        Change([&](editor::Stamp& s) { editor::FloodFill(s, p, InkOf(secondary), m_fill); }, true);
        break;
    case Tool::Select:
        SelectPress(p);
        break;
    case Tool::Text:
        TextPress(p);
        break;
    case Tool::Picker:
        break;
    }
}

void CEditorDlg::OnDrag(Point p) {
    if (m_tool == Tool::Select || m_tool == Tool::Text) {
        SelectDrag(p);
    } else if (m_anchor && m_stroke) {
        StrokeTo(p);
    } else if (m_anchor && IsShapeTool()) {
        Preview(p);
    }
}

void CEditorDlg::OnRelease(Point p) {
    if (m_tool == Tool::Select) {
        SelectRelease();
        return;
    }
    if (m_tool == Tool::Text) {
        TextRelease();
        return;
    }
    if (!m_anchor) {
        return;
    }
    if (IsShapeTool()) {
        Change([&](editor::Stamp& s) { DrawShape(s, p); }, true);
    } else if (m_strokeStart && *m_strokeStart != m_stamp) {
        m_history.Push(*m_strokeStart);
        Show();
    }
    m_strokeStart.reset();
    m_stroke.reset();
    m_anchor.reset();
}

void CEditorDlg::OnSpace(Point p, bool secondary) {
    // Lines, rectangles, ellipses and selections take two presses of Space: where they begin,
    // then where they end.
    if ((IsShapeTool() || m_tool == Tool::Select) && !m_replaceNext) {
        if (m_tool == Tool::Select ? !m_drawnBox : !m_anchor) {
            OnPress(p, secondary, false);
        } else {
            OnRelease(p);
        }
        return;
    }
    OnPress(p, secondary, false);
    OnRelease(p);
}

void CEditorDlg::OnPoint(std::optional<Point> p) {
    if (!p) {
        m_txtStatus.SetWindowText("");
        return;
    }
    if (!::GetCapture() && m_anchor && IsShapeTool()) {
        Preview(*p); // a shape begun with Space follows the keyboard's cursor
    } else if (!::GetCapture() && m_drawnBox) {
        SelectDrag(*p);
    }
    m_txtStatus.SetWindowText("Columna " + std::to_string(p->x + 1) + ", fila " +
                              std::to_string(p->y + 1) + " · " + Described(m_stamp.ColourAt(*p)));
}

void CEditorDlg::ChooseTool(Tool tool) {
    SetDown();
    m_tool = tool;
    m_anchor.reset();
    m_drawnBox.reset();
    m_preview.reset();
    CheckRadioButton(IDC_EDITOR_PENCIL, IDC_EDITOR_TEXT,
                     IDC_EDITOR_PENCIL + static_cast<int>(tool));
    Show();
}

void CEditorDlg::OnToolChosen(UINT id) {
    ChooseTool(static_cast<Tool>(id - IDC_EDITOR_PENCIL));
    ::SetFocus(m_canvas.GetSafeHwnd());
}

void CEditorDlg::OnFlipHorizontally() {
    Turn(&editor::Selection::FlipHorizontally, editor::FlipHorizontally);
}
void CEditorDlg::OnFlipVertically() {
    Turn(&editor::Selection::FlipVertically, editor::FlipVertically);
}
void CEditorDlg::OnRotateLeft() {
    Turn(&editor::Selection::RotateLeft, editor::RotateLeft);
}
void CEditorDlg::OnRotateRight() {
    Turn(&editor::Selection::RotateRight, editor::RotateRight);
}
void CEditorDlg::OnClearAll() {
    SetDown();
    Change(editor::ClearAll);
}

void CEditorDlg::OnReplaceColour() {
    SetDown();
    m_replaceNext = true;
    m_txtStatus.SetWindowText("Feu clic al color que voleu substituir pel color principal.");
    ::SetFocus(m_canvas.GetSafeHwnd());
}

void CEditorDlg::OnShift(UINT id) {
    SetDown();
    int dx = id == IDC_EDITOR_SHIFT_LEFT ? -1 : id == IDC_EDITOR_SHIFT_RIGHT ? 1 : 0;
    int dy = id == IDC_EDITOR_SHIFT_UP ? -1 : id == IDC_EDITOR_SHIFT_DOWN ? 1 : 0;
    Change([&](editor::Stamp& s) { editor::Shift(s, dx, dy); });
}

void CEditorDlg::OnUndo() {
    SetDown();
    m_anchor.reset();
    m_preview.reset();
    m_history.Undo(m_stamp);
    Show();
}

void CEditorDlg::OnRedo() {
    SetDown();
    m_anchor.reset();
    m_preview.reset();
    m_history.Redo(m_stamp);
    Show();
}

void CEditorDlg::RunEffect(CEffectDlg& effect) {
    SetDown();
    if (effect.DoModal() == IDOK) {
        Change([&](editor::Stamp& s) { s = effect.Result(); });
    } else {
        m_preview.reset();
        Show();
    }
    ::SetFocus(m_canvas.GetSafeHwnd());
}

void CEditorDlg::OnOutline() {
    COutlineDlg outline(
        m_stamp, m_primary, [this](const editor::Stamp* s) { ShowEffect(s); }, this);
    RunEffect(outline);
}

void CEditorDlg::OnShadow() {
    CShadowDlg shadow(
        m_stamp, [this](const editor::Stamp* s) { ShowEffect(s); }, this);
    RunEffect(shadow);
}

void CEditorDlg::OnAdjustColours() {
    CAdjustDlg adjust(
        m_stamp, [this](const editor::Stamp* s) { ShowEffect(s); }, this);
    RunEffect(adjust);
}

void CEditorDlg::ShowEffect(const editor::Stamp* preview) {
    m_preview = preview != nullptr ? std::optional(*preview) : std::nullopt;
    Show();
}

void CEditorDlg::OnMoreColours() {
    editor::Rgb rgb = editor::Shown(m_primary);
    COLORREF chosen = RGB(rgb.red, rgb.green, rgb.blue);
    if (ChooseColour(m_hWnd, chosen)) {
        // Shown as it will be stored: the nearest colour a collection keeps.
        SetColour(editor::SnapToStorable({GetRValue(chosen), GetGValue(chosen), GetBValue(chosen)}),
                  false);
    }
}

void CEditorDlg::OnGrid() {
    m_grid = IsDlgButtonChecked(IDC_EDITOR_GRID) == BST_CHECKED;
    Show();
}

void CEditorDlg::SetColour(Colour colour, bool secondary) {
    (secondary ? m_secondary : m_primary) = colour;
    ShowColours();
    m_txtStatus.SetWindowText(std::string(secondary ? "Color secundari: " : "Color principal: ") +
                              Described(colour));
}

void CEditorDlg::ShowColours() {
    m_current.SetColours({m_primary, m_secondary});
}

void CEditorDlg::Show() {
    const editor::Stamp& shown = m_preview ? *m_preview : m_stamp;
    std::optional<editor::Box> box = m_selection ? std::optional(m_selection->Where()) : m_drawnBox;
    m_canvas.Show(shown, {m_grid, box, m_symmetry});
    std::vector<std::uint8_t> pixels = editor::ShownPixels(shown);
    m_picPreview1.SetBitmap(CBitmap::FromPixels(pixels.data(), 32, 32, m_previewZoom));
    m_picPreview2.SetBitmap(CBitmap::FromPixels(pixels.data(), 32, 32, 2 * m_previewZoom));
    std::vector<Colour> own = editor::ColoursByUse(m_stamp);
    own.resize(std::min<std::size_t>(own.size(), 16));
    if (own != m_own.Colours()) {
        m_own.SetColours(std::move(own));
    }
    ::EnableWindow(GetDlgItem(IDC_EDITOR_UNDO), m_history.CanUndo());
    ::EnableWindow(GetDlgItem(IDC_EDITOR_REDO), m_history.CanRedo());
    // On screen before the input that changed it is done with: within the frame.
    RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}
