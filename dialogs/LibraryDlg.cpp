#include "dialogs/LibraryDlg.h"

#include "app/LibraryFiles.h"
#include "app/LibraryLoader.h"
#include "dialogs/LibraryList.h"
#include "dialogs/LibraryRow.h"
#include "layout/Zoom.h"
#include "platform/Clipboard.h"
#include "platform/ClipboardPictures.h"
#include "platform/FolderDialog.h"
#include "platform/Menu.h"
#include "platform/PictureDecoder.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "res/resource.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cmath>
#include <cwctype>

namespace {

// The loader's word on each file read.
constexpr UINT WM_LIBRARY_PROGRESS = WM_APP + 31;
// "Semblança": the threshold's slider runs over tenths, up to this many hundredths.
constexpr int kMostThreshold = 10;

const char* CaptionOf(CLibraryDlg::Mode mode) {
    switch (mode) {
    case CLibraryDlg::Mode::Search:
        return "Cerca a la biblioteca";
    case CLibraryDlg::Mode::Repeats:
        return "Repetits a la biblioteca";
    case CLibraryDlg::Mode::Browse:
        break;
    }
    return "Biblioteca";
}

// The first file dropped, decoded as a picture.
std::optional<picture::Picture> DroppedPicture(HDROP drop) {
    const std::string path = TakeDrop(drop).path;
    return path.empty() ? std::nullopt : DecodePicture(path).picture;
}

} // namespace

BEGIN_MESSAGE_MAP(CLibraryDlg, CDialog)
ON_CONTROL(EN_CHANGE, IDC_LIBRARY_FILTER, OnFilterChanged)
ON_BN_CLICKED(IDC_LIBRARY_ADD_FOLDER, OnAddFolder)
ON_BN_CLICKED(IDC_LIBRARY_STOP, OnStop)
END_MESSAGE_MAP()

CLibraryDlg::CLibraryDlg(Mode mode, std::optional<library::StampColours> query,
                         PictureToStamp convert, CWnd* parent)
    : CDialog(IDD_LIBRARY_DIALOG, parent), m_mode(mode), m_query(query),
      m_convert(std::move(convert)), m_list(std::make_unique<CLibraryList>()) {
    CLibraryList::Register(); // the template names its class
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
}

CLibraryDlg::~CLibraryDlg() = default;

BOOL CLibraryDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    HWND slider = GetDlgItem(IDC_LIBRARY_NEAR);
    ::SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, kMostThreshold * 10));
    ::SendMessageW(slider, TBM_SETPOS, TRUE, std::lround(library::kNearByDefault * 10));
    ShowMode();
    m_list->Attach(GetDlgItem(IDC_LIBRARY_LIST),
                   {[this](int row) { Open(row, false); },
                    [this](int row, POINT screen) { ShowMenu(row, screen); },
                    [this] { PasteToLookFor(); }});
    if (m_convert) {
        ::DragAcceptFiles(m_hWnd, TRUE);
    }
    StartReading();
    return TRUE;
}

void CLibraryDlg::ShowMode() {
    SetWindowText(CaptionOf(m_mode));
    for (int id : {IDC_LIBRARY_NEAR, IDC_LIBRARY_NEAR_LABEL, IDC_LIBRARY_NEAR_VALUE}) {
        ::ShowWindow(GetDlgItem(id), m_mode == Mode::Search ? SW_SHOW : SW_HIDE);
    }
}

void CLibraryDlg::LookFor(const std::optional<picture::Picture>& picture) {
    std::optional<library::StampColours> stamp =
        picture && m_convert ? m_convert(*picture) : std::nullopt;
    if (!stamp) {
        MessageBox("Aquesta imatge no es pot llegir: és malmesa o d'un tipus que brelt no coneix.",
                   "Alerta", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_mode = Mode::Search;
    m_query = stamp;
    ShowMode();
    ShowRows();
}

void CLibraryDlg::PasteToLookFor() {
    bool unreadable = false;
    std::optional<picture::Picture> picture = PictureOnClipboard(m_hWnd, unreadable);
    if (!picture && !unreadable) {
        MessageBox("El porta-retalls no conté cap imatge.", "Alerta", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    LookFor(picture);
}

void CLibraryDlg::StartReading() {
    m_loader.reset(); // a reading under way ends first
    m_shelves.clear();
    ShowRows();
    ::EnableWindow(GetDlgItem(IDC_LIBRARY_STOP), TRUE);
    SetDlgItemText(IDC_LIBRARY_PROGRESS, "S'estan buscant les col·leccions...");
    m_loader = std::make_unique<CLibraryLoader>(LibraryFolders(), LibraryIndexPath(), m_hWnd,
                                                WM_LIBRARY_PROGRESS);
}

BOOL CLibraryDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_LIBRARY_PROGRESS) {
        OnProgress(wParam, lParam);
        *result = 0;
        return TRUE;
    }
    if (message == WM_DROPFILES) {
        LookFor(DroppedPicture(reinterpret_cast<HDROP>(wParam)));
        *result = 0;
        return TRUE;
    }
    if (message == WM_HSCROLL && reinterpret_cast<HWND>(lParam) == GetDlgItem(IDC_LIBRARY_NEAR)) {
        ShowRows(); // the threshold moved
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

void CLibraryDlg::OnProgress(WPARAM done, LPARAM total) {
    if (done != CLibraryLoader::kFinished) {
        SetDlgItemText(IDC_LIBRARY_PROGRESS,
                       "S'estan llegint les col·leccions: " + std::to_string(done) + " de " +
                           std::to_string(total) + "...");
        return;
    }
    const bool stopped = m_loader->CutShort();
    m_shelves = m_loader->TakeShelves();
    std::size_t stamps = 0;
    for (const library::Shelf& shelf : m_shelves) {
        stamps += shelf.stamps.size();
    }
    std::string said =
        std::to_string(m_shelves.size()) + " col·leccions, " + std::to_string(stamps) + " segells";
    SetDlgItemText(IDC_LIBRARY_PROGRESS, said + (stopped ? " (aturat abans d'acabar)." : "."));
    ::EnableWindow(GetDlgItem(IDC_LIBRARY_STOP), FALSE);
    ShowRows();
}

void CLibraryDlg::OnFilterChanged() {
    wchar_t typed[256] = {};
    ::GetWindowTextW(GetDlgItem(IDC_LIBRARY_FILTER), typed, 256);
    m_filter = typed;
    for (wchar_t& c : m_filter) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    ShowRows();
}

float CLibraryDlg::Threshold() const {
    return static_cast<float>(::SendMessageW(GetDlgItem(IDC_LIBRARY_NEAR), TBM_GETPOS, 0, 0)) /
           10.0f;
}

void CLibraryDlg::ShowRows() {
    m_rows = Rows();
    std::vector<CLibraryList::Row> shown;
    for (const LibraryRow& row : m_rows) {
        shown.push_back({row.heading, &row.Stamps()});
    }
    m_list->SetRows(std::move(shown), layout::ZoomForDpi(1, GetDpi())); // at their true size
    if (m_mode == Mode::Search) {
        wchar_t value[32] = {};
        std::swprintf(value, 32, L"%.1f", static_cast<double>(Threshold()));
        ::SetWindowTextW(GetDlgItem(IDC_LIBRARY_NEAR_VALUE), value);
    }
}

void CLibraryDlg::OnStop() {
    if (m_loader) {
        m_loader->Stop();
    }
}

void CLibraryDlg::OnAddFolder() {
    const std::string folder = ChooseFolder("Afegeix una carpeta a la biblioteca");
    if (folder.empty()) {
        return;
    }
    if (!AddLibraryFolder(folder)) {
        MessageBox("No s'ha pogut desar la carpeta " + folder + " a la biblioteca.", "Alerta",
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    StartReading();
}

void CLibraryDlg::Open(int row, bool asSource) {
    const library::Place place = m_rows[static_cast<std::size_t>(row)].place;
    const library::Entry& entry = m_shelves[static_cast<std::size_t>(place.shelf)].entry;
    if (entry.state != library::Entry::State::Collection) {
        MessageBox(entry.path + " no es pot obrir: " +
                       (entry.state == library::Entry::State::Unreadable ? "no es pot llegir."
                                                                         : "no és una col·lecció."),
                   "Alerta", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_chosen = {entry.path, place.image, asSource};
    EndDialog(IDOK);
}

void CLibraryDlg::ShowMenu(int row, POINT screen) {
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendItem(ID_LIBRARY_OPEN_TARGET, L"Obre com a &destinació\tIntro");
    menu.AppendItem(ID_LIBRARY_OPEN_SOURCE, L"Obre com a &origen");
    const UINT chosen = menu.TrackForCommand(m_hWnd, screen);
    if (chosen == ID_LIBRARY_OPEN_TARGET || chosen == ID_LIBRARY_OPEN_SOURCE) {
        Open(row, chosen == ID_LIBRARY_OPEN_SOURCE);
    }
}

void CLibraryDlg::OnCancel() {
    m_loader.reset(); // stops the reading and waits for it before the window goes
    CDialog::OnCancel();
}
