#include "dialogs/OverviewDlg.h"

#include "app/ImageCells.h"
#include "collection/PixelAreas.h"
#include "res/resource.h"

#include <algorithm>

namespace {

const wchar_t* const kGridClass = L"BreltOverviewGrid";

int Rows(int count) {
    return (count + COverviewDlg::kColumns - 1) / COverviewDlg::kColumns;
}

void RegisterGridClass(WNDPROC proc) {
    WNDCLASSW grid{};
    if (::GetClassInfoW(::GetModuleHandleW(nullptr), kGridClass, &grid)) {
        return;
    }
    grid.lpfnWndProc = proc;
    grid.hInstance = ::GetModuleHandleW(nullptr);
    grid.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    grid.lpszClassName = kGridClass;
    ::RegisterClassW(&grid);
}

} // namespace

BEGIN_MESSAGE_MAP(COverviewDlg, CDialog)
END_MESSAGE_MAP()

COverviewDlg::COverviewDlg(std::FILE* collection, int imageCount, int current, std::string caption,
                           std::function<void(int, int)> swap, std::function<void(int, CWnd*)> edit,
                           CWnd* parent)
    : CDialog(IDD_OVERVIEW_DIALOG, parent), m_collection(collection), m_count(imageCount),
      m_selected(std::clamp(current, 1, std::max(1, imageCount))), m_caption(std::move(caption)),
      m_swap(std::move(swap)), m_edit(std::move(edit)) {}

RECT COverviewDlg::CellRect(int image) {
    int column = (image - 1) % kColumns, row = (image - 1) / kColumns;
    return {column * kCellWidth, row * kCellHeight, (column + 1) * kCellWidth,
            (row + 1) * kCellHeight};
}

BOOL COverviewDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(m_caption);
    const int width = kColumns * kCellWidth, height = Rows(m_count) * kCellHeight;

    // The grid is drawn once into a bitmap of its own size; painting copies it.
    m_canvas = CBitmap::FromPixels(nullptr, width, height);
    m_canvasDC = ::CreateCompatibleDC(nullptr);
    ::SelectObject(m_canvasDC, m_canvas.GetSafeHandle());
    ::SelectObject(m_canvasDC, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    RECT all{0, 0, width, height};
    ::FillRect(m_canvasDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    for (int image = 1; image <= m_count; ++image) {
        DrawCell(image);
    }

    RegisterGridClass(&COverviewDlg::GridProc);
    m_grid = ::CreateWindowExW(0, kGridClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, width,
                               height, m_hWnd, nullptr, ::GetModuleHandleW(nullptr), this);
    // The dialog takes the grid's size; the dialog base then centres it.
    RECT frame{0, 0, width, height};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOZORDER | SWP_NOMOVE);
    ::SetFocus(m_grid);
    return FALSE; // the focus is set
}

void COverviewDlg::DrawCell(int image) {
    DrawImageCell(m_canvasDC, CellRect(image), ShownPixels(ReadPixelArea(m_collection, image)), 2,
                  image);
}

int COverviewDlg::ImageAt(LPARAM point) const {
    int x = static_cast<short>(LOWORD(point)), y = static_cast<short>(HIWORD(point));
    if (x < 0 || y < 0 || x >= kColumns * kCellWidth) {
        return 0;
    }
    int image = y / kCellHeight * kColumns + x / kCellWidth + 1;
    return image <= m_count ? image : 0;
}

void COverviewDlg::Select(int image) {
    if (image >= 1 && image <= m_count && image != m_selected) {
        RECT before = CellRect(m_selected), after = CellRect(image);
        m_selected = image;
        ::InvalidateRect(m_grid, &before, FALSE);
        ::InvalidateRect(m_grid, &after, FALSE);
    }
}

void COverviewDlg::Swap(int first, int second) {
    m_swap(first, second);
    // Whatever happened, the grid shows what the file now holds.
    for (int image : {first, second}) {
        DrawCell(image);
        RECT cell = CellRect(image);
        ::InvalidateRect(m_grid, &cell, FALSE);
    }
}

void COverviewDlg::Edit(int image) {
    if (!m_edit || image < 1 || image > m_count) {
        return;
    }
    Select(image);
    m_edit(image, this);
    DrawCell(image); // as the file now holds it
    RECT cell = CellRect(image);
    ::InvalidateRect(m_grid, &cell, FALSE);
    ::SetFocus(m_grid);
}

void COverviewDlg::ShowMenu(LPARAM screenPoint) {
    POINT at{static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
    int image = m_selected;
    if (at.x == -1 && at.y == -1) { // from the keyboard: at the selected cell
        RECT cell = CellRect(image);
        at = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        ::ClientToScreen(m_grid, &at);
    } else {
        POINT client = at;
        ::ScreenToClient(m_grid, &client);
        image = ImageAt(MAKELPARAM(client.x, client.y));
    }
    if (image == 0 || !m_edit) {
        return;
    }
    Select(image);
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, ID_EDIT_IMAGE, L"&Edita la imatge...\tF2");
    UINT chosen = ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x,
                                   at.y, 0, m_grid, nullptr);
    ::DestroyMenu(menu);
    if (chosen == ID_EDIT_IMAGE) {
        Edit(image);
    }
}

LRESULT COverviewDlg::OnGridMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    case WM_PAINT: {
        CPaintDC dc(m_grid);
        RECT client;
        ::GetClientRect(m_grid, &client);
        ::BitBlt(dc.GetSafeHdc(), 0, 0, client.right, client.bottom, m_canvasDC, 0, 0, SRCCOPY);
        CBrush red(RGB(255, 0, 0));
        RECT frame = CellRect(m_selected);
        for (int i = 0; i < 2; ++i) { // two pixels wide, around the image
            RECT ring{frame.left + i, frame.top + i, frame.left + 68 - i, frame.top + 68 - i};
            ::FrameRect(dc.GetSafeHdc(), &ring, red.GetSafeHandle());
        }
        return 0;
    }
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_LEFT:
            Select(m_selected - 1);
            break;
        case VK_RIGHT:
            Select(m_selected + 1);
            break;
        case VK_UP:
            Select(m_selected - kColumns);
            break;
        case VK_DOWN:
            Select(m_selected + kColumns);
            break;
        case VK_RETURN:
            EndDialog(IDOK);
            break;
        case VK_F2:
            Edit(m_selected);
            break;
        case VK_ESCAPE:
            EndDialog(IDCANCEL);
            break;
        default:
            break;
        }
        return 0;
    case WM_LBUTTONDOWN:
        ::SetFocus(m_grid);
        ::SetCapture(m_grid);
        m_pressed = ImageAt(lParam);
        return 0;
    case WM_LBUTTONUP: {
        ::ReleaseCapture();
        int released = ImageAt(lParam), pressed = m_pressed;
        m_pressed = 0;
        if (pressed != 0 && released == pressed) {
            m_selected = pressed;
            EndDialog(IDOK);
        } else if (pressed != 0 && released != 0 && m_swap) {
            Swap(pressed, released);
        }
        return 0;
    }
    case WM_CONTEXTMENU:
        ShowMenu(lParam);
        return 0;
    case WM_NCDESTROY:
        ::DeleteDC(m_canvasDC);
        m_canvasDC = nullptr;
        break;
    default:
        break;
    }
    return ::DefWindowProcW(m_grid, message, wParam, lParam);
}

LRESULT CALLBACK COverviewDlg::GridProc(HWND grid, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(grid, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<COverviewDlg*>(create->lpCreateParams)->m_grid = grid;
    }
    auto* dialog = reinterpret_cast<COverviewDlg*>(::GetWindowLongPtrW(grid, GWLP_USERDATA));
    if (dialog == nullptr) {
        return ::DefWindowProcW(grid, message, wParam, lParam);
    }
    return dialog->OnGridMessage(message, wParam, lParam);
}
