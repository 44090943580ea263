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
    std::vector<HBITMAP> bitmaps;
    for (const std::string& path : paths) {
        bitmaps.push_back(LoadDisplayBitmap(path));
    }
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        SetSlotBitmap(pane.slotIds[fromSlot + i], bitmaps[i]);
    }
}

HBITMAP CBreltDlg::LoadDisplayBitmap(const std::string& path) const {
    return static_cast<HBITMAP>(
        ::LoadImageW(nullptr, Widen(path).c_str(), IMAGE_BITMAP, 32, 32, LR_LOADFROMFILE));
}

void CBreltDlg::SetSlotBitmap(int controlId, HBITMAP bitmap) {
    CStatic slot;
    slot.m_hWnd = GetDlgItem(controlId);
    HBITMAP previous = slot.SetBitmap(bitmap);
    // The slot gives back the bitmap it showed before: ours to release, or paging through a
    // collection would use up the system's drawing objects.
    if (previous != nullptr && previous != bitmap) {
        ::DeleteObject(previous);
    }
}

void CBreltDlg::HighlightSelection(int nSourceSlot, int nTargetSlot) {
    // A slot number outside 0..4 (negative ones too) frames nothing, nor does a closed pane.
    auto framed = [](std::FILE* stream, int slot) {
        return stream != nullptr && static_cast<unsigned>(slot) <= 4 ? slot : -1;
    };
    m_framedSourceSlot = framed(g_pfSource, nSourceSlot);
    m_framedTargetSlot = framed(g_pfTarget, nTargetSlot);
    // Repainting the dialog wipes the old frames; each framed slot draws its frame as it paints.
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
