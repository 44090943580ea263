#include "platform/CentredEdit.h"

#include "platform/Gdi.h"

#include <commctrl.h>

#include <algorithm>

namespace {

TEXTMETRICW FontMetrics(HWND edit) {
    CClientDC dc(edit);
    CSelectObject font(dc.GetSafeHdc(),
                       reinterpret_cast<HGDIOBJ>(::SendMessageW(edit, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.GetSafeHdc(), &metrics);
    return metrics;
}

// A single-line edit lays its text out from the top of its client area: the client area is
// made as tall as a line, placed so that the letters and digits (from the top of a capital to
// the baseline) stand in the middle of what the border leaves.
void CentreClientArea(HWND edit, RECT& client) {
    TEXTMETRICW metrics = FontMetrics(edit);
    int room = client.bottom - client.top;
    if (room <= metrics.tmHeight) {
        return;
    }
    int inkMiddle = (metrics.tmInternalLeading + metrics.tmAscent) / 2;
    int top = client.top + room / 2 - inkMiddle;
    top = std::max<int>(client.top, std::min<int>(top, client.bottom - metrics.tmHeight));
    client.top = top;
    client.bottom = top + metrics.tmHeight;
}

// The band between the border and the text area, painted as the box's background.
void PaintBand(HWND edit) {
    RECT window{}, client{};
    ::GetWindowRect(edit, &window);
    ::GetClientRect(edit, &client);
    ::MapWindowPoints(edit, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    ::OffsetRect(&client, -window.left, -window.top);
    ::OffsetRect(&window, -window.left, -window.top);
    CWindowDC dc(edit);
    ::ExcludeClipRect(dc.GetSafeHdc(), client.left, client.top, client.right, client.bottom);
    ::FillRect(dc.GetSafeHdc(), &window, ::GetSysColorBrush(COLOR_WINDOW));
}

LRESULT CALLBACK CentredEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
    switch (message) {
    case WM_NCCALCSIZE: {
        LRESULT result = ::DefSubclassProc(edit, message, wParam, lParam);
        RECT& client = wParam != 0 ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                   : *reinterpret_cast<RECT*>(lParam);
        CentreClientArea(edit, client);
        return wParam != 0 ? 0 : result; // no saved client bits: the text moved
    }
    case WM_NCPAINT:
        PaintBand(edit); // first, so that the border the system draws stands over it
        return ::DefSubclassProc(edit, message, wParam, lParam);
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(edit, &CentredEditProc, 0);
        return ::DefSubclassProc(edit, message, wParam, lParam);
    default:
        return ::DefSubclassProc(edit, message, wParam, lParam);
    }
}

} // namespace

void CentreTextVertically(HWND edit) {
    ::SetWindowSubclass(edit, &CentredEditProc, 0, 0); // once: a second call only updates it
    ::SetWindowPos(edit, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}
