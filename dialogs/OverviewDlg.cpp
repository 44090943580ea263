#include "dialogs/OverviewDlg.h"

#include "platform/Accessible.h"

#include "layout/Zoom.h"
#include "platform/Dpi.h"
#include "platform/Gdi.h"
#include "platform/Menu.h"
#include "res/resource.h"

#include <algorithm>

namespace {

const wchar_t* const kGridClass = L"BreltOverviewGrid";
// A colour for each group of repeated stamps, taken in turn.
const COLORREF kGroupColours[] = {RGB(230, 25, 75),  RGB(60, 180, 75),  RGB(0, 130, 200),
                                  RGB(245, 130, 48), RGB(145, 30, 180), RGB(70, 240, 240),
                                  RGB(240, 50, 230), RGB(128, 128, 0)};

int Rows(int count) {
    return (count + COverviewDlg::kColumns - 1) / COverviewDlg::kColumns;
}

bool Held(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

void Frame(HDC dc, RECT rect, COLORREF colour, int width) {
    CBrush brush(colour);
    for (int i = 0; i < width; ++i) {
        ::FrameRect(dc, &rect, brush.GetSafeHandle());
        ::InflateRect(&rect, -1, -1);
    }
}

// A frame of width pixels inside rect, drawn on the canvas; the selection's grows outwards.
void FrameIn(const COffscreen& canvas, RECT rect, COLORREF colour, int width) {
    for (int i = 0; i < width; ++i) {
        canvas.Fill({rect.left, rect.top, rect.right, rect.top + 1}, colour);
        canvas.Fill({rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
        canvas.Fill({rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
        canvas.Fill({rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
        ::InflateRect(&rect, 1, 1);
    }
}

} // namespace

// The grid of stamps: it shows the dialog's canvas and hands the mouse and the keys to it.
class COverviewDlg::GridControl : public CCustomControl {
public:
    explicit GridControl(COverviewDlg& owner) : m_owner(owner) {}
    void Create(HWND parent) {
        RegisterControlClass(kGridClass, IDC_ARROW, CS_DBLCLKS);
        CreateAttached(kGridClass, parent, WS_TABSTOP);
    }

private:
    void Draw(HDC dc) const override { m_owner.Paint(dc); }
    std::unique_ptr<CAccessibleParts> MakeAccessibleParts() const override {
        return m_owner.MakeAccessibleParts();
    }
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

    COverviewDlg& m_owner;
};

LRESULT COverviewDlg::GridControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        m_owner.OnKey(static_cast<UINT>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        m_owner.OnGridPress(lParam, wParam);
        return 0;
    case WM_MOUSEMOVE:
        m_owner.OnGridDrag(lParam);
        return 0;
    case WM_LBUTTONUP:
        m_owner.OnGridRelease(lParam, wParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        m_owner.OnGridDoubleClick(lParam);
        return 0;
    case WM_CONTEXTMENU:
        m_owner.ShowMenu(lParam);
        return 0;
    case WM_COMMAND: // the menu's commands, sent as a menu would
        m_owner.Command(LOWORD(wParam));
        return 0;
    default:
        return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
}

BEGIN_MESSAGE_MAP(COverviewDlg, CDialog)
END_MESSAGE_MAP()

COverviewDlg::COverviewDlg(std::FILE* collection, int imageCount, int current, std::string caption,
                           Commands commands, CWnd* parent)
    : CDialog(IDD_OVERVIEW_DIALOG, parent), m_collection(collection), m_count(imageCount),
      m_current(std::clamp(current, 1, std::max(1, imageCount))), m_anchor(m_current),
      m_caption(std::move(caption)), m_commands(std::move(commands)),
      m_gridControl(std::make_unique<GridControl>(*this)) {}

COverviewDlg::~COverviewDlg() = default;

HWND COverviewDlg::GridWindow() const {
    return m_gridControl->GetSafeHwnd();
}

RECT COverviewDlg::CellRect(int image) const {
    int column = (image - 1) % kColumns, row = (image - 1) / kColumns;
    return {column * CellWidth(), row * CellHeight(), (column + 1) * CellWidth(),
            (row + 1) * CellHeight()};
}

RECT COverviewDlg::ImageRect(int image) const {
    RECT cell = CellRect(image);
    const int left = cell.left + (CellWidth() - 32 * m_zoom) / 2; // 2 pixels in, or centred
    return {left, cell.top + 2, left + 32 * m_zoom, cell.top + 2 + 32 * m_zoom};
}

std::vector<int> COverviewDlg::Selection() const {
    std::vector<int> images;
    for (int image = 1; image <= m_count; ++image) {
        if (m_selected[static_cast<std::size_t>(image - 1)]) {
            images.push_back(image);
        }
    }
    return images;
}

BOOL COverviewDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(m_caption);
    m_selected.assign(static_cast<std::size_t>(m_count), false);
    m_selected[static_cast<std::size_t>(m_current - 1)] = true;
    for (int image = 1; image <= m_count; ++image) {
        m_areas.push_back(ReadPixelArea(m_collection, image).value_or(PixelAreaBytes{}));
    }
    m_marks = plans::MarkStamps(m_areas);
    m_gridControl->Create(m_hWnd);
    m_status = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                 0, 0, 0, 0, m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    LayOut(GetDpi());
    ShowStatus();
    ::SetFocus(GridWindow());
    return FALSE; // the focus is set
}

void COverviewDlg::OnDpiChanged(int dpi) {
    LayOut(dpi);
    CentreOverMainWindow(m_hWnd);
}

void COverviewDlg::LayOut(int dpi) {
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    TEXTMETRICW metrics{};
    SIZE number{};
    {
        CClientDC dc(m_hWnd);
        CSelectObject inFont(dc.GetSafeHdc(), font);
        ::GetTextMetricsW(dc.GetSafeHdc(), &metrics);
        ::GetTextExtentPoint32W(dc.GetSafeHdc(), L"126", 3, &number);
    }
    const int line = metrics.tmHeight + 8; // the line under the grid
    m_labelHeight = std::max<int>(layout::ForDpi(14, dpi), metrics.tmHeight + 1);

    // Twice the stamps' size at 96 DPI, more at higher DPI, as far as the screen holds it.
    RECT frame{0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)));
    const RECT work = WorkAreaOf(m_hWnd);
    const int rows = Rows(m_count);
    const int wanted = layout::ZoomForDpi(2, dpi);
    m_zoom =
        std::min(layout::ZoomWithin(wanted, 32, kColumns, kColumns * 4 + frame.right - frame.left,
                                    work.right - work.left),
                 layout::ZoomWithin(wanted, 32, rows,
                                    rows * (4 + m_labelHeight) + line + frame.bottom - frame.top,
                                    work.bottom - work.top));
    // Numbers never run together: half of "126" apart at least.
    m_cellWidth = std::max<int>(32 * m_zoom + 4, number.cx * 3 / 2);
    const int width = kColumns * CellWidth(), height = rows * CellHeight();

    // The grid is drawn once into a bitmap of its own size; painting copies it.
    m_canvas.Create(width, height);
    m_canvas.SetFont(font);
    DrawAllCells();
    ::SetWindowPos(GridWindow(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(m_status, nullptr, 6, height + 4, width - 12, line - 4,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(m_status, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::InvalidateRect(GridWindow(), nullptr, FALSE);

    // The dialog takes the grid's size and the line's; the dialog base then centres it.
    RECT size{0, 0, width, height + line};
    ::AdjustWindowRectEx(&size, static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.right - size.left, size.bottom - size.top,
                   SWP_NOZORDER | SWP_NOMOVE);
}

void COverviewDlg::DrawAllCells() {
    m_colours = CurrentDrawingColours();
    m_canvas.Fill({0, 0, m_canvas.Width(), m_canvas.Height()}, m_colours.background);
    for (int image = 1; image <= m_count; ++image) {
        DrawCell(image);
    }
}

void COverviewDlg::OnColoursChanged() {
    DrawAllCells();
    ::InvalidateRect(GridWindow(), nullptr, FALSE);
}

void COverviewDlg::DrawCell(int image) {
    const std::size_t i = static_cast<std::size_t>(image - 1);
    const bool selected = m_selected[i];
    HDC dc = m_canvas.GetSafeHdc();
    RECT cell = CellRect(image);
    // Selected as Windows selects: the highlight colour around the stamp and under its number.
    m_canvas.Fill(cell, selected ? m_colours.selection : m_colours.background);
    RECT picture = ImageRect(image);
    DrawStamp(picture, ShownPixels(m_areas[i]));
    RECT label{cell.left, picture.bottom + 2, cell.right, cell.bottom};
    std::wstring number = std::to_wstring(image);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, selected ? m_colours.selectionText : m_colours.text);
    ::DrawTextW(dc, number.c_str(), -1, &label, DT_CENTER | DT_TOP | DT_SINGLELINE);
    if (m_marks.blank[i]) {
        MarkBlank(picture);
    }
    if (int group = m_marks.repeatGroup[i]) {
        // A repeated stamp: a corner in its group's colour.
        COLORREF colour = kGroupColours[(group - 1) % std::size(kGroupColours)];
        const int corner = 6 * m_zoom;
        for (int y = 0; y < corner; ++y) {
            m_canvas.Fill(
                {picture.right - corner + y, picture.top + y, picture.right, picture.top + y + 1},
                colour);
        }
    }
    RECT border = picture;
    ::InflateRect(&border, 1, 1);
    FrameIn(m_canvas, border, selected ? m_colours.selectedFrame : m_colours.border,
            m_colours.Frame(selected ? 2 : 1));
    if (GridWindow() != nullptr) {
        ::InvalidateRect(GridWindow(), &cell, FALSE);
    }
}

void COverviewDlg::DrawStamp(const RECT& picture, const std::array<std::uint8_t, 3072>& shown) {
    // At its zoom straight into the canvas's pixels: no bitmap for each cell.
    std::uint8_t* bits = m_canvas.Bits();
    const int stride = m_canvas.Stride(), side = 32 * m_zoom;
    ::GdiFlush(); // the cell's fill lands before its pixels are written
    for (int y = 0; y < side; ++y) {
        std::uint8_t* row = bits + static_cast<std::size_t>(picture.top + y) * stride;
        for (int x = 0; x < side; ++x) {
            const std::uint8_t* from =
                &shown[static_cast<std::size_t>((y / m_zoom) * 32 + x / m_zoom) * 3];
            std::copy(from, from + 3, row + (picture.left + x) * 3);
        }
    }
}

void COverviewDlg::MarkBlank(const RECT& picture) {
    // A white stamp, marked lightly: fine diagonal lines over it.
    std::uint8_t* bits = m_canvas.Bits();
    const int stride = m_canvas.Stride(), side = 32 * m_zoom;
    ::GdiFlush();
    for (int y = 0; y < side; ++y) {
        std::uint8_t* row = bits + static_cast<std::size_t>(picture.top + y) * stride;
        for (int x = 0; x < side; ++x) {
            if ((x + y) % (4 * m_zoom) == 3 * m_zoom) {
                std::fill(row + (picture.left + x) * 3, row + (picture.left + x) * 3 + 3, 0xD7);
            }
        }
    }
}

void COverviewDlg::ShowStatus() {
    const int selected = static_cast<int>(std::count(m_selected.begin(), m_selected.end(), true));
    std::string text = selected == 0   ? "Cap segell seleccionat"
                       : selected == 1 ? "1 seleccionat"
                                       : std::to_string(selected) + " seleccionats";
    text += " · " + std::to_string(m_marks.blanks) + " en blanc, " +
            std::to_string(m_marks.repeats) + (m_marks.repeats == 1 ? " repetit" : " repetits");
    ::SetWindowTextW(m_status, Widen(text).c_str());
}

void COverviewDlg::SetSelection(const std::vector<bool>& selected) {
    bool changed = false;
    for (int image = 1; image <= m_count; ++image) {
        std::size_t i = static_cast<std::size_t>(image - 1);
        if (m_selected[i] != selected[i]) {
            m_selected[i] = selected[i];
            DrawCell(image);
            changed = true;
        }
    }
    ShowStatus();
    if (changed) {
        NotifyAccessible(EVENT_OBJECT_SELECTIONWITHIN, GridWindow(), CHILDID_SELF);
    }
}

void COverviewDlg::SelectOnly(int image) {
    std::vector<bool> selected(static_cast<std::size_t>(m_count), false);
    selected[static_cast<std::size_t>(image - 1)] = true;
    m_anchor = image;
    SetSelection(selected);
}

void COverviewDlg::SelectRange(int from, int to) {
    std::vector<bool> selected(static_cast<std::size_t>(m_count), false);
    for (int image = std::min(from, to); image <= std::max(from, to); ++image) {
        selected[static_cast<std::size_t>(image - 1)] = true;
    }
    SetSelection(selected);
}

void COverviewDlg::SetCurrent(int image) {
    RECT before = CellRect(m_current);
    m_current = image;
    ::InvalidateRect(GridWindow(), &before, FALSE);
    RECT after = CellRect(m_current);
    ::InvalidateRect(GridWindow(), &after, FALSE);
    if (::GetFocus() == GridWindow()) {
        NotifyAccessible(EVENT_OBJECT_FOCUS, GridWindow(), m_current);
    }
}

void COverviewDlg::MoveCurrent(int image, bool extend) {
    if (image < 1 || image > m_count) {
        return;
    }
    SetCurrent(image);
    if (extend) {
        SelectRange(m_anchor, image);
    } else {
        SelectOnly(image);
    }
}

void COverviewDlg::Reload() {
    // What the commands changed: the file is read again and only the cells that differ drawn.
    std::vector<PixelAreaBytes> areas;
    for (int image = 1; image <= m_count; ++image) {
        areas.push_back(ReadPixelArea(m_collection, image).value_or(PixelAreaBytes{}));
    }
    plans::Marks marks = plans::MarkStamps(areas);
    std::swap(m_areas, areas);
    std::swap(m_marks, marks);
    for (int image = 1; image <= m_count; ++image) {
        std::size_t i = static_cast<std::size_t>(image - 1);
        if (m_areas[i] != areas[i] || m_marks.blank[i] != marks.blank[i] ||
            m_marks.repeatGroup[i] != marks.repeatGroup[i]) {
            DrawCell(image);
        }
    }
    ShowStatus();
}

void COverviewDlg::Reorder(const std::string& what, const plans::Order& order) {
    if (!m_commands.reorder || plans::Written(order).empty()) {
        return;
    }
    m_commands.reorder(what, order);
    Reload();
}

int COverviewDlg::ImageAt(LPARAM point) const {
    int x = static_cast<short>(LOWORD(point)), y = static_cast<short>(HIWORD(point));
    if (x < 0 || y < 0 || x >= kColumns * CellWidth()) {
        return 0;
    }
    int image = y / CellHeight() * kColumns + x / CellWidth() + 1;
    return image <= m_count ? image : 0;
}

int COverviewDlg::DropBefore(LPARAM point) const {
    int image = ImageAt(point);
    if (image != 0) {
        return image;
    }
    int y = static_cast<short>(HIWORD(point));
    return y >= 0 ? m_count + 1 : 0; // beyond the last cell: to the end
}

void COverviewDlg::OnPress(int image, bool shift, bool control) {
    if (control) {
        std::vector<bool> selected = m_selected;
        selected[static_cast<std::size_t>(image - 1)].flip();
        m_anchor = image;
        SetSelection(selected);
    } else if (shift) {
        SelectRange(m_anchor, image);
    } else if (!m_selected[static_cast<std::size_t>(image - 1)]) {
        SelectOnly(image); // a press on the selection keeps it, to drag it
    }
    SetCurrent(image);
}

void COverviewDlg::Command(UINT id) {
    switch (id) {
    case ID_OVERVIEW_REMOVE:
    case ID_OVERVIEW_INSERT:
    case ID_OVERVIEW_SWAP:
        ReorderCommand(id);
        break;
    case ID_OVERVIEW_COPY_TO_TARGET:
    case ID_OVERVIEW_EXPORT:
    case ID_OVERVIEW_PRINT: {
        const auto& command = id == ID_OVERVIEW_EXPORT  ? m_commands.exportImages
                              : id == ID_OVERVIEW_PRINT ? m_commands.printImages
                                                        : m_commands.copyToTarget;
        if (const std::vector<int> selection = Selection(); command && !selection.empty()) {
            command(selection, this);
        }
        break;
    }
    case ID_OVERVIEW_SELECT_REPEATS: {
        std::vector<bool> selected(static_cast<std::size_t>(m_count), false);
        for (int image : m_marks.laterRepeats) {
            selected[static_cast<std::size_t>(image - 1)] = true;
        }
        SetSelection(selected);
        break;
    }
    case ID_OVERVIEW_SELECT_ALL:
        SetSelection(std::vector<bool>(static_cast<std::size_t>(m_count), true));
        break;
    case ID_SEARCH_STAMP:
        if (m_commands.search && m_commands.search(m_current, this)) {
            EndDialog(IDCANCEL); // what was chosen opens once the overview has gone
        }
        break;
    case ID_UNDO:
    case ID_REDO:
    case ID_EDIT_IMAGE:
        WritingCommand(id);
        break;
    default:
        break;
    }
}

void COverviewDlg::ReorderCommand(UINT id) {
    const std::vector<int> selection = Selection();
    if (!m_commands.reorder || selection.empty()) {
        return; // the source, or nothing selected
    }
    if (id == ID_OVERVIEW_REMOVE) {
        Reorder("Elimina", plans::Remove(selection, m_count));
        SelectOnly(std::min(selection.front(), m_count));
    } else if (id == ID_OVERVIEW_INSERT) {
        if (m_commands.confirmLoss && m_commands.confirmLoss(m_count, this)) {
            Reorder("Insereix un segell en blanc", plans::InsertWhite(selection.front(), m_count));
            SelectOnly(selection.front());
        }
    } else if (id == ID_OVERVIEW_SWAP && selection.size() == 2) {
        Reorder("Intercanvia", plans::Swap(selection[0], selection[1], m_count));
    }
}

void COverviewDlg::WritingCommand(UINT id) {
    if (id == ID_EDIT_IMAGE && m_commands.edit) {
        m_commands.edit(m_current, this);
    } else if (id != ID_EDIT_IMAGE && m_commands.replay) {
        m_commands.replay(id == ID_UNDO);
    } else {
        return;
    }
    Reload(); // the cells the command wrote, drawn again
    ::SetFocus(GridWindow());
}

void COverviewDlg::ShowMenu(LPARAM screenPoint) {
    POINT at{static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
    if (at.x == -1 && at.y == -1) { // from the keyboard: at the current cell
        RECT cell = CellRect(m_current);
        at = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        ::ClientToScreen(GridWindow(), &at);
    } else {
        POINT client = at;
        ::ScreenToClient(GridWindow(), &client);
        int image = ImageAt(MAKELPARAM(client.x, client.y));
        if (image == 0) {
            return;
        }
        if (!m_selected[static_cast<std::size_t>(image - 1)]) {
            OnPress(image, false, false);
        }
        SetCurrent(image); // the stamp clicked is the one "Edita la imatge" edits
    }
    CMenu menu;
    menu.CreatePopupMenu();
    FillMenu(menu);
    Command(menu.TrackForCommand(GridWindow(), at));
}

void COverviewDlg::FillMenu(CMenu& menu) const {
    const std::size_t selected = Selection().size();
    if (m_commands.edit) {
        menu.AppendItem(ID_EDIT_IMAGE, L"&Edita la imatge...\tF2");
        menu.AppendSeparator();
    }
    if (m_commands.reorder) { // the target
        menu.AppendItem(ID_OVERVIEW_REMOVE, L"E&limina\tSupr", selected > 0);
        menu.AppendItem(ID_OVERVIEW_INSERT, L"&Insereix un segell en blanc\tInser", selected > 0);
        menu.AppendItem(ID_OVERVIEW_SWAP, L"Inter&canvia", selected == 2);
    }
    if (m_commands.copyToTarget) {
        menu.AppendItem(ID_OVERVIEW_COPY_TO_TARGET, L"&Copia a la destinació...", selected > 0);
    }
    menu.AppendItem(ID_OVERVIEW_EXPORT, L"E&xporta la selecció en PNG...", selected > 0);
    if (m_commands.printImages) {
        menu.AppendItem(ID_OVERVIEW_PRINT, L"Im&primeix la selecció...\tCtrl+P", selected > 0);
    }
    if (m_commands.search) {
        menu.AppendItem(ID_SEARCH_STAMP, L"Cerca aquest &segell a la biblioteca...");
    }
    menu.AppendSeparator();
    menu.AppendItem(ID_OVERVIEW_SELECT_REPEATS, L"Selecciona els &repetits", m_marks.repeats > 0);
    menu.AppendItem(ID_OVERVIEW_SELECT_ALL, L"Selecciona-ho &tot\tCtrl+A");
    if (m_commands.replay) {
        menu.AppendSeparator();
        for (bool undo : {true, false}) {
            std::wstring change = m_commands.nextChange(undo);
            std::wstring text = undo ? L"&Desfés" : L"Re&fés";
            text += change.empty() ? L"" : L": " + change;
            text += undo ? L"\tCtrl+Z" : L"\tCtrl+Y";
            menu.AppendItem(undo ? ID_UNDO : ID_REDO, text, !change.empty());
        }
    }
}

void COverviewDlg::OnKey(UINT key) {
    const bool shift = Held(VK_SHIFT), control = Held(VK_CONTROL);
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        int step = key == VK_LEFT ? -1 : key == VK_RIGHT ? 1 : key == VK_UP ? -kColumns : kColumns;
        if (control && shift) {
            MoveSelectionBy(step); // the reorder a drag makes, by the keyboard
        } else {
            MoveCurrent(m_current + step, shift);
        }
        break;
    }
    case 'A':
        if (control) {
            Command(ID_OVERVIEW_SELECT_ALL);
        }
        break;
    case 'P':
        if (control) {
            Command(ID_OVERVIEW_PRINT);
        }
        break;
    case 'Z':
    case 'Y':
        if (control) {
            Command(key == 'Z' ? ID_UNDO : ID_REDO);
        }
        break;
    case VK_DELETE:
        Command(ID_OVERVIEW_REMOVE);
        break;
    case VK_INSERT:
        Command(ID_OVERVIEW_INSERT);
        break;
    case VK_F2:
        Command(ID_EDIT_IMAGE);
        break;
    case VK_RETURN:
        EndDialog(IDOK);
        break;
    case VK_ESCAPE:
        EndDialog(IDCANCEL);
        break;
    default:
        break;
    }
}

void COverviewDlg::Paint(HDC dc) const {
    m_canvas.CopyTo(dc);
    RECT frame = ImageRect(m_current); // the current image: two pixels of red around it
    ::InflateRect(&frame, 2, 2);
    Frame(dc, frame, m_colours.current, 2);
    if (m_dragging && m_dropBefore != 0) {
        // Where the selection would go: a bar at the left of that cell, or after the last.
        RECT cell = m_dropBefore <= m_count ? CellRect(m_dropBefore) : CellRect(m_count);
        int x = m_dropBefore <= m_count ? cell.left : cell.right - 3;
        RECT bar{x, cell.top, x + 3, cell.bottom};
        CBrush ink(m_colours.text);
        ::FillRect(dc, &bar, ink.GetSafeHandle());
    }
}

void COverviewDlg::OnGridPress(LPARAM point, WPARAM keys) {
    ::SetFocus(GridWindow());
    int image = ImageAt(point);
    if (image != 0) {
        // Shift and Ctrl as the click had them, whatever the keys are now.
        OnPress(image, (keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0);
        ::SetCapture(GridWindow());
        m_pressed = image;
        m_dragging = false;
    }
}

void COverviewDlg::OnGridDrag(LPARAM point) {
    if (m_pressed == 0 || !m_commands.reorder) {
        return;
    }
    int before = DropBefore(point);
    bool moved = before != m_pressed || m_dragging;
    if (moved && before != m_dropBefore) {
        m_dragging = true;
        m_dropBefore = before;
        ::InvalidateRect(GridWindow(), nullptr, FALSE);
    }
}

void COverviewDlg::OnGridRelease(LPARAM point, WPARAM keys) {
    ::ReleaseCapture();
    const int pressed = m_pressed, before = DropBefore(point);
    const bool dragged = m_dragging && before != 0;
    m_pressed = 0;
    m_dragging = false;
    m_dropBefore = 0;
    ::InvalidateRect(GridWindow(), nullptr, FALSE);
    if (dragged && m_commands.reorder) {
        MoveSelectionBefore(before);
    } else if (pressed != 0 && (keys & (MK_SHIFT | MK_CONTROL)) == 0 && ImageAt(point) == pressed) {
        SelectOnly(pressed); // a plain click on the selection: that stamp alone
    }
}

void COverviewDlg::MoveSelectionBefore(int before) {
    // The selection moves before the stamp it is dropped on; nothing is lost.
    std::vector<int> selection = Selection();
    plans::Order order = plans::MoveBefore(selection, before, m_count);
    int lands =
        before - static_cast<int>(std::count_if(selection.begin(), selection.end(),
                                                [before](int image) { return image < before; }));
    Reorder("Mou la selecció", order);
    SelectRange(lands, lands + static_cast<int>(selection.size()) - 1);
    m_anchor = lands;
    SetCurrent(lands);
}

void COverviewDlg::MoveSelectionBy(int step) {
    const std::vector<int> selection = Selection();
    if (!m_commands.reorder || selection.empty()) {
        return;
    }
    // The image the selection goes in front of: one place (or one row) earlier or later; past the
    // last image, m_count + 1.
    const int before = step < 0 ? selection.front() + step : selection.back() + step + 1;
    if (before >= 1 && before <= m_count + 1) {
        MoveSelectionBefore(before);
    }
}

void COverviewDlg::OnGridDoubleClick(LPARAM point) {
    int image = ImageAt(point);
    if (image != 0) {
        m_current = image;
        EndDialog(IDOK);
    }
}
