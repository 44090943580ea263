#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The status bar along the bottom of a window: parts of text, each as wide as it needs, the
// first taking what the others leave.
class CStatusBar {
public:
    CStatusBar() = default;
    ~CStatusBar();
    CStatusBar(const CStatusBar&) = delete;
    CStatusBar& operator=(const CStatusBar&) = delete;

    // A status bar in parent's font, without a size grip (the window keeps its size).
    BOOL Create(HWND parent, int id);
    HWND GetSafeHwnd() const { return m_hWnd; }
    int Height() const;

    // Shows texts, one a part; the window is only touched where a text changed.
    void SetTexts(const std::vector<std::wstring>& texts);
    const std::vector<std::wstring>& Texts() const { return m_texts; }
    // After the parent changed its size or font: along its bottom again, the parts measured again.
    void Reposition();

private:
    void SizeParts();
    HWND m_hWnd = nullptr;
    std::vector<std::wstring> m_texts;
};
