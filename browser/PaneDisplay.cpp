#include "app/ProgramState.h"
#include "app/breltDlg.h"

void CBreltDlg::ShowPane(int nPane, int nFirst) {
    PaneByNumber(nPane).ShowFrom(nFirst);
}

void CBreltDlg::ShowTargetShiftPreview() {
    int selected = g_nTargetSel;
    int current = g_nTargetFirst;
    if (selected < 0 || selected > 4) {
        return;
    }
    // After the shift the current image stands twice, then each later slot shows the image
    // that was one number lower.
    std::vector<int> images{current};
    for (int slot = selected + 1; slot <= 4; ++slot) {
        images.push_back(current + (slot - selected - 1));
    }
    TargetPane().ShowImages(selected, images);
}

void CBreltDlg::HighlightSelection(int nSourceSlot, int nTargetSlot) {
    m_sourcePane.Frame(nSourceSlot);
    m_targetPane.Frame(nTargetSlot);
    // Whatever else waits to be painted, such as slots given a new picture, is painted now too.
    RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    UpdateMoveButtons();
    UpdateStatusBar();
    TellSlotsChanged();
}

void CBreltDlg::ShowFrames() {
    HighlightSelection(g_nSourceSel, g_nTargetSel);
}

void CBreltDlg::ShowWrittenImages(const std::vector<int>& images) {
    // The target's, and the source's too when it shows the same file.
    TargetPane().ShowWritten(images);
    if (SourcePane().IsOpen() && m_sourceKey == m_targetKey) {
        SourcePane().ShowWritten(images);
    }
}

void CBreltDlg::OnDpiChanged(int) {
    FitFrameToControls();
    FitGoToBoxes();
    m_sourcePane.RefreshZoom();
    m_targetPane.RefreshZoom();
    m_picImage.RefreshZoom();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}
