#include "dialogs/LibraryDlg.h"

#include "app/LibraryFiles.h"
#include "app/LibraryLoader.h"
#include "dialogs/LibraryList.h"
#include "layout/Zoom.h"
#include "platform/FolderDialog.h"
#include "platform/Menu.h"
#include "platform/Text.h"
#include "res/resource.h"

#include <cwctype>

namespace {

// The loader's word on each file read.
constexpr UINT WM_LIBRARY_PROGRESS = WM_APP + 31;

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

std::wstring NameOf(const std::string& path) {
    return Widen(path.substr(path.find_last_of("\\/") + 1));
}

std::wstring FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return Widen(slash == std::string::npos ? std::string() : path.substr(0, slash));
}

// When a file last changed, as the user's clock shows it: "10/12/2026 a les 01:55".
std::wstring ChangedAt(std::int64_t written) {
    FILETIME utc{static_cast<DWORD>(written), static_cast<DWORD>(written >> 32)}, local{};
    SYSTEMTIME time{};
    if (written == 0 || !::FileTimeToLocalFileTime(&utc, &local) ||
        !::FileTimeToSystemTime(&local, &time)) {
        return {};
    }
    wchar_t text[64] = {};
    ::swprintf(text, 64, L"%02u/%02u/%04u a les %02u:%02u", time.wDay, time.wMonth, time.wYear,
               time.wHour, time.wMinute);
    return text;
}

} // namespace

class CLibraryDlg::List : public CLibraryList {};

BEGIN_MESSAGE_MAP(CLibraryDlg, CDialog)
ON_CONTROL(EN_CHANGE, IDC_LIBRARY_FILTER, OnFilterChanged)
ON_BN_CLICKED(IDC_LIBRARY_ADD_FOLDER, OnAddFolder)
ON_BN_CLICKED(IDC_LIBRARY_STOP, OnStop)
END_MESSAGE_MAP()

CLibraryDlg::CLibraryDlg(CWnd* parent)
    : CDialog(IDD_LIBRARY_DIALOG, parent), m_list(std::make_unique<List>()) {
    CLibraryList::Register(); // the template names its class
}

CLibraryDlg::~CLibraryDlg() = default;

BOOL CLibraryDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_list->Attach(GetDlgItem(IDC_LIBRARY_LIST),
                   {[this](int row) { Open(row, false); },
                    [this](int row, POINT screen) { ShowMenu(row, screen); }});
    StartReading();
    return TRUE;
}

void CLibraryDlg::StartReading() {
    m_loader.reset(); // a reading under way ends first
    m_shelves.clear();
    OnFilterChanged();
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
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

void CLibraryDlg::OnProgress(WPARAM done, LPARAM total) {
    if (done != CLibraryLoader::kFinished) {
        SetDlgItemText(IDC_LIBRARY_PROGRESS,
                       "S'estan llegint les col·leccions: " + std::to_string(done) + " de " +
                           std::to_string(total) + "...");
        return;
    }
    const bool stopped = m_loader->Stopped();
    m_shelves = m_loader->TakeShelves();
    std::size_t stamps = 0;
    for (const library::Shelf& shelf : m_shelves) {
        stamps += shelf.stamps.size();
    }
    std::string said =
        std::to_string(m_shelves.size()) + " col·leccions, " + std::to_string(stamps) + " segells";
    SetDlgItemText(IDC_LIBRARY_PROGRESS, said + (stopped ? " (aturat abans d'acabar)." : "."));
    ::EnableWindow(GetDlgItem(IDC_LIBRARY_STOP), FALSE);
    OnFilterChanged();
}

void CLibraryDlg::OnFilterChanged() {
    wchar_t typed[256] = {};
    ::GetWindowTextW(GetDlgItem(IDC_LIBRARY_FILTER), typed, 256);
    const std::wstring filter = Lower(typed);
    m_shown.clear();
    std::vector<CLibraryList::Row> rows;
    for (std::size_t i = 0; i < m_shelves.size(); ++i) {
        if (Lower(NameOf(m_shelves[i].entry.path)).find(filter) != std::wstring::npos) {
            m_shown.push_back(static_cast<int>(i));
            rows.push_back({Heading(m_shelves[i]), &m_shelves[i].stamps});
        }
    }
    m_list->SetRows(std::move(rows), layout::ZoomForDpi(1, GetDpi()));
}

std::wstring CLibraryDlg::Heading(const library::Shelf& shelf) const {
    const library::Entry& entry = shelf.entry;
    std::wstring heading = NameOf(entry.path) + L"  —  " + FolderOf(entry.path) + L"  ·  ";
    switch (entry.state) {
    case library::Entry::State::Collection:
        heading += std::to_wstring(shelf.stamps.size()) + L" imatges";
        break;
    case library::Entry::State::NotACollection:
        heading += L"no és una col·lecció";
        break;
    case library::Entry::State::Unreadable:
        heading += L"no es pot llegir";
        break;
    }
    const std::wstring changed = ChangedAt(entry.modified);
    return changed.empty() ? heading : heading + L"  ·  canviada el " + changed;
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

void CLibraryDlg::Open(int shown, bool asSource) {
    const library::Shelf& shelf =
        m_shelves[static_cast<std::size_t>(m_shown[static_cast<std::size_t>(shown)])];
    if (shelf.entry.state != library::Entry::State::Collection) {
        MessageBox(Narrow(NameOf(shelf.entry.path)) + " no es pot obrir: " +
                       (shelf.entry.state == library::Entry::State::Unreadable
                            ? "no es pot llegir."
                            : "no és una col·lecció."),
                   "Alerta", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_chosen = {shelf.entry.path, asSource};
    EndDialog(IDOK);
}

void CLibraryDlg::ShowMenu(int shown, POINT screen) {
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendItem(ID_LIBRARY_OPEN_TARGET, L"Obre com a &destinació\tIntro");
    menu.AppendItem(ID_LIBRARY_OPEN_SOURCE, L"Obre com a &origen");
    const UINT chosen = menu.TrackForCommand(m_hWnd, screen);
    if (chosen == ID_LIBRARY_OPEN_TARGET || chosen == ID_LIBRARY_OPEN_SOURCE) {
        Open(shown, chosen == ID_LIBRARY_OPEN_SOURCE);
    }
}

void CLibraryDlg::OnCancel() {
    m_loader.reset(); // stops the reading and waits for it before the window goes
    CDialog::OnCancel();
}
