#include "app/DisplayFiles.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/Panes.h"

void CBreltDlg::ShowPane(int nPane, int nFirst) {
    ShowSlotImages(PaneByNumber(nPane), 0,
                   {nFirst, nFirst + 1, nFirst + 2, nFirst + 3, nFirst + 4});
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
    ShowSlotImages(TargetPane(), selected, images);
}

void CBreltDlg::ShowSlotImages(const Pane& pane, int fromSlot, const std::vector<int>& images) {
    // Every image is exported before any is loaded, and all are loaded before any is shown.
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < images.size(); ++i) {
        paths.push_back(DisplayFilePath(pane.displayFiles[fromSlot + i]));
        ExportImage(pane.stream, paths.back().c_str(), images[i]);
    }
    std::vector<CBitmap> bitmaps;
    for (const std::string& path : paths) {
        bitmaps.push_back(CBitmap::LoadFromFile(path, 32, 32));
    }
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        SlotPicture(pane, fromSlot + static_cast<int>(i)).SetStamp(bitmaps[i]);
    }
}

void CBreltDlg::ShowStoredTargetImage() {
    std::string path = DisplayFilePath("xzzg.bmp");
    ExportImage(g_pfTarget, path.c_str(), g_nTargetFirst);
    CBitmap bitmap = CBitmap::LoadFromFile(path, 32, 32);
    if (g_nTargetSel >= 0 && g_nTargetSel <= 4) {
        SlotPicture(TargetPane(), g_nTargetSel).SetStamp(bitmap);
    }
}

CPicture& CBreltDlg::SlotPicture(const Pane& pane, int slot) {
    CPicture* const source[] = {&m_picSource1, &m_picSource2, &m_picSource3, &m_picSource4,
                                &m_picSource5};
    CPicture* const target[] = {&m_picTarget1, &m_picTarget2, &m_picTarget3, &m_picTarget4,
                                &m_picTarget5};
    return pane.number == 1 ? *source[slot] : *target[slot];
}

void CBreltDlg::HighlightSelection(int nSourceSlot, int nTargetSlot) {
    // A slot number outside 0..4 (negative ones too) frames nothing, nor does a closed pane.
    auto framed = [](std::FILE* stream, int slot) {
        return stream != nullptr && static_cast<unsigned>(slot) <= 4 ? slot : -1;
    };
    const int wasSource = m_framedSourceSlot, wasTarget = m_framedTargetSlot;
    m_framedSourceSlot = framed(g_pfSource, nSourceSlot);
    m_framedTargetSlot = framed(g_pfTarget, nTargetSlot);
    // Each framed slot draws its frame as it paints: only the slots whose frame comes or goes
    // are painted again, not the whole dialog (under Wine that alone took 25 ms). Whatever else
    // waits to be painted, such as slots given a new picture, is painted now too.
    const std::pair<const Pane*, int> changed[] = {{&SourcePane(), wasSource},
                                                   {&SourcePane(), m_framedSourceSlot},
                                                   {&TargetPane(), wasTarget},
                                                   {&TargetPane(), m_framedTargetSlot}};
    for (auto [pane, slot] : changed) {
        if (slot >= 0) {
            ::RedrawWindow(GetDlgItem(pane->slotIds[slot]), nullptr, nullptr,
                           RDW_INVALIDATE | RDW_ERASE);
        }
    }
    RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    UpdateMoveButtons();
    UpdateStatusBar();
}

void CBreltDlg::OnDpiChanged(int) {
    FitFrameToControls();
    FitGoToBoxes();
    for (const Pane* pane : {&SourcePane(), &TargetPane()}) {
        for (int slot = 0; slot < 5; ++slot) {
            SlotPicture(*pane, slot).RefreshZoom();
        }
    }
    m_picImage.RefreshZoom();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}
