#pragma once

#include "platform/Afx.h"

#include <string>

// A question that changes files, answered "SI" (IDOK) or "NO" (IDCANCEL).
class CQuestionDlg : public CDialog {
public:
    explicit CQuestionDlg(std::string question, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    const std::string& GetQuestion() const { return m_question; }

private:
    std::string m_question;
};
