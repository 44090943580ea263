#pragma once

#include "platform/Wnd.h"

// The standard help command.
#define ID_HELP 0xE146

// The application object: one per program, made as a global. WinMain runs its InitInstance.
class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    // What the process returns when InitInstance has ended it.
    virtual int ExitInstance();

    // The icon resource id at the system's large-icon size.
    HICON LoadIcon(UINT id) const;
    BOOL Enable3dControls();
    void OnHelp();

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();

// The main window, owner of every window opened without a parent, which stays disabled while
// that window is open; null while there is none.
HWND AfxGetMainWndHandle();

// Prepares dialogs to host OLE controls; brelt's dialogs hold none.
void AfxEnableControlContainer();

// The program's entry point: runs the application object.
int AfxWinMain(HINSTANCE instance);
