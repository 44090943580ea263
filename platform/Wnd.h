#pragma once

#include "platform/MessageMap.h"

#include <string>

// Stands a top-level window of ours centred over the main window (see AfxGetMainWndHandle),
// within the work area of the main window's monitor; the main window itself stays where it is.
void CentreOverMainWindow(HWND window);

// Whether window is of the window class className ("Button", "Edit"), whatever the case.
bool WindowClassIs(HWND window, const wchar_t* className);

// A window of ours or a control, by its handle. Texts are UTF-8.
class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    // Borrows a window the object does not own, such as a control of a dialog.
    explicit CWnd(HWND window) : m_hWnd(window) {}

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetDlgItem(int id) const;

    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    BOOL IsIconic() const;
    BOOL ShowWindow(int command);
    void GetClientRect(RECT* rect) const;
    BOOL RedrawWindow(const RECT* update = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    HMENU GetSystemMenu(BOOL revert) const;
    HICON SetIcon(HICON icon, BOOL bigIcon);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    UINT IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, UINT check);
    void CheckRadioButton(int firstId, int lastId, int checkedId);

    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    void SetDlgItemText(int id, const std::string& text);

    // A message box owned by this window, centred over the main window.
    int MessageBox(const std::string& text, const std::string& caption, UINT type);

protected:
    // Dispatches a message through the message map; false when no entry handles it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Called for WM_COMMAND: the map first, then the application's map.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    // Asks for the system's own handling of the message being handled, once the handler returns.
    void Default() { m_defaultRequested = true; }

    // The base handlers of the mapped messages: the system's own handling.
    void OnSysCommand(UINT, LPARAM) { Default(); }
    void OnPaint() { Default(); }
    HCURSOR OnQueryDragIcon() { return nullptr; }

    bool m_defaultRequested = false;
};
