#include "app/DrawingColours.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"

#include <commctrl.h>

void CBreltDlg::InstallSlotFrames() {
    for (const CCollectionPane* pane : {&m_sourcePane, &m_targetPane}) {
        for (int slot = 0; slot < 5; ++slot) {
            ::SetWindowSubclass(pane->SlotWindow(slot), &CBreltDlg::SlotProc, 0,
                                reinterpret_cast<DWORD_PTR>(this));
        }
        // Each pane a stop of Tab, by its first slot: the arrows then move along its strip, so
        // that no pane needs the mouse to be chosen.
        HWND first = pane->SlotWindow(0);
        ::SetWindowLongW(first, GWL_STYLE, ::GetWindowLongW(first, GWL_STYLE) | WS_TABSTOP);
    }
    // A group box paints over the gap round the slots inside it (Wine's themed one draws the
    // dialog's background there again): it draws the focus round them again after it paints.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if ((::GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
            WindowClassIs(child, L"Button")) {
            ::SetWindowSubclass(child, &CBreltDlg::GroupBoxProc, 0,
                                reinterpret_cast<DWORD_PTR>(this));
        }
    }
}

LRESULT CALLBACK CBreltDlg::GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR dialog) {
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(box, &CBreltDlg::GroupBoxProc, 0);
        return ::DefSubclassProc(box, message, wParam, lParam);
    }
    LRESULT result = ::DefSubclassProc(box, message, wParam, lParam);
    if (message == WM_PAINT) {
        CClientDC dc(box);
        reinterpret_cast<CBreltDlg*>(dialog)->DrawSlotFocus(dc.GetSafeHdc(), box);
    }
    return result;
}

RECT CBreltDlg::FocusRectAround(HWND slot) {
    // Three pixels out from the slot, in the gap between slots, where it hides no stamp.
    RECT rect;
    ::GetWindowRect(slot, &rect);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(slot), reinterpret_cast<POINT*>(&rect), 2);
    ::InflateRect(&rect, 3, 3);
    return rect;
}

void CBreltDlg::DrawSlotFocus(HDC dc, HWND drawnOn) const {
    HWND focus = ::GetFocus();
    if (focus == nullptr || ::GetParent(focus) != m_hWnd || !IsSlot(focus)) {
        return;
    }
    RECT rect = FocusRectAround(focus);
    ::MapWindowPoints(m_hWnd, drawnOn, reinterpret_cast<POINT*>(&rect), 2);
    // Every other pixel in the text's colour, not DrawFocusRect's inversion: drawn again by a
    // second window that paints there, it stays as it was.
    const COLORREF ink = ::GetSysColor(COLOR_WINDOWTEXT);
    for (int x = rect.left; x < rect.right; x += 2) {
        ::SetPixelV(dc, x, rect.top, ink);
        ::SetPixelV(dc, x, rect.bottom - 1, ink);
    }
    for (int y = rect.top; y < rect.bottom; y += 2) {
        ::SetPixelV(dc, rect.left, y, ink);
        ::SetPixelV(dc, rect.right - 1, y, ink);
    }
}

bool CBreltDlg::IsFramed(HWND slot) const {
    return m_sourcePane.IsFramed(slot) || m_targetPane.IsFramed(slot);
}

LRESULT CALLBACK CBreltDlg::SlotProc(HWND slot, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR dialog) {
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(slot, &CBreltDlg::SlotProc, 0);
        return ::DefSubclassProc(slot, message, wParam, lParam);
    }
    if (message == WM_SETFOCUS) {
        reinterpret_cast<CBreltDlg*>(dialog)->OnSlotFocus(slot);
    }
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        // The focus is drawn by the dialog around the slot: a slot shows none of its own.
        RECT around = FocusRectAround(slot);
        ::RedrawWindow(::GetParent(slot), &around, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    LRESULT result = ::DefSubclassProc(slot, message, wParam, lParam);
    if (message == WM_PAINT && reinterpret_cast<CBreltDlg*>(dialog)->IsFramed(slot)) {
        // One pixel of pure red along the inside edge of the slot, over the picture; two of
        // the system's colour in high contrast.
        const DrawingColours colours = CurrentDrawingColours();
        CBrush brush(colours.current);
        RECT rect;
        ::GetClientRect(slot, &rect);
        CClientDC dc(slot);
        for (int i = 0; i < colours.Frame(1); ++i, ::InflateRect(&rect, -1, -1)) {
            ::FrameRect(dc.GetSafeHdc(), &rect, brush.GetSafeHandle());
        }
    }
    return result;
}
