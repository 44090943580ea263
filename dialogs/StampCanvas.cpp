#include "dialogs/StampCanvas.h"

#include <algorithm>
#include <cstring>

using editor::kSide;
using editor::Point;

namespace {

const wchar_t* const kClassName = L"BreltStampCanvas";
// The selection's dashes move on every tick of this timer.
constexpr UINT_PTR kAntsTimer = 1;
constexpr UINT kAntsInterval = 120;
constexpr int kDash = 4;

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

void CStampCanvas::Show(const editor::Stamp& stamp, const Marks& marks) {
    if (marks.selection.has_value() != m_marks.selection.has_value()) {
        if (marks.selection) {
            ::SetTimer(m_hWnd, kAntsTimer, kAntsInterval, nullptr);
        } else {
            ::KillTimer(m_hWnd, kAntsTimer);
        }
    }
    m_stamp = stamp;
    m_marks = marks;
    Render();
    TellIfCursorChanged();
}

std::optional<Point> CStampCanvas::PixelAt(LPARAM position) const {
    int x = static_cast<short>(LOWORD(position)), y = static_cast<short>(HIWORD(position));
    Point p{x >= 0 ? x / m_zoom : -1, y >= 0 ? y / m_zoom : -1};
    return editor::Stamp::Contains(p) ? std::optional(p) : std::nullopt;
}

void CStampCanvas::Outline(Point p, int wanted) const {
    // Black on light pixels, white on dark ones, so that it shows on any colour.
    const int width = m_colours.Frame(wanted);
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

void CStampCanvas::DrawAxes() const {
    // Between pixels 15 and 16: a line two pixels wide across the middle of the canvas.
    const int middle = kSide / 2 * m_zoom, end = kSide * m_zoom;
    const COLORREF axis = m_colours.axes;
    if (m_marks.axes == editor::Symmetry::Vertical || m_marks.axes == editor::Symmetry::Both) {
        m_surface.Fill({middle - 1, 0, middle + 1, end}, axis);
    }
    if (m_marks.axes == editor::Symmetry::Horizontal || m_marks.axes == editor::Symmetry::Both) {
        m_surface.Fill({0, middle - 1, end, middle + 1}, axis);
    }
}

void CStampCanvas::DrawSelection() const {
    // Black and white dashes round the box, moving along it as the timer ticks.
    const editor::Box box = *m_marks.selection;
    const int width = m_colours.Frame(std::max(1, m_zoom / 10));
    const int left = box.left * m_zoom, top = box.top * m_zoom;
    const int right = (box.left + box.width) * m_zoom, bottom = (box.top + box.height) * m_zoom;
    const int end = kSide * m_zoom;
    // Straight into the bits: a border of GDI calls pixel by pixel took longer than a frame.
    auto dash = [&](int along, int x, int y) {
        if (x < 0 || y < 0 || x >= end || y >= end) {
            return; // the part of a moved selection that lies off the stamp
        }
        const std::uint8_t value = ((along + m_antsPhase) / kDash) % 2 == 0 ? 0 : 255;
        std::uint8_t* pixel = m_surface.Bits() + static_cast<std::size_t>(y) * m_surface.Stride() +
                              static_cast<std::size_t>(x) * 3;
        pixel[0] = pixel[1] = pixel[2] = value;
    };
    for (int i = 0; i < width; ++i) {
        for (int x = left; x < right; ++x) {
            dash(x, x, top + i);
            dash(x, x, bottom - 1 - i);
        }
        for (int y = top; y < bottom; ++y) {
            dash(y, left + i, y);
            dash(y, right - 1 - i, y);
        }
    }
}

void CStampCanvas::RenderRow(int stampRow, bool gridLine, std::uint8_t* row) const {
    const bool grid = m_marks.grid && m_zoom >= 4;
    for (int x = 0; x < kSide * m_zoom; ++x) {
        editor::Rgb rgb = editor::Shown(m_stamp.ColourAt({x / m_zoom, stampRow}));
        bool line = grid && (gridLine || x % m_zoom == 0);
        if (line && m_colours.highContrast) { // the grid in the scheme's text colour
            row[3 * x] = GetBValue(m_colours.text);
            row[3 * x + 1] = GetGValue(m_colours.text);
            row[3 * x + 2] = GetRValue(m_colours.text);
            continue;
        }
        // The grid: a thin line of a grey a little apart from the pixel's own colour.
        auto shade = [line](std::uint8_t v) {
            return static_cast<std::uint8_t>(line ? (v > 127 ? v - 40 : v + 40) : v);
        };
        row[3 * x] = shade(rgb.blue);
        row[3 * x + 1] = shade(rgb.green);
        row[3 * x + 2] = shade(rgb.red);
    }
}

void CStampCanvas::Render() {
    if (m_surface.Bits() == nullptr) {
        return;
    }
    m_colours = CurrentDrawingColours();
    std::uint8_t* bits = m_surface.Bits();
    const auto stride = static_cast<std::size_t>(m_surface.Stride());
    const auto width = static_cast<std::size_t>(kSide * m_zoom * 3);
    // Each stamp row drawn once, as its grid line and as its pixels, then copied down: at 200 %
    // a pixel at a time took longer than a frame.
    for (int stampRow = 0; stampRow < kSide; ++stampRow) {
        std::uint8_t* first = bits + static_cast<std::size_t>(stampRow * m_zoom) * stride;
        RenderRow(stampRow, true, first);
        if (m_zoom > 1) {
            std::uint8_t* second = first + stride;
            RenderRow(stampRow, false, second);
            for (int y = 2; y < m_zoom; ++y) {
                std::memcpy(first + static_cast<std::size_t>(y) * stride, second, width);
            }
        }
    }
    DrawAxes();
    if (m_marks.selection) {
        DrawSelection();
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
            TellIfCursorChanged();
        }
        return;
    }
    if (key == VK_SPACE && m_events.space) {
        m_events.space(m_cursor, shift);
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
        m_events.drag(*p); // which shows the stamp again, the outline of the pixel with it
        return;
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
    case WM_SETFOCUS: // the system tells a screen reader of the focus itself
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
    case WM_TIMER:
        if (wParam == kAntsTimer && m_marks.selection) {
            m_antsPhase = (m_antsPhase + kDash * 2 - 1) % (kDash * 2);
            Render();
        }
        return 0;
    default:
        return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
}
