#include "app/CommandTable.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"

#include <algorithm>

void CBreltDlg::ShowPaneMenu(const CCollectionPane& pane, POINT screenPoint) {
    CMenu menu;
    menu.CreatePopupMenu();
    FillMenu(menu.GetSafeHmenu(), PaneMenuLayout(pane.Number() == TargetPane().Number()), true);
    menu.Track(m_hWnd, screenPoint);
}

void CBreltDlg::OnContextMenu(HWND, POINT screenPoint) {
    CCollectionPane* pane = &ActivePane();
    POINT at = screenPoint;
    if (screenPoint.x == -1 && screenPoint.y == -1) {
        // From the keyboard: under the active pane's current slot.
        RECT slot;
        ::GetWindowRect(pane->SlotWindow(std::clamp(pane->SelectedSlot(), 0, 4)), &slot);
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
        for (CCollectionPane* candidate : {&m_sourcePane, &m_targetPane}) {
            if (slot < 0 && (slot = candidate->SlotAt(client)) >= 0) {
                pane = candidate;
            }
        }
        if (slot < 0 || pane->Stream() == nullptr) {
            return;
        }
        m_activePane = pane->Number();
        pane->SelectSlot(slot);
        ShowFrames();
    }
    if (pane->Stream() != nullptr) {
        ShowPaneMenu(*pane, at);
    }
}
