#include "platform/WinApp.h"

#include <commctrl.h>

namespace {

CWinApp* g_theApplication = nullptr;

} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char*) : m_hInstance(::GetModuleHandleW(nullptr)) {
    g_theApplication = this;
}

CWinApp::~CWinApp() {
    if (g_theApplication == this) {
        g_theApplication = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

HICON CWinApp::LoadIcon(UINT id) const {
    return ::LoadIconW(m_hInstance, MAKEINTRESOURCEW(id));
}

BOOL CWinApp::Enable3dControls() {
    // Controls have had the three-dimensional look since Windows 95; registering the common
    // control classes is all that is left to do.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    return ::InitCommonControlsEx(&controls);
}

void CWinApp::OnHelp() {
    // brelt ships no help file: the help command has nothing to open.
}

CWinApp* AfxGetApp() {
    return g_theApplication;
}

HWND AfxGetMainWndHandle() {
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->m_hWnd : nullptr;
}

void AfxEnableControlContainer() {}

int AfxWinMain(HINSTANCE instance) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    app->m_hInstance = instance;
    if (!app->InitInstance()) {
        return app->ExitInstance();
    }
    // An application that returns TRUE from InitInstance would run a message loop of its own;
    // brelt's dialog is its only loop, so there is nothing more to run.
    return app->ExitInstance();
}
