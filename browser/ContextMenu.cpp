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

namespace {

// A command's name as a menu item's text: an ampersand of its own is no mnemonic.
std::wstring MenuText(const std::string& name) {
    std::wstring text;
    for (wchar_t c : Widen(name)) {
        text += c == L'&' ? L"&&" : std::wstring(1, c);
    }
    return text;
}

} // namespace

HMENU CBreltDlg::BuildContextMenu(const Pane& pane) const {
    const bool target = pane.number == TargetPane().number;
    HMENU menu = ::CreatePopupMenu();
    if (target) {
        ::AppendMenuW(menu, MF_STRING, ID_EDIT_IMAGE, L"&Edita la imatge...\tF2");
    }
    ::AppendMenuW(menu, MF_STRING, ID_COPY_IMAGE, L"&Copia la imatge\tCtrl+C");
    if (target) {
        ::AppendMenuW(menu, MF_STRING, ID_PASTE_HERE, L"E&nganxa aquí\tCtrl+V");
    }
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, ID_SHOW_OVERVIEW, L"&Mostra tota la col·lecció...");
    ::AppendMenuW(menu, MF_STRING, ID_SAVE_IMAGE_PNG, L"&Desa la imatge com a PNG...");
    ::AppendMenuW(menu, MF_STRING, ID_EXPORT_COLLECTION_PNG, L"E&xporta la col·lecció en PNG...");
    if (target) {
        ::AppendMenuW(menu, MF_STRING, ID_IMPORT_PICTURES_HERE, L"&Importa imatges aquí...");
        ::AppendMenuW(menu, MF_STRING, ID_IMPORT_SHEET, L"Importa un full de se&gells...");
        ::AppendMenuW(menu, MF_STRING, ID_MAKE_ROOM, L"Fes &lloc aquí...");
    }
    const Change* undo = m_history.NextUndo();
    const Change* redo = m_history.NextRedo();
    if (undo != nullptr || redo != nullptr) {
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    if (undo != nullptr) {
        ::AppendMenuW(menu, MF_STRING, ID_UNDO,
                      (L"Des&fés: " + MenuText(undo->what) + L"\tCtrl+Z").c_str());
    }
    if (redo != nullptr) {
        ::AppendMenuW(menu, MF_STRING, ID_REDO,
                      (L"&Refés: " + MenuText(redo->what) + L"\tCtrl+Y").c_str());
    }
    return menu;
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
            HMENU menu = ::CreatePopupMenu();
            ::AppendMenuW(menu, MF_STRING, ID_COPY_LOADED_IMAGE, L"&Copia la imatge");
            ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0,
                             m_hWnd, nullptr);
            ::DestroyMenu(menu);
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
    if (pane->stream == nullptr) {
        return;
    }
    HMENU menu = BuildContextMenu(*pane);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}
