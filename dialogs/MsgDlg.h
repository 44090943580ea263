#pragma once

#include "platform/Afx.h"

// Asks whether to go on with an operation that loses the image shown in the preview file
// "zzz.bmp". The answer lands in g_bConfirmed: 1 for "SI", 0 for "NO".
class CMsgDlg : public CDialog {
public:
    explicit CMsgDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    CButton m_btnYes;
    CPicture m_imgPreview;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
