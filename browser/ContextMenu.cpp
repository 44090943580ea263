#include "app/CommandTable.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/Panes.h"

#include <algorithm>

const Pane& CBreltDlg::ActivePane() const {
    return PaneByNumber(m_activePane);
}

int CBreltDlg::SlotAt(const Pane& pane, POINT clientPoint) const {
    for (int slot = 0; slot < 5; ++slot) {
        RECT rect;
        HWND control = GetDlgItem(pane.slotIds[slot]);
        ::GetWindowRect(control, &rect);
        ::MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        if (::PtInRect(&rect, clientPoint)) {
            return slot;
        }
    }
    return -1;
}

void CBreltDlg::ShowPaneMenu(const Pane& pane, POINT screenPoint) {
    CMenu menu;
    menu.CreatePopupMenu();
    FillMenu(menu.GetSafeHmenu(), PaneMenuLayout(pane.number == TargetPane().number), true);
    menu.Track(m_hWnd, screenPoint);
}

void CBreltDlg::OnContextMenu(HWND, POINT screenPoint) {
    const Pane* pane = &ActivePane();
    POINT at = screenPoint;
    if (screenPoint.x == -1 && screenPoint.y == -1) {
        // From the keyboard: under the active pane's current slot.
        RECT slot;
        ::GetWindowRect(GetDlgItem(pane->slotIds[std::clamp(pane->selected, 0, 4)]), &slot);
        at = {(slot.left + slot.right) / 2, (slot.top + slot.bottom) / 2};
    } else {
        POINT client = screenPoint;
        ::ScreenToClient(m_hWnd, &client);
        RECT picture = {};
        ::GetWindowRect(GetDlgItem(IDC_IMAGE_PICTURE), &picture);
        if (::PtInRect(&picture, screenPoint) && g_pfImage != nullptr) {
            // The image pane's own menu: its picture can be copied too.
            CMenu menu;
            menu.CreatePopupMenu();
            menu.AppendItem(ID_COPY_LOADED_IMAGE, L"&Copia la imatge");
            menu.Track(m_hWnd, screenPoint);
            return;
        }
        int slot = -1;
        for (const Pane* candidate : {&SourcePane(), &TargetPane()}) {
            if (slot < 0 && (slot = SlotAt(*candidate, client)) >= 0) {
                pane = candidate;
            }
        }
        if (slot < 0 || pane->stream == nullptr) {
            return;
        }
        m_activePane = pane->number;
        SelectSlot(*pane, slot);
    }
    if (pane->stream != nullptr) {
        ShowPaneMenu(*pane, at);
    }
}
