#include "app/breltDlg.h"

// Commands whose behaviour is still to be built: they do nothing yet.

void CBreltDlg::OnLoadImage() {}
void CBreltDlg::OnMoveImageToCollection() {}
void CBreltDlg::OnMoveToCollection() {}
void CBreltDlg::OnShiftCollection() {}
void CBreltDlg::OnGenerateCollection() {}
