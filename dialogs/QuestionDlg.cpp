#include "dialogs/QuestionDlg.h"

#include "res/resource.h"

CQuestionDlg::CQuestionDlg(std::string question, CWnd* parent, Default answer)
    : CDialog(IDD_QUESTION_DIALOG, parent), m_question(std::move(question)), m_default(answer) {}

BOOL CQuestionDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CWnd(GetDlgItem(IDC_QUESTION_TEXT)).SetWindowText(m_question);
    if (m_default == Default::No) {
        // "NO" becomes the default button and takes the focus; "SI" an ordinary one.
        ::SendMessageW(GetDlgItem(IDOK), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        SendMessage(DM_SETDEFID, IDCANCEL);
        ::SendMessageW(GetDlgItem(IDCANCEL), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        ::SetFocus(GetDlgItem(IDCANCEL));
        return FALSE;
    }
    return TRUE;
}
