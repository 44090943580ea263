#include "dialogs/MsgDlg.h"

#include "app/DisplayFiles.h"
#include "app/ProgramState.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CMsgDlg, CDialog)
END_MESSAGE_MAP()

CMsgDlg::CMsgDlg(CWnd* parent) : CDialog(IDD_MSG_DIALOG, parent) {}

void CMsgDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnYes);
    DDX_Control(pDX, IDC_PREVIEW, m_imgPreview);
}

BOOL CMsgDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // Loaded once: the picture keeps showing the file as it was when the dialog opened.
    m_imgPreview.SetStamp(CBitmap::LoadFromFile(DisplayFilePath("zzz.bmp"), 32, 32));
    return TRUE;
}

void CMsgDlg::OnOK() {
    g_bConfirmed = 1;
    CDialog::OnOK();
}

void CMsgDlg::OnCancel() {
    g_bConfirmed = 0;
    CDialog::OnCancel();
}
