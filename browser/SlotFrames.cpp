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
    LRESULT result = ::DefSubclassProc(slot, message, wParam, lParam);
    if (message == WM_PAINT && reinterpret_cast<CBreltDlg*>(dialog)->IsFramed(slot)) {
        // One pixel of pure red along the inside edge of the slot, over the picture.
        CBrush red(RGB(255, 0, 0));
        RECT rect;
        ::GetClientRect(slot, &rect);
        HDC dc = ::GetDC(slot);
        ::FrameRect(dc, &rect, red.GetSafeHandle());
        ::ReleaseDC(slot, dc);
    }
    return result;
}
