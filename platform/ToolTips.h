#pragma once

#include <windows.h>

#include <string>

// The tool tips of a dialog's controls: one tool tip window, owned by the dialog, which asks the
// dialog for each control's text when it is about to show it (TTN_GETDISPINFOW in WM_NOTIFY).
class CToolTips {
public:
    CToolTips() = default;
    ~CToolTips();
    CToolTips(const CToolTips&) = delete;
    CToolTips& operator=(const CToolTips&) = delete;

    void Create(HWND dialog);
    void AddTool(HWND control);
    HWND GetSafeHwnd() const { return m_hWnd; }

    // When header asks for a tip's text: the control it is for; null otherwise.
    static HWND ToolAskedFor(const NMHDR* header);
    // Answers that request with text; the text is kept until the next answer.
    void Answer(NMHDR* header, const std::string& text);

private:
    HWND m_hWnd = nullptr;
    HWND m_dialog = nullptr;
    std::wstring m_text;
};
