#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/PathNames.h"
#include "platform/Text.h"

// What the slots and the loaded picture say to a screen reader and in their tool tips: one home
// for both, so that they never disagree.

CControlAccess::Words CBreltDlg::WordsFor(HWND control) const {
    CControlAccess::Words words;
    if (control == GetDlgItem(IDC_IMAGE_PICTURE)) {
        words.name = g_pfImage != nullptr
                         ? L"Imatge carregada: " + Widen(m_txtImageName.GetWindowText())
                         : L"Cap imatge carregada";
        return words;
    }
    for (const CCollectionPane* pane : {&m_sourcePane, &m_targetPane}) {
        const int slot = pane->SlotOf(control);
        if (slot < 0) {
            continue;
        }
        const std::wstring side = pane->Number() == 1 ? L"Origen" : L"Destí";
        if (!pane->IsOpen()) {
            words.name = side + L", cap col·lecció oberta";
            return words;
        }
        const int image = pane->FirstShown() + slot;
        words.name =
            side + L", imatge " + std::to_wstring(image) + L" de " + std::to_wstring(pane->Count());
        words.description = Widen(FileNameOf(pane->Path()));
        words.state =
            STATE_SYSTEM_SELECTABLE | (image == pane->Current() ? STATE_SYSTEM_SELECTED : 0);
        return words;
    }
    return words;
}

void CBreltDlg::CreateAccessibility() {
    std::vector<HWND> controls{GetDlgItem(IDC_IMAGE_PICTURE)};
    for (const CCollectionPane* pane : {&m_sourcePane, &m_targetPane}) {
        for (int slot = 0; slot < 5; ++slot) {
            controls.push_back(pane->SlotWindow(slot));
        }
    }
    for (HWND control : controls) {
        m_controlAccess.push_back(std::make_unique<CControlAccess>(
            control, [this, control] { return WordsFor(control); }));
    }
}

void CBreltDlg::TellSlotsChanged() const {
    for (const auto& access : m_controlAccess) {
        access->Changed();
    }
}
