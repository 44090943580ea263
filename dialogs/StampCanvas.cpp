#include "dialogs/StampCanvas.h"

#include <algorithm>

using editor::kSide;
using editor::Point;

namespace {

const wchar_t* const kClassName = L"BreltStampCanvas";

bool Held(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

} // namespace

void CStampCanvas::RegisterWindowClass() {
    RegisterControlClass(kClassName, IDC_CROSS, CS_DBLCLKS);
}

void CStampCanvas::Attach(HWND control, Events events, int minZoom) {
    AttachWindow(control);
    m_events = std::move(events);
    RECT room;
    ::GetClientRect(control, &room);
    m_zoom = std::max(minZoom, static_cast<int>(std::min(room.right, room.bottom) / kSide));
    ::SetWindowPos(control, nullptr, 0, 0, kSide * m_zoom, kSide * m_zoom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_surface.Create(kSide * m_zoom, kSide * m_zoom);
}

void CStampCanvas::Show(const editor::Stamp& stamp, bool grid) {
    m_stamp = stamp;
    m_grid = grid;
    Render();
}

std::optional<Point> CStampCanvas::PixelAt(LPARAM position) const {
    int x = static_cast<short>(LOWORD(position)), y = static_cast<short>(HIWORD(position));
    Point p{x >= 0 ? x / m_zoom : -1, y >= 0 ? y / m_zoom : -1};
    return editor::Stamp::Contains(p) ? std::optional(p) : std::nullopt;
}

void CStampCanvas::Outline(Point p, int width) const {
    // Black on light pixels, white on dark ones, so that it shows on any colour.
    editor::Rgb rgb = editor::Shown(m_stamp.ColourAt(p));
    COLORREF ink = rgb.red + rgb.green + rgb.blue > 3 * 128 ? RGB(0, 0, 0) : RGB(255, 255, 255);
    int left = p.x * m_zoom, top = p.y * m_zoom, right = left + m_zoom, bottom = top + m_zoom;
    const RECT sides[] = {{left, top, right, top + width},
                          {left, bottom - width, right, bottom},
                          {left, top, left + width, bottom},
                          {right - width, top, right, bottom}};
    for (const RECT& side : sides) {
        m_surface.Fill(side, ink);
    }
}

void CStampCanvas::Render() {
    if (m_surface.Bits() == nullptr) {
        return;
    }
    std::uint8_t* bits = m_surface.Bits();
    const int stride = m_surface.Stride();
    const bool grid = m_grid && m_zoom >= 4;
    for (int y = 0; y < kSide * m_zoom; ++y) {
        std::uint8_t* row = bits + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < kSide * m_zoom; ++x) {
            editor::Rgb rgb = editor::Shown(m_stamp.ColourAt({x / m_zoom, y / m_zoom}));
            bool line = grid && (x % m_zoom == 0 || y % m_zoom == 0);
            // The grid: a thin line of a grey a little apart from the pixel's own colour.
            auto shade = [line](std::uint8_t v) {
                return static_cast<std::uint8_t>(line ? (v > 127 ? v - 40 : v + 40) : v);
            };
            row[3 * x] = shade(rgb.blue);
            row[3 * x + 1] = shade(rgb.green);
            row[3 * x + 2] = shade(rgb.red);
        }
    }
    if (m_hover) {
        Outline(*m_hover, 1);
    }
    if (::GetFocus() == m_hWnd) {
        Outline(m_cursor, std::max(2, m_zoom / 5));
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CStampCanvas::OnKey(UINT key) {
    bool shift = Held(VK_SHIFT), control = Held(VK_CONTROL);
    Point move{key == VK_LEFT    ? -1
               : key == VK_RIGHT ? 1
                                 : 0,
               key == VK_UP     ? -1
               : key == VK_DOWN ? 1
                                : 0};
    if ((move.x != 0 || move.y != 0) && !control) {
        Point next{m_cursor.x + move.x, m_cursor.y + move.y};
        if (editor::Stamp::Contains(next)) {
            m_cursor = next;
            if (m_events.point) {
                m_events.point(m_cursor);
            }
            Render();
        }
        return;
    }
    if (key == VK_SPACE) {
        if (m_events.space) {
            m_events.space(m_cursor, shift);
        }
        return;
    }
    if (m_events.key) {
        m_events.key(key, shift, control);
    }
}

void CStampCanvas::OnPress(UINT message, LPARAM position) {
    ::SetFocus(m_hWnd);
    if (std::optional<Point> p = PixelAt(position)) {
        ::SetCapture(m_hWnd);
        m_pressed = true;
        bool secondary = message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK;
        if (m_events.press) {
            m_events.press(*p, secondary, Held(VK_MENU));
        }
    }
}

void CStampCanvas::OnMouseMove(LPARAM position) {
    if (!m_tracking) { // told WM_MOUSELEAVE when the mouse goes, to take the outline off
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
        m_tracking = ::TrackMouseEvent(&track) != FALSE;
    }
    std::optional<Point> p = PixelAt(position);
    if (p == m_hover) {
        return;
    }
    m_hover = p;
    if (m_events.point) {
        m_events.point(p);
    }
    if (p && m_pressed && m_events.drag) {
        m_events.drag(*p);
    }
    Render();
}

void CStampCanvas::OnRelease(LPARAM position) {
    if (!m_pressed) {
        return;
    }
    m_pressed = false;
    ::ReleaseCapture();
    std::optional<Point> p = PixelAt(position);
    if (m_events.release) {
        m_events.release(p.value_or(m_hover.value_or(m_cursor)));
    }
}

LRESULT CStampCanvas::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        // Arrows and letters are the canvas's; Tab, Enter and Esc stay the dialog's.
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Render();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        OnPress(message, lParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        return 0;
    case WM_MOUSELEAVE:
        m_tracking = false;
        m_hover.reset();
        Render();
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        OnRelease(lParam);
        return 0;
    case WM_KEYDOWN:
        OnKey(static_cast<UINT>(wParam));
        return 0;
    case WM_CHAR:
        return 0; // letters were taken as keys
    default:
        return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
}
