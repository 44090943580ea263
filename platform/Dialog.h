#pragma once

#include "platform/Wnd.h"

#include <vector>

class CDialog;

// Carries a dialog through DoDataExchange.
struct CDataExchange {
    CDialog* m_pDlgWnd;
};

// Binds control id of the dialog to a member object.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

// A dialog made from a dialog template in the program's resources, modal or modeless.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally; returns what EndDialog was given, or -1 when it can't be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless and visible; ends by EndDialog like a modal one.
    BOOL Create(CWnd* parent = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    UINT GetTemplateId() const { return m_nIDTemplate; }
    // The DPI the dialog is laid out for: its monitor's, and after WM_DPICHANGED the new one's.
    int GetDpi() const { return m_dpi; }

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Called once the dialog has moved to a monitor of another DPI and the system has scaled
    // what the template made: what the dialog sized or drew itself is done again for dpi.
    virtual void OnDpiChanged(int dpi);
    // Called once the system's colours or its high-contrast setting changed: what the dialog
    // drew ahead of time with them is drawn again. The dialog and its controls are then
    // repainted whole.
    virtual void OnColoursChanged() {}
    // Stands the dialog centred over the main window, within the screen's work area, once it is
    // initialised; a dialog that belongs elsewhere places itself instead.
    virtual void CentreOnMainWindow();

    DECLARE_MESSAGE_MAP()

private:
    friend void DDX_Control(CDataExchange*, int, CWnd&);
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND OwnerWindow() const;
    void ColoursChanged();
    void Detach();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bModal = false;
    int m_dpi = 96;
    std::vector<CWnd*> m_boundControls;
};

// A static control: text, picture or frame.
class CStatic : public CWnd {
public:
    using CWnd::CWnd;

    // Shows bitmap in a picture control; returns the bitmap it showed before.
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;
};

class CButton : public CWnd {
public:
    using CWnd::CWnd;
};
