#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/PathNames.h"
#include "platform/Text.h"

void CBreltDlg::UpdateMoveButtons() {
    ::EnableWindow(GetDlgItem(IDC_MOVE_IMAGE), g_pfImage != nullptr && CanWriteTarget());
    ::EnableWindow(GetDlgItem(IDC_MOVE_TO_COLLECTION), g_pfSource != nullptr && CanWriteTarget());
}

void CBreltDlg::FitGoToBoxes() {
    // Measured under Wine at 96 DPI: "126" needs 21 pixels in the dialog's font and the box has
    // 20 inside its border, 14 inside its default margins.
    LOGFONTW face{};
    ::GetObjectW(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)), sizeof(face), &face);
    face.lfHeight = face.lfHeight * 7 / 8; // a point smaller than 8
    m_goToFont.CreateFontIndirect(face);
    for (HWND edit : {SourcePane().GoToBox(), TargetPane().GoToBox()}) {
        ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_goToFont.GetSafeHandle()),
                       TRUE);
        ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
        CentreTextVertically(edit);
    }
}

void CBreltDlg::CreateToolTips() {
    m_toolTips.Create(m_hWnd);
    for (const CCollectionPane* pane : {&m_sourcePane, &m_targetPane}) {
        for (int slot = 0; slot < 5; ++slot) {
            m_toolTips.AddTool(pane->SlotWindow(slot));
        }
    }
    m_toolTips.AddTool(GetDlgItem(IDC_IMAGE_PICTURE));
}

std::string CBreltDlg::ToolTipText(HWND control) const {
    // A tip only where there is something to say: a picture loaded, a collection open.
    const bool picture = control == GetDlgItem(IDC_IMAGE_PICTURE);
    const bool open = m_sourcePane.SlotOf(control) >= 0   ? m_sourcePane.IsOpen()
                      : m_targetPane.SlotOf(control) >= 0 ? m_targetPane.IsOpen()
                                                          : false;
    return (picture && g_pfImage != nullptr) || open ? Narrow(WordsFor(control).name)
                                                     : std::string();
}

void CBreltDlg::OnNotify(NMHDR* header, LRESULT*) {
    if (HWND control = CToolTips::ToolAskedFor(header)) {
        m_toolTips.Answer(header, ToolTipText(control));
    }
}
