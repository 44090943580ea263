#include "dialogs/EditorDlg.h"

#include "dialogs/QuestionDlg.h"
#include "editor/Colours.h"
#include "editor/Drawing.h"
#include "layout/Zoom.h"
#include "platform/Layout.h"
#include "res/resource.h"

using editor::Colour;
using editor::Point;

namespace {

constexpr int kMinZoom = 10;

const int kToolIds[] = {IDC_EDITOR_PENCIL, IDC_EDITOR_LINE,   IDC_EDITOR_RECTANGLE,
                        IDC_EDITOR_FILL,   IDC_EDITOR_PICKER, IDC_EDITOR_ERASER};
// The one-letter key of each tool, its mnemonic too.
const char kToolKeys[] = {'L', 'N', 'R', 'O', 'C', 'G'};

std::string Described(Colour colour) {
    editor::Rgb rgb = editor::Shown(colour);
    return "vermell " + std::to_string(rgb.red) + ", verd " + std::to_string(rgb.green) +
           ", blau " + std::to_string(rgb.blue);
}

std::vector<std::uint8_t> ShownPixels(const editor::Stamp& stamp) {
    std::vector<std::uint8_t> bgr;
    for (int y = 0; y < editor::kSide; ++y) {
        for (int x = 0; x < editor::kSide; ++x) {
            editor::Rgb rgb = editor::Shown(stamp.ColourAt({x, y}));
            bgr.insert(bgr.end(), {rgb.blue, rgb.green, rgb.red});
        }
    }
    return bgr;
}

} // namespace

BEGIN_MESSAGE_MAP(CEditorDlg, CDialog)
ON_CONTROL_RANGE(BN_CLICKED, IDC_EDITOR_PENCIL, IDC_EDITOR_ERASER, OnToolChosen)
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
END_MESSAGE_MAP()

CEditorDlg::CEditorDlg(const PixelAreaBytes& area, CWnd* parent)
    : CDialog(IDD_EDITOR_DIALOG, parent), m_original(editor::Stamp::FromArea(area)),
      m_stamp(m_original) {
    // The template names these window classes: they must be there before it is made.
    CStampCanvas::RegisterWindowClass();
    CColourSwatches::RegisterWindowClass();
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
    m_canvas.Attach(
        GetDlgItem(IDC_EDITOR_CANVAS),
        {[this](Point p, bool secondary, bool pick) { OnPress(p, secondary, pick); },
         [this](Point p) { OnDrag(p); }, [this](Point p) { OnRelease(p); },
         [this](std::optional<Point> p) { OnPoint(p); },
         [this](Point p, bool secondary) { OnSpace(p, secondary); },
         [this](UINT key, bool shift, bool control) { return OnKey(key, shift, control); }},
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
    CheckRadioButton(IDC_EDITOR_PENCIL, IDC_EDITOR_ERASER, IDC_EDITOR_PENCIL);
    CheckDlgButton(IDC_EDITOR_GRID, BST_CHECKED);
    ShowColours();
    Show();
    OnPoint(m_canvas.Cursor());
    ::SetFocus(m_canvas.GetSafeHwnd());
    return FALSE; // the focus is on the canvas
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

void CEditorDlg::Change(const std::function<void(editor::Stamp&)>& change) {
    editor::Stamp changed = m_stamp;
    change(changed);
    if (changed != m_stamp) {
        m_history.Push(m_stamp);
        m_stamp = changed;
    }
    m_preview.reset();
    Show();
}

void CEditorDlg::DrawShape(editor::Stamp& stamp, Point to) const {
    Colour ink = InkOf(m_strokeSecondary);
    if (m_tool == Tool::Line) {
        editor::DrawLine(stamp, *m_anchor, to, ink);
    } else {
        bool filled = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
        editor::DrawRectangle(stamp, *m_anchor, to, ink, filled);
    }
}

void CEditorDlg::Preview(Point p) {
    editor::Stamp preview = m_stamp;
    DrawShape(preview, p);
    m_preview = preview;
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
        m_stamp.Paint(p, InkOf(secondary));
        m_anchor = p;
        m_last = p;
        Show();
        break;
    case Tool::Line:
    case Tool::Rectangle:
        m_anchor = p;
        Preview(p);
        break;
    case Tool::Fill:
        Change([&](editor::Stamp& s) { editor::FloodFill(s, p, InkOf(secondary)); });
        break;
    case Tool::Picker:
        break;
    }
}

void CEditorDlg::OnDrag(Point p) {
    if (!m_anchor) {
        return;
    }
    if (m_tool == Tool::Pencil || m_tool == Tool::Eraser) {
        editor::DrawLine(m_stamp, m_last, p, InkOf(m_strokeSecondary)); // no gaps, however fast
        m_last = p;
        Show();
    } else if (m_tool == Tool::Line || m_tool == Tool::Rectangle) {
        Preview(p);
    }
}

void CEditorDlg::OnRelease(Point p) {
    if (!m_anchor) {
        return;
    }
    if (m_tool == Tool::Line || m_tool == Tool::Rectangle) {
        Change([&](editor::Stamp& s) { DrawShape(s, p); });
    } else if (m_strokeStart && *m_strokeStart != m_stamp) {
        m_history.Push(*m_strokeStart);
        Show();
    }
    m_strokeStart.reset();
    m_anchor.reset();
}

void CEditorDlg::OnSpace(Point p, bool secondary) {
    // Lines and rectangles take two presses of Space: where they begin, then where they end.
    if ((m_tool == Tool::Line || m_tool == Tool::Rectangle) && !m_replaceNext) {
        if (!m_anchor) {
            m_strokeSecondary = secondary;
            m_anchor = p;
            Preview(p);
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
    if (m_anchor && !::GetCapture() && (m_tool == Tool::Line || m_tool == Tool::Rectangle)) {
        Preview(*p); // a shape begun with Space follows the keyboard's cursor
    }
    m_txtStatus.SetWindowText("Columna " + std::to_string(p->x + 1) + ", fila " +
                              std::to_string(p->y + 1) + " · " + Described(m_stamp.ColourAt(*p)));
}

bool CEditorDlg::OnKey(UINT key, bool, bool control) {
    if (control) {
        switch (key) {
        case 'Z':
            OnUndo();
            return true;
        case 'Y':
            OnRedo();
            return true;
        case VK_LEFT:
            OnShift(IDC_EDITOR_SHIFT_LEFT);
            return true;
        case VK_RIGHT:
            OnShift(IDC_EDITOR_SHIFT_RIGHT);
            return true;
        case VK_UP:
            OnShift(IDC_EDITOR_SHIFT_UP);
            return true;
        case VK_DOWN:
            OnShift(IDC_EDITOR_SHIFT_DOWN);
            return true;
        default:
            return false;
        }
    }
    for (std::size_t i = 0; i < std::size(kToolKeys); ++i) {
        if (key == static_cast<UINT>(kToolKeys[i])) {
            ChooseTool(static_cast<Tool>(i));
            return true;
        }
    }
    return false;
}

void CEditorDlg::ChooseTool(Tool tool) {
    m_tool = tool;
    m_anchor.reset();
    m_preview.reset();
    CheckRadioButton(IDC_EDITOR_PENCIL, IDC_EDITOR_ERASER, kToolIds[static_cast<int>(tool)]);
    Show();
}

void CEditorDlg::OnToolChosen(UINT id) {
    ChooseTool(static_cast<Tool>(id - IDC_EDITOR_PENCIL));
    ::SetFocus(m_canvas.GetSafeHwnd());
}

void CEditorDlg::OnFlipHorizontally() {
    Change(editor::FlipHorizontally);
}
void CEditorDlg::OnFlipVertically() {
    Change(editor::FlipVertically);
}
void CEditorDlg::OnRotateLeft() {
    Change(editor::RotateLeft);
}
void CEditorDlg::OnRotateRight() {
    Change(editor::RotateRight);
}
void CEditorDlg::OnClearAll() {
    Change(editor::ClearAll);
}

void CEditorDlg::OnReplaceColour() {
    m_replaceNext = true;
    m_txtStatus.SetWindowText("Feu clic al color que voleu substituir pel color principal.");
    ::SetFocus(m_canvas.GetSafeHwnd());
}

void CEditorDlg::OnShift(UINT id) {
    int dx = id == IDC_EDITOR_SHIFT_LEFT ? -1 : id == IDC_EDITOR_SHIFT_RIGHT ? 1 : 0;
    int dy = id == IDC_EDITOR_SHIFT_UP ? -1 : id == IDC_EDITOR_SHIFT_DOWN ? 1 : 0;
    Change([&](editor::Stamp& s) { editor::Shift(s, dx, dy); });
}

void CEditorDlg::OnUndo() {
    m_anchor.reset();
    m_preview.reset();
    m_history.Undo(m_stamp);
    Show();
}

void CEditorDlg::OnRedo() {
    m_anchor.reset();
    m_preview.reset();
    m_history.Redo(m_stamp);
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
    m_canvas.Show(shown, m_grid);
    std::vector<std::uint8_t> pixels = ShownPixels(shown);
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
