#include "dialogs/QuestionDlg.h"

#include "res/resource.h"

CQuestionDlg::CQuestionDlg(std::string question, CWnd* parent)
    : CDialog(IDD_QUESTION_DIALOG, parent), m_question(std::move(question)) {}

BOOL CQuestionDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CWnd(GetDlgItem(IDC_QUESTION_TEXT)).SetWindowText(m_question);
    return TRUE;
}
