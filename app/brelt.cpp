#include "app/brelt.h"

#include "app/DisplayFiles.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "platform/Com.h"
#include "platform/CommandLine.h"

#include <string>
#include <vector>

BEGIN_MESSAGE_MAP(CBreltApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CBreltApp::CBreltApp() : CWinApp(nullptr) {}

// Defined together so that they are constructed in this order, before InitInstance runs.
CBreltApp theApp;
std::string g_strTargetPath;
std::string g_strNewPath;
std::string g_strLibraryDir = "C:\\Archivos de Programa\\Orvane\\Krimbo\\Biblioteques\\Segells";

std::FILE* g_pfImage = nullptr;
std::FILE* g_pfSource = nullptr;
std::FILE* g_pfTarget = nullptr;
int g_nSourceCount = 0;
int g_nTargetCount = 0;
int g_nSourceFirst = 0;
int g_nTargetFirst = 0;
int g_nSourceSel = 0;
int g_nTargetSel = 0;
int g_bConfirmed = 0;

BOOL CBreltApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControls();
    // Once for the program: the picture decoders are COM objects.
    CComApartment com;
    RemoveAbandonedDisplayFolders();

    CBreltDlg dlg;
    dlg.SetStartFiles(CommandLineArguments());
    m_pMainWnd = &dlg;
    dlg.DoModal();

    // The dialog was the whole program: end instead of starting a message loop.
    m_pMainWnd = nullptr;
    RemoveOwnDisplayFolder();
    return FALSE;
}
