#include "dialogs/CompareDlg.h"

#include "collection/Versions.h"
#include "layout/Zoom.h"
#include "platform/Dpi.h"
#include "res/resource.h"

#include <algorithm>

namespace {

constexpr int kColumns = 14;

bool Held(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

} // namespace

// The grid of the two states: it draws the dialog's canvas and hands clicks and keys to it.
class CCompareDlg::Grid : public CCustomControl {
public:
    explicit Grid(CCompareDlg& owner) : m_owner(owner) {}
    void Create(HWND parent) {
        RegisterControlClass(L"BreltCompareGrid", IDC_ARROW, CS_DBLCLKS);
        CreateAttached(L"BreltCompareGrid", parent, WS_TABSTOP);
    }

private:
    void Draw(HDC dc) const override {
        m_owner.m_canvas.CopyTo(dc);
        if (::GetFocus() == m_hWnd) {
            RECT cell = m_owner.CellRect(m_owner.m_current);
            ::DrawFocusRect(dc, &cell);
        }
    }

    std::unique_ptr<CAccessibleParts> MakeAccessibleParts() const override {
        return m_owner.MakeAccessibleParts();
    }

    // What a key or a click changed, told to a screen reader: the cell now current, and that the
    // selection may have changed.
    void TellReader() const {
        NotifyAccessible(EVENT_OBJECT_SELECTIONWITHIN, m_hWnd, 0);
        NotifyAccessible(EVENT_OBJECT_FOCUS, m_hWnd, m_owner.m_current);
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN: {
            ::SetFocus(m_hWnd);
            int image = m_owner.ImageAt(
                {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            if (image != 0) { // Shift and Ctrl as the click had them
                m_owner.Press(image, (wParam & MK_SHIFT) != 0, (wParam & MK_CONTROL) != 0);
                TellReader();
            }
            return 0;
        }
        case WM_KEYDOWN:
            m_owner.Key(static_cast<UINT>(wParam), Held(VK_SHIFT), Held(VK_CONTROL));
            TellReader();
            return 0;
        default:
            return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
        }
    }
    CCompareDlg& m_owner;
};

BEGIN_MESSAGE_MAP(CCompareDlg, CDialog)
ON_BN_CLICKED(IDC_COMPARE_RESTORE_SELECTED, OnRestoreSelected)
ON_BN_CLICKED(IDC_COMPARE_RESTORE_ALL, OnRestoreAll)
END_MESSAGE_MAP()

CCompareDlg::CCompareDlg(std::string caption, FileBytes earlier, FileBytes now, int imageCount,
                         Texts texts, CWnd* parent)
    : CDialog(IDD_COMPARE_DIALOG, parent), m_texts(std::move(texts)), m_caption(std::move(caption)),
      m_earlier(std::move(earlier)), m_now(std::move(now)), m_count(std::max(1, imageCount)) {
    m_differing = DifferingImages(m_earlier, m_now, m_count);
    m_selected.assign(static_cast<std::size_t>(m_count), false);
    for (int image : m_differing) {
        m_selected[static_cast<std::size_t>(image - 1)] = true;
    }
    m_current = m_anchor = m_differing.empty() ? 1 : m_differing.front();
}

CCompareDlg::~CCompareDlg() = default;

BOOL CCompareDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(m_caption);
    const std::pair<int, const std::string*> texts[] = {
        {IDC_COMPARE_HELP, &m_texts.help},
        {IDC_COMPARE_RESTORE_SELECTED, &m_texts.selected},
        {IDC_COMPARE_RESTORE_ALL, &m_texts.all}};
    for (const auto& [id, text] : texts) {
        if (!text->empty()) {
            SetDlgItemText(id, *text);
        }
    }
    m_gridControl = std::make_unique<Grid>(*this);
    m_gridControl->Create(m_hWnd);
    m_grid = m_gridControl->GetSafeHwnd();
    LayOut(GetDpi());
    ::EnableWindow(GetDlgItem(IDC_COMPARE_RESTORE_ALL), !m_differing.empty());
    ::SetFocus(m_grid);
    return FALSE;
}

void CCompareDlg::OnDpiChanged(int dpi) {
    LayOut(dpi);
    CentreOverMainWindow(m_hWnd);
}

RECT CCompareDlg::CellRect(int image) const {
    int column = (image - 1) % kColumns, row = (image - 1) / kColumns;
    return {column * m_cellWidth, row * m_cellHeight, (column + 1) * m_cellWidth,
            (row + 1) * m_cellHeight};
}

int CCompareDlg::ImageAt(POINT point) const {
    if (point.x < 0 || point.y < 0 || point.x >= kColumns * m_cellWidth) {
        return 0;
    }
    int image = point.y / m_cellHeight * kColumns + point.x / m_cellWidth + 1;
    return image <= m_count ? image : 0;
}

void CCompareDlg::LayOut(int dpi) {
    CClientDC screen(m_hWnd);
    CSelectObject font(screen.GetSafeHdc(), reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(screen.GetSafeHdc(), &metrics);
    RECT units{0, 0, 4, 14}; // the margin and a button's height, in dialog units
    ::MapDialogRect(m_hWnd, &units);
    const int margin = units.right, buttons = units.bottom, line = metrics.tmHeight;
    const int rows = (m_count + kColumns - 1) / kColumns;
    RECT frame{0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)));
    const RECT work = WorkAreaOf(m_hWnd);
    const int wanted = layout::ZoomForDpi(1, dpi);
    const int extraHeight =
        rows * (8 + line) + line + buttons + 4 * margin + frame.bottom - frame.top;
    m_zoom = std::min(layout::ZoomWithin(wanted, 64, kColumns,
                                         kColumns * 12 + 2 * margin + frame.right - frame.left,
                                         work.right - work.left),
                      layout::ZoomWithin(wanted, 32, rows, extraHeight, work.bottom - work.top));
    m_cellWidth = 64 * m_zoom + 12;
    m_cellHeight = 32 * m_zoom + 8 + line;
    const int width = kColumns * m_cellWidth, height = rows * m_cellHeight;
    m_canvas.Create(width, height);
    m_canvas.SetFont(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    DrawAllCells();
    const int top = margin + line + margin;
    ::SetWindowPos(GetDlgItem(IDC_COMPARE_HELP), nullptr, margin, margin, width, line,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(m_grid, nullptr, margin, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // The buttons along the bottom, from the right, each as wide as its template makes it.
    int right = margin + width;
    for (int id : {IDCANCEL, IDC_COMPARE_RESTORE_ALL, IDC_COMPARE_RESTORE_SELECTED}) {
        RECT button;
        ::GetWindowRect(GetDlgItem(id), &button);
        right -= button.right - button.left;
        ::SetWindowPos(GetDlgItem(id), nullptr, right, top + height + margin, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        right -= margin;
    }
    RECT size{0, 0, width + 2 * margin, top + height + 2 * margin + buttons};
    ::AdjustWindowRectEx(&size, static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.right - size.left, size.bottom - size.top,
                   SWP_NOZORDER | SWP_NOMOVE);
}

// A cell: the earlier stamp at the left, the one now at the right, its number under them; a cell
// that differs framed red with its number in red, a selected one in the highlight colour.
void CCompareDlg::DrawAllCells() {
    m_colours = CurrentDrawingColours();
    m_canvas.Fill({0, 0, m_canvas.Width(), m_canvas.Height()}, m_colours.background);
    for (int image = 1; image <= m_count; ++image) {
        DrawCell(image);
    }
}

void CCompareDlg::OnColoursChanged() {
    DrawAllCells();
}

void CCompareDlg::DrawCell(int image) {
    const std::size_t i = static_cast<std::size_t>(image - 1);
    const bool selected = m_selected[i];
    const bool differs = std::binary_search(m_differing.begin(), m_differing.end(), image);
    RECT cell = CellRect(image);
    m_canvas.Fill(cell, selected ? m_colours.selection : m_colours.background);
    const int side = 32 * m_zoom;
    const int left = cell.left + 4, top = cell.top + 4;
    if (differs) {
        RECT frame{left - 2, top - 2, left + 2 * side + 6, top + side + 2};
        m_canvas.Fill(frame, m_colours.marked);
    }
    ::GdiFlush();
    const FileBytes* const contents[] = {&m_earlier, &m_now};
    for (int k = 0; k < 2; ++k) {
        auto shown = ShownPixels(PixelAreaIn(*contents[k], image));
        const int x0 = left + k * (side + 4);
        for (int y = 0; y < side; ++y) {
            std::uint8_t* row =
                m_canvas.Bits() + static_cast<std::size_t>(top + y) * m_canvas.Stride();
            for (int x = 0; x < side; ++x) {
                const std::uint8_t* from =
                    &shown[static_cast<std::size_t>((y / m_zoom) * 32 + x / m_zoom) * 3];
                std::copy(from, from + 3, row + (x0 + x) * 3);
            }
        }
    }
    HDC dc = m_canvas.GetSafeHdc();
    RECT label{cell.left, top + side + 3, cell.right, cell.bottom};
    std::wstring number = std::to_wstring(image);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, selected  ? m_colours.selectionText
                       : differs ? m_colours.marked
                                 : m_colours.text);
    ::DrawTextW(dc, number.c_str(), -1, &label, DT_CENTER | DT_TOP | DT_SINGLELINE);
    ::InvalidateRect(m_grid, &cell, FALSE);
}

void CCompareDlg::Press(int image, bool shift, bool control) {
    const int from = std::min(m_anchor, image), to = std::max(m_anchor, image);
    for (int k = 1; k <= m_count; ++k) {
        std::size_t i = static_cast<std::size_t>(k - 1);
        bool was = m_selected[i];
        m_selected[i] = control ? (k == image ? !was : was)
                        : shift ? (k >= from && k <= to)
                                : k == image;
        if (m_selected[i] != was) {
            DrawCell(k);
        }
    }
    if (!shift) {
        m_anchor = image;
    }
    m_current = image;
    ::InvalidateRect(m_grid, nullptr, FALSE); // the focus moves with the current cell
}

void CCompareDlg::Key(UINT key, bool shift, bool control) {
    const int steps[] = {VK_LEFT, -1, VK_RIGHT, 1, VK_UP, -kColumns, VK_DOWN, kColumns};
    for (int k = 0; k < 8; k += 2) {
        if (key == static_cast<UINT>(steps[k])) {
            int image = std::clamp(m_current + steps[k + 1], 1, m_count);
            shift ? Press(image, true, false) : (void)(m_current = image);
            ::InvalidateRect(m_grid, nullptr, FALSE);
            return;
        }
    }
    if (key == VK_SPACE) {
        Press(m_current, false, true);
    } else if (key == 'A' && control) {
        m_anchor = 1;
        Press(m_count, true, false);
    }
}

void CCompareDlg::Finish(std::vector<int> images) {
    m_chosen = std::move(images);
    EndDialog(IDOK);
}

void CCompareDlg::OnRestoreSelected() {
    std::vector<int> images;
    for (int image = 1; image <= m_count; ++image) {
        if (m_selected[static_cast<std::size_t>(image - 1)]) {
            images.push_back(image);
        }
    }
    if (!images.empty()) {
        Finish(std::move(images));
    }
}

void CCompareDlg::OnRestoreAll() {
    Finish(m_differing);
}
