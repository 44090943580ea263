#pragma once

#include "platform/Afx.h"

#include <string>

// A question that changes files, answered "SI" (IDOK) or "NO" (IDCANCEL).
class CQuestionDlg : public CDialog {
public:
    // The answer Enter gives: "SI", or "NO" where the change could do harm.
    enum class Default { Yes, No };
    explicit CQuestionDlg(std::string question, CWnd* parent = nullptr,
                          Default answer = Default::Yes);

    BOOL OnInitDialog() override;
    const std::string& GetQuestion() const { return m_question; }
    Default GetDefault() const { return m_default; }

private:
    std::string m_question;
    Default m_default;
};
