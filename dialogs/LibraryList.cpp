#include "dialogs/LibraryList.h"

#include "app/DrawingColours.h"
#include "editor/Stamp.h"
#include "platform/Gdi.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr wchar_t kClassName[] = L"BreltLibraryList";
constexpr int kGap = 2;    // between stamps, and round each row
constexpr int kMargin = 6; // at the left and between rows

// A stamp at its zoom, through a 32x32 device-independent bitmap.
void DrawStamp(HDC dc, const library::StampColours& stamp, int x, int y, int zoom) {
    std::uint8_t bgr[32 * 32 * 3];
    for (std::size_t i = 0; i < stamp.size(); ++i) {
        const editor::Rgb rgb = editor::Shown(stamp[i]);
        bgr[3 * i] = rgb.blue;
        bgr[3 * i + 1] = rgb.green;
        bgr[3 * i + 2] = rgb.red;
    }
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    ::StretchDIBits(dc, x, y, 32 * zoom, 32 * zoom, 0, 0, 32, 32, bgr, &info, DIB_RGB_COLORS,
                    SRCCOPY);
}

} // namespace

void CLibraryList::Register() {
    RegisterControlClass(kClassName, IDC_ARROW, CS_DBLCLKS);
}

void CLibraryList::Attach(HWND control, Events events) {
    m_events = std::move(events);
    AttachWindow(control);
}

void CLibraryList::SetRows(std::vector<Row> rows, int zoom) {
    m_rows = std::move(rows);
    m_zoom = std::max(1, zoom);
    m_current = std::clamp(m_current, 0, std::max(0, static_cast<int>(m_rows.size()) - 1));
    m_scroll = 0;
    Layout();
    NotifyAccessible(EVENT_OBJECT_REORDER, m_hWnd, 0);
}

int CLibraryList::PerLine() const {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    return std::max(1, static_cast<int>(client.right - 2 * kMargin) / (32 * m_zoom + kGap));
}

int CLibraryList::HeightOf(const Row& row) const {
    const int stamps = static_cast<int>(row.stamps->size());
    const int lines = (stamps + PerLine() - 1) / PerLine();
    return kMargin + m_line + kGap + lines * (32 * m_zoom + kGap) + kMargin;
}

void CLibraryList::Layout() {
    {
        CClientDC screen(m_hWnd);
        CSelectObject font(screen.GetSafeHdc(), Font());
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(screen.GetSafeHdc(), &metrics);
        m_line = metrics.tmHeight;
    }
    m_tops.assign(1, 0);
    for (const Row& row : m_rows) {
        m_tops.push_back(m_tops.back() + HeightOf(row));
    }
    ScrollTo(m_scroll);
}

RECT CLibraryList::RowRect(int row) const {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const auto r = static_cast<std::size_t>(row);
    return {0, m_tops[r] - m_scroll, client.right, m_tops[r + 1] - m_scroll};
}

int CLibraryList::RowAt(int y) const {
    auto after = std::upper_bound(m_tops.begin(), m_tops.end(), y + m_scroll);
    const int row = static_cast<int>(after - m_tops.begin()) - 1;
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? row : -1;
}

void CLibraryList::ScrollTo(int top) {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int whole = m_tops.back();
    m_scroll = std::clamp(top, 0, std::max(0, whole - static_cast<int>(client.bottom)));
    SCROLLINFO info{sizeof(info),
                    SIF_ALL | SIF_DISABLENOSCROLL,
                    0,
                    std::max(0, whole - 1),
                    static_cast<UINT>(client.bottom),
                    m_scroll,
                    0};
    ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CLibraryList::MakeCurrent(int row) {
    if (m_rows.empty()) {
        return;
    }
    m_current = std::clamp(row, 0, static_cast<int>(m_rows.size()) - 1);
    RECT client{}, shown = RowRect(m_current);
    ::GetClientRect(m_hWnd, &client);
    if (shown.top < 0) {
        ScrollTo(m_scroll + shown.top);
    } else if (shown.bottom > client.bottom) {
        ScrollTo(m_scroll + std::min(shown.top, shown.bottom - client.bottom));
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    if (::GetFocus() == m_hWnd) {
        NotifyAccessible(EVENT_OBJECT_FOCUS, m_hWnd, m_current + 1);
    }
}

HGDIOBJ CLibraryList::Font() const {
    return reinterpret_cast<HGDIOBJ>(::SendMessageW(::GetParent(m_hWnd), WM_GETFONT, 0, 0));
}

void CLibraryList::OnKey(UINT key) {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    switch (key) {
    case VK_UP:
    case VK_DOWN:
        MakeCurrent(m_current + (key == VK_DOWN ? 1 : -1));
        break;
    case VK_HOME:
    case VK_END:
        MakeCurrent(key == VK_HOME ? 0 : static_cast<int>(m_rows.size()) - 1);
        break;
    case VK_PRIOR:
    case VK_NEXT:
        MakeCurrent(RowAt(key == VK_NEXT ? client.bottom - 1 : 0) + (key == VK_NEXT ? 1 : -1));
        break;
    case 'V':
        if ((::GetKeyState(VK_CONTROL) & 0x8000) != 0 && m_events.paste) {
            m_events.paste();
        }
        break;
    case VK_RETURN:
        if (!m_rows.empty() && m_events.open) {
            m_events.open(m_current);
        }
        break;
    case VK_APPS: {
        RECT row = RowRect(m_current);
        POINT at{row.left + kMargin, std::max(0L, row.top) + m_line};
        ::ClientToScreen(m_hWnd, &at);
        if (!m_rows.empty() && m_events.menu) {
            m_events.menu(m_current, at);
        }
        break;
    }
    default:
        break;
    }
}

LRESULT CLibraryList::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | (wParam == VK_RETURN ? DLGC_WANTMESSAGE : 0);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SIZE:
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: {
        ::SetFocus(m_hWnd);
        const int row = RowAt(GET_Y_LPARAM(lParam));
        if (row >= 0) {
            MakeCurrent(row);
            POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ::ClientToScreen(m_hWnd, &screen);
            if (message == WM_LBUTTONDBLCLK && m_events.open) {
                m_events.open(row);
            } else if (message == WM_RBUTTONDOWN && m_events.menu) {
                m_events.menu(row, screen);
            }
        }
        return 0;
    }
    case WM_MOUSEWHEEL:
        ScrollTo(m_scroll - GET_WHEEL_DELTA_WPARAM(wParam) * 3 * m_line / WHEEL_DELTA);
        return 0;
    case WM_VSCROLL:
        OnScroll(LOWORD(wParam));
        return 0;
    case WM_KEYDOWN:
        OnKey(static_cast<UINT>(wParam));
        return 0;
    default:
        return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
}

void CLibraryList::OnScroll(UINT request) {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    ::GetScrollInfo(m_hWnd, SB_VERT, &info);
    switch (request) {
    case SB_LINEUP:
    case SB_LINEDOWN:
        ScrollTo(m_scroll + (request == SB_LINEDOWN ? 1 : -1) * 3 * m_line);
        break;
    case SB_PAGEUP:
    case SB_PAGEDOWN:
        ScrollTo(m_scroll + (request == SB_PAGEDOWN ? 1 : -1) * client.bottom);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        ScrollTo(info.nTrackPos);
        break;
    default:
        break;
    }
}

void CLibraryList::Draw(HDC dc) const {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
    if (m_rows.empty() && ::GetFocus() == m_hWnd) { // nothing listed: the focus round the list
        RECT focus = client;
        ::InflateRect(&focus, -1, -1);
        ::DrawFocusRect(dc, &focus);
    }
    CSelectObject font(dc, Font());
    ::SetBkMode(dc, TRANSPARENT);
    for (int row = std::max(0, RowAt(0)); row >= 0 && row < static_cast<int>(m_rows.size());
         ++row) {
        const RECT where = RowRect(row);
        if (where.top >= client.bottom) {
            break;
        }
        DrawRow(dc, row, where);
    }
}

void CLibraryList::DrawRow(HDC dc, int row, const RECT& where) const {
    const Row& shown = m_rows[static_cast<std::size_t>(row)];
    const bool current = row == m_current;
    // The current row on a band; the selection's in high contrast, where the face is the
    // window's own colour.
    const DrawingColours colours = CurrentDrawingColours();
    const bool selected = current && colours.highContrast;
    if (current) {
        CBrush band(selected ? colours.selection : colours.face);
        ::FillRect(dc, &where, band.GetSafeHandle());
    }
    RECT heading{where.left + kMargin, where.top + kMargin, where.right - kMargin,
                 where.top + kMargin + m_line};
    ::SetTextColor(dc, selected ? colours.selectionText : ::GetSysColor(COLOR_WINDOWTEXT));
    ::DrawTextW(dc, shown.heading.c_str(), -1, &heading,
                DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    const int side = 32 * m_zoom, perLine = PerLine();
    for (std::size_t i = 0; i < shown.stamps->size(); ++i) {
        const int x = where.left + kMargin + static_cast<int>(i) % perLine * (side + kGap);
        const int y = heading.bottom + kGap + static_cast<int>(i) / perLine * (side + kGap);
        DrawStamp(dc, (*shown.stamps)[i], x, y, m_zoom);
    }
    if (current && ::GetFocus() == m_hWnd) {
        RECT focus = where;
        ::InflateRect(&focus, -1, -1);
        ::DrawFocusRect(dc, &focus);
    }
}
