#include "app/breltDlg.h"

// Commands whose behaviour is still to be built: they do nothing yet.

void CBreltDlg::ShowPane(int, int) {}
void CBreltDlg::ShowTargetShiftPreview() {}
void CBreltDlg::HighlightSelection(int, int) {}
void CBreltDlg::OnOpenSource() {}
void CBreltDlg::OnOpenTarget() {}
void CBreltDlg::OnSourcePrev() {}
void CBreltDlg::OnSourceNext() {}
void CBreltDlg::OnSourceGoTo() {}
void CBreltDlg::OnTargetPrev() {}
void CBreltDlg::OnTargetNext() {}
void CBreltDlg::OnTargetGoTo() {}
void CBreltDlg::OnSourceSlot1() {}
void CBreltDlg::OnSourceSlot2() {}
void CBreltDlg::OnSourceSlot3() {}
void CBreltDlg::OnSourceSlot4() {}
void CBreltDlg::OnSourceSlot5() {}
void CBreltDlg::OnTargetSlot1() {}
void CBreltDlg::OnTargetSlot2() {}
void CBreltDlg::OnTargetSlot3() {}
void CBreltDlg::OnTargetSlot4() {}
void CBreltDlg::OnTargetSlot5() {}
void CBreltDlg::OnLoadImage() {}
void CBreltDlg::OnMoveImageToCollection() {}
void CBreltDlg::OnMoveToCollection() {}
void CBreltDlg::OnShiftCollection() {}
void CBreltDlg::OnGenerateCollection() {}
