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
}

RECT CBreltDlg::FocusRectAround(HWND slot) {
    // Three pixels out from the slot, in the gap between slots, where it hides no stamp.
    RECT rect;
    ::GetWindowRect(slot, &rect);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(slot), reinterpret_cast<POINT*>(&rect), 2);
    ::InflateRect(&rect, 3, 3);
    return rect;
}

void CBreltDlg::DrawSlotFocus(HDC dc) const {
    HWND focus = ::GetFocus();
    if (focus != nullptr && ::GetParent(focus) == m_hWnd && IsSlot(focus)) {
        RECT rect = FocusRectAround(focus);
        ::DrawFocusRect(dc, &rect);
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
        ::InvalidateRect(::GetParent(slot), &around, TRUE);
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
