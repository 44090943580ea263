#include "app/breltDlg.h"

#include "app/HistoryFolder.h"
#include "app/ProgramState.h"
#include "collection/BitmapExport.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CBreltDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_DROPFILES()
ON_WM_CONTEXTMENU()
ON_WM_NOTIFY()
ON_MESSAGE(WM_APP_OPEN_START_FILES, OnOpenStartFiles)
ON_MESSAGE(WM_APP_UPDATE_STATUS, OnUpdateStatus)
ON_MESSAGE(WM_APP_RECOVER_AT_START, OnRecoverAtStart)
ON_MESSAGE(WM_DESTROY, OnWindowDestroyed)
ON_WM_INITMENUPOPUP()
// The commands of the menus and keys come from the table of commands (app/CommandTable.cpp).
ON_COMMAND(ID_COPY_LOADED_IMAGE, OnCopyLoadedImage)
ON_BN_CLICKED(IDC_LOAD_IMAGE, OnLoadImage)
ON_BN_CLICKED(IDC_OPEN_SOURCE, OnOpenSource)
ON_BN_CLICKED(IDC_SOURCE_PREV, OnSourcePrev)
ON_BN_CLICKED(IDC_SOURCE_NEXT, OnSourceNext)
ON_BN_CLICKED(IDC_SOURCE_GOTO, OnSourceGoTo)
ON_BN_CLICKED(IDC_OPEN_TARGET, OnOpenTarget)
ON_BN_CLICKED(IDC_TARGET_GOTO, OnTargetGoTo)
ON_BN_CLICKED(IDC_TARGET_PREV, OnTargetPrev)
ON_BN_CLICKED(IDC_TARGET_NEXT, OnTargetNext)
ON_BN_CLICKED(IDC_MOVE_IMAGE, OnMoveImageToCollection)
ON_BN_CLICKED(IDC_MOVE_TO_COLLECTION, OnMoveToCollection)
// Slot ids: 1016 and 1017 are the first slots, 1022 to 1029 the others.
ON_STN_CLICKED(IDC_SOURCE_SLOT1, OnSourceSlot1)
ON_STN_CLICKED(IDC_SOURCE_SLOT2, OnSourceSlot2)
ON_STN_CLICKED(IDC_SOURCE_SLOT3, OnSourceSlot3)
ON_STN_CLICKED(IDC_SOURCE_SLOT4, OnSourceSlot4)
ON_STN_CLICKED(IDC_SOURCE_SLOT5, OnSourceSlot5)
ON_STN_CLICKED(IDC_TARGET_SLOT1, OnTargetSlot1)
ON_STN_CLICKED(IDC_TARGET_SLOT2, OnTargetSlot2)
ON_STN_CLICKED(IDC_TARGET_SLOT3, OnTargetSlot3)
ON_STN_CLICKED(IDC_TARGET_SLOT4, OnTargetSlot4)
ON_STN_CLICKED(IDC_TARGET_SLOT5, OnTargetSlot5)
ON_CONTROL_RANGE(STN_DBLCLK, IDC_SOURCE_SLOT1, IDC_TARGET_SLOT5, OnSlotDoubleClicked)
ON_BN_CLICKED(IDC_SHIFT_COLLECTION, OnShiftCollection)
ON_BN_CLICKED(IDC_GENERATE_COLLECTION, OnGenerateCollection)
ON_BN_CLICKED(IDC_EXIT, OnCancel)
END_MESSAGE_MAP()

CBreltDlg::CBreltDlg(CWnd* parent)
    : CDialog(IDD_BRELT_DIALOG, parent), m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)),
      m_history(HistoryStorageMaker()),
      m_sourcePane(CCollectionPane::Side::Source,
                   {g_pfSource, g_nSourceCount, g_nSourceFirst, g_nSourceSel, m_sourcePath},
                   {{IDC_SOURCE_SLOT1, IDC_SOURCE_SLOT2, IDC_SOURCE_SLOT3, IDC_SOURCE_SLOT4,
                     IDC_SOURCE_SLOT5},
                    {"xzzf.bmp", "xzzf2.bmp", "xzzf3.bmp", "xzzf4.bmp", "xzzf5.bmp"},
                    IDC_SOURCE_GOTO_BOX,
                    IDC_SOURCE_NAME}),
      m_targetPane(CCollectionPane::Side::Target,
                   {g_pfTarget, g_nTargetCount, g_nTargetFirst, g_nTargetSel, g_strTargetPath},
                   {{IDC_TARGET_SLOT1, IDC_TARGET_SLOT2, IDC_TARGET_SLOT3, IDC_TARGET_SLOT4,
                     IDC_TARGET_SLOT5},
                    {"xzzg.bmp", "xzzg2.bmp", "xzzg3.bmp", "xzzg4.bmp", "xzzg5.bmp"},
                    IDC_TARGET_GOTO_BOX,
                    IDC_TARGET_NAME}) {}

CBreltDlg::~CBreltDlg() {
    RemovePaneKeys();
}

void CBreltDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SOURCE_GROUP, m_grpSource);
    DDX_Control(pDX, IDC_TARGET_GROUP, m_grpTarget);
    DDX_Control(pDX, IDC_TARGET_NAME, m_txtTargetName);
    DDX_Control(pDX, IDC_SOURCE_NAME, m_txtSourceName);
    DDX_Control(pDX, IDC_IMAGE_NAME, m_txtImageName);
    DDX_Control(pDX, IDC_TARGET_SLOT5, m_picTarget5);
    DDX_Control(pDX, IDC_TARGET_SLOT4, m_picTarget4);
    DDX_Control(pDX, IDC_TARGET_SLOT3, m_picTarget3);
    DDX_Control(pDX, IDC_SOURCE_SLOT5, m_picSource5);
    DDX_Control(pDX, IDC_TARGET_SLOT2, m_picTarget2);
    DDX_Control(pDX, IDC_SOURCE_SLOT4, m_picSource4);
    DDX_Control(pDX, IDC_SOURCE_SLOT3, m_picSource3);
    DDX_Control(pDX, IDC_SOURCE_SLOT2, m_picSource2);
    DDX_Control(pDX, IDC_SOURCE_SLOT1, m_picSource1);
    DDX_Control(pDX, IDC_SOURCE_GOTO, m_btnGoToSource);
    DDX_Control(pDX, IDC_TARGET_SLOT1, m_picTarget1);
    DDX_Control(pDX, IDC_IMAGE_PICTURE, m_picImage);
}

BOOL CBreltDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    // The About entry goes at the end of the system menu.
    HMENU systemMenu = GetSystemMenu(FALSE);
    if (systemMenu != nullptr) {
        wchar_t about[128] = {};
        ::LoadStringW(AfxGetApp()->m_hInstance, IDS_ABOUTBOX, about, 128);
        if (about[0] != L'\0') {
            ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    AddMenuAndStatusBar();
    m_sourcePane.Attach(
        m_hWnd, {&m_picSource1, &m_picSource2, &m_picSource3, &m_picSource4, &m_picSource5});
    m_targetPane.Attach(
        m_hWnd, {&m_picTarget1, &m_picTarget2, &m_picTarget3, &m_picTarget4, &m_picTarget5});
    InstallSlotFrames();
    ::DragAcceptFiles(m_hWnd, TRUE);
    InstallPaneKeys();
    FitGoToBoxes();
    CreateToolTips();
    CreateAccessibility();
    UpdateMoveButtons();
    // The focus starts on a real control, the first "Buscar...", and Enter presses it. Set
    // directly, so that no button is made the default one as the dialog manager would.
    ::SetFocus(GetDlgItem(IDC_OPEN_SOURCE));
    ::PostMessageW(m_hWnd, WM_APP_RECOVER_AT_START, 0, 0); // once the window shows
    if (!m_startFiles.empty()) {
        ::PostMessageW(m_hWnd, WM_APP_OPEN_START_FILES, 0, 0);
    }
    return FALSE;
}

void CBreltDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        OnAbout();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CBreltDlg::OnPaint() {
    if (!IsIconic()) {
        CPaintDC dc(m_hWnd);
        DrawSlotFocus(dc.GetSafeHdc(), m_hWnd);
        return;
    }
    // Minimised: the icon, centred in the client area.
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    int iconWidth = ::GetSystemMetrics(SM_CXICON);
    int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(&client);
    int x = (client.right - client.left - iconWidth + 1) / 2;
    int y = (client.bottom - client.top - iconHeight + 1) / 2;
    ::DrawIcon(dc.GetSafeHdc(), x, y, m_hIcon);
}

HCURSOR CBreltDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

void CBreltDlg::OnCancel() {
    // Source, target, then image; nulled so that nothing can use a closed stream.
    for (std::FILE** stream : {&g_pfSource, &g_pfTarget, &g_pfImage}) {
        if (*stream != nullptr) {
            std::fclose(*stream);
            *stream = nullptr;
        }
    }
    CDialog::OnCancel();
}

LRESULT CBreltDlg::OnWindowDestroyed(WPARAM, LPARAM) {
    m_history.CloseLogs(); // the histories are on the disk: nothing of them is held open
    RemovePaneKeys();
    return 0;
}

void CBreltDlg::Alert(const std::string& text, UINT icon) {
    // Owned by whichever of brelt's windows is in front: the overview, when it is open.
    CWnd(::GetLastActivePopup(m_hWnd)).MessageBox(text, "Alerta", MB_OK | icon);
}

void CBreltDlg::Inform(const std::string& text) {
    CWnd(::GetLastActivePopup(m_hWnd)).MessageBox(text, "brelt", MB_OK | MB_ICONINFORMATION);
}

void CBreltDlg::ExportImage(std::FILE* collection, const char* path, int imageNumber) {
    ::ExportImage(collection, path, imageNumber);
}

void CBreltDlg::WriteBmpHeader(std::FILE* dst) {
    ::WriteBmpHeader(dst);
}
