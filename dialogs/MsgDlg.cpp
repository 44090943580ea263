#include "dialogs/MsgDlg.h"

#include "app/DisplayFiles.h"
#include "app/ProgramState.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CMsgDlg, CDialog)
END_MESSAGE_MAP()

CMsgDlg::CMsgDlg(CWnd* parent) : CDialog(IDD_MSG_DIALOG, parent) {}

CMsgDlg::~CMsgDlg() {
    if (m_preview != nullptr) {
        ::DeleteObject(m_preview);
    }
}

void CMsgDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnYes);
    DDX_Control(pDX, IDC_PREVIEW, m_imgPreview);
}

BOOL CMsgDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // Loaded once: the picture keeps showing the file as it was when the dialog opened.
    m_preview = static_cast<HBITMAP>(::LoadImageW(
        nullptr, Widen(DisplayFilePath("zzz.bmp")).c_str(), IMAGE_BITMAP, 32, 32, LR_LOADFROMFILE));
    m_imgPreview.SetBitmap(m_preview);
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
