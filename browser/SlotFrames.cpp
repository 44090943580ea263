#include "app/breltDlg.h"
#include "browser/Panes.h"

#include <commctrl.h>

void CBreltDlg::InstallSlotFrames() {
    for (const Pane* pane : {&SourcePane(), &TargetPane()}) {
        for (int id : pane->slotIds) {
            ::SetWindowSubclass(GetDlgItem(id), &CBreltDlg::SlotProc, 0,
                                reinterpret_cast<DWORD_PTR>(this));
        }
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
    int id = ::GetDlgCtrlID(slot);
    return (m_framedSourceSlot >= 0 && SourcePane().slotIds[m_framedSourceSlot] == id) ||
           (m_framedTargetSlot >= 0 && TargetPane().slotIds[m_framedTargetSlot] == id);
}

LRESULT CALLBACK CBreltDlg::SlotProc(HWND slot, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR dialog) {
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(slot, &CBreltDlg::SlotProc, 0);
        return ::DefSubclassProc(slot, message, wParam, lParam);
    }
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        // The focus is drawn by the dialog around the slot: a slot shows none of its own.
        RECT around = FocusRectAround(slot);
        ::InvalidateRect(::GetParent(slot), &around, TRUE);
    }
    LRESULT result = ::DefSubclassProc(slot, message, wParam, lParam);
    if (message == WM_PAINT && reinterpret_cast<CBreltDlg*>(dialog)->IsFramed(slot)) {
        // One pixel of pure red along the inside edge of the slot, over the picture.
        CBrush red(RGB(255, 0, 0));
        RECT rect;
        ::GetClientRect(slot, &rect);
        CClientDC dc(slot);
        ::FrameRect(dc.GetSafeHdc(), &rect, red.GetSafeHandle());
    }
    return result;
}
