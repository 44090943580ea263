#include "dialogs/CropView.h"

#include "app/DrawingColours.h"
#include "platform/Gdi.h"

#include <algorithm>
#include <cmath>

namespace {

const wchar_t* const kClassName = L"BreltCropView";

// How much of the picture outside the kept square still shows through its dimming, in 256ths.
constexpr int kDimmedShare = 100;

} // namespace

void CCropView::RegisterWindowClass() {
    RegisterControlClass(kClassName, IDC_ARROW);
}

void CCropView::Attach(HWND control, const picture::Picture& picture, MoveHandler moved) {
    AttachWindow(control);
    m_moved = std::move(moved);
    RECT room;
    ::GetClientRect(control, &room);
    m_side = std::max(1, static_cast<int>(std::min(room.right, room.bottom)));
    m_fitted = picture::FitForDisplay(picture, m_side);
    m_placement = picture::FitPlacement(picture, m_side);
    m_pictureWidth = picture.width;
    m_pictureHeight = picture.height;
    m_surface.Create(room.right, room.bottom);
    Render();
}

void CCropView::ShowKept(std::optional<picture::Region> square) {
    m_kept = square;
    if (!m_kept) {
        m_grab.reset();
    }
    Render();
    NotifyAccessible(EVENT_OBJECT_VALUECHANGE, m_hWnd, CHILDID_SELF);
}

POINT CCropView::ViewPointOf(double x, double y) const {
    const int left = (m_surface.Width() - m_side) / 2, top = (m_surface.Height() - m_side) / 2;
    return {left + static_cast<int>(std::lround(m_placement.left + x * m_placement.scale)),
            top + static_cast<int>(std::lround(m_placement.top + y * m_placement.scale))};
}

RECT CCropView::KeptRect() const {
    if (!m_kept) {
        return {};
    }
    POINT from = ViewPointOf(m_kept->left, m_kept->top);
    POINT to = ViewPointOf(m_kept->left + m_kept->width, m_kept->top + m_kept->height);
    return {from.x, from.y, to.x, to.y};
}

void CCropView::Render() {
    if (m_surface.Bits() == nullptr) {
        return;
    }
    const RECT whole{0, 0, m_surface.Width(), m_surface.Height()};
    const DrawingColours colours = CurrentDrawingColours();
    m_surface.Fill(whole, colours.face);
    ::GdiFlush(); // the fill is drawn before the pixels are written over it
    const int left = (m_surface.Width() - m_side) / 2, top = (m_surface.Height() - m_side) / 2;
    const RECT kept = KeptRect();
    const POINT from = ViewPointOf(0, 0), to = ViewPointOf(m_pictureWidth, m_pictureHeight);
    const RECT shown{from.x, from.y, to.x, to.y};
    for (int y = 0; y < m_side && !m_fitted.empty(); ++y) {
        std::uint8_t* row =
            m_surface.Bits() + static_cast<std::size_t>(top + y) * m_surface.Stride();
        for (int x = 0; x < m_side; ++x) {
            const std::uint8_t* pixel = &m_fitted[(static_cast<std::size_t>(y) * m_side + x) * 3];
            const POINT at{left + x, top + y};
            // The picture outside the square is dimmed; the margins around it stay white.
            const bool dimmed = m_kept && ::PtInRect(&shown, at) && !::PtInRect(&kept, at);
            for (int c = 0; c < 3; ++c) {
                row[(left + x) * 3 + c] =
                    static_cast<std::uint8_t>(dimmed ? pixel[c] * kDimmedShare / 256 : pixel[c]);
            }
        }
    }
    if (m_kept) {
        // White inside black (the scheme's background inside its text in high contrast), so
        // that the square shows on any picture.
        const int width = colours.Frame(1);
        CBrush outside(colours.text), inside(colours.background);
        RECT outer = kept, inner = kept;
        for (int i = 0; i < width; ++i) {
            ::InflateRect(&outer, 1, 1);
            ::FrameRect(m_surface.GetSafeHdc(), &outer, outside.GetSafeHandle());
            ::FrameRect(m_surface.GetSafeHdc(), &inner, inside.GetSafeHandle());
            ::InflateRect(&inner, -1, -1);
        }
    }
    if (::GetFocus() == m_hWnd) {
        RECT focus = whole;
        ::InflateRect(&focus, -1, -1);
        ::DrawFocusRect(m_surface.GetSafeHdc(), &focus);
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CCropView::OnPress(POINT at) {
    if (!m_kept) {
        return;
    }
    ::SetCapture(m_hWnd);
    const RECT kept = KeptRect();
    // Held where it was taken; a press beside the square brings the square's centre there.
    m_grab = ::PtInRect(&kept, at)
                 ? POINT{at.x - kept.left, at.y - kept.top}
                 : POINT{(kept.right - kept.left) / 2, (kept.bottom - kept.top) / 2};
    OnDrag(at);
}

void CCropView::OnDrag(POINT at) {
    if (!m_grab || !m_moved || m_placement.scale <= 0) {
        return;
    }
    const int left = (m_surface.Width() - m_side) / 2, top = (m_surface.Height() - m_side) / 2;
    m_moved((at.x - m_grab->x - left - m_placement.left) / m_placement.scale,
            (at.y - m_grab->y - top - m_placement.top) / m_placement.scale);
}

void CCropView::OnKey(UINT key) {
    if (!m_kept || !m_moved) {
        return;
    }
    // One pixel of the stamp a press.
    const double step = m_kept->width / 32;
    const double dx = key == VK_LEFT ? -step : key == VK_RIGHT ? step : 0;
    const double dy = key == VK_UP ? -step : key == VK_DOWN ? step : 0;
    if (dx != 0 || dy != 0) {
        m_moved(m_kept->left + dx, m_kept->top + dy);
    }
}

LRESULT CCropView::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS; // Tab, Enter and Esc stay the dialog's
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Render();
        return 0;
    case WM_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, m_kept ? IDC_SIZEALL : IDC_ARROW));
        return TRUE;
    case WM_LBUTTONDOWN:
        ::SetFocus(m_hWnd);
        OnPress(at);
        return 0;
    case WM_MOUSEMOVE:
        if (m_grab && (wParam & MK_LBUTTON) != 0) {
            OnDrag(at);
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (m_grab) {
            m_grab.reset();
            if (message == WM_LBUTTONUP) {
                ::ReleaseCapture();
            }
        }
        return 0;
    case WM_KEYDOWN:
        OnKey(static_cast<UINT>(wParam));
        return 0;
    default:
        return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
}
