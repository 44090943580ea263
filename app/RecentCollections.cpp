#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/FileContent.h"
#include "collection/FileOpen.h"
#include "collection/PathNames.h"
#include "platform/FilePaths.h"

namespace {

// The list lives with brelt's other files of the user's: %LOCALAPPDATA%\brelt\recents.txt.
std::string RecentListFolder() {
    std::string local = EnvironmentValue(L"LOCALAPPDATA");
    return local.empty() ? std::string() : local + "\\brelt";
}

settings::RecentFiles ReadRecentList() {
    std::string folder = RecentListFolder();
    FileContent content = folder.empty() ? FileContent{} : ReadWholeFile(folder + "\\recents.txt");
    if (!content.ok()) {
        return settings::RecentFiles();
    }
    return settings::RecentFiles::Parse(std::string_view(
        reinterpret_cast<const char*>(content.bytes.data()), content.bytes.size()));
}

// Written whole beside the list and then put in its place, so that the list is never half
// written; a list that can't be written is only lost for the next run.
void WriteRecentList(const settings::RecentFiles& recent) {
    std::string folder = RecentListFolder();
    if (folder.empty()) {
        return;
    }
    ::CreateDirectoryW(ExtendedPath(folder).c_str(), nullptr);
    std::string path = folder + "\\recents.txt", partial = path + ".nou";
    std::FILE* file = OpenFile(partial, "wb");
    if (file == nullptr) {
        return;
    }
    std::string text = recent.Text();
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) == 0 && written) {
        ::MoveFileExW(ExtendedPath(partial).c_str(), ExtendedPath(path).c_str(),
                      MOVEFILE_REPLACE_EXISTING);
    } else {
        ::DeleteFileW(ExtendedPath(partial).c_str());
    }
}

} // namespace

void CBreltDlg::RememberRecent(const std::string& path) {
    // Read again first: another brelt may have opened collections since.
    m_recent = ReadRecentList();
    m_recent.Add(ShownPath(path));
    WriteRecentList(m_recent);
}

void CBreltDlg::AppendRecentMenu(HMENU menu) {
    settings::RecentFiles recent = ReadRecentList();
    CMenu submenu;
    submenu.CreatePopupMenu();
    const std::vector<std::string>& paths = recent.Paths();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        std::wstring text = L"&" + std::to_wstring(i + 1) + L" " + Widen(FileNameOf(paths[i])) +
                            L"  (" + Widen(FolderOf(paths[i])) + L")";
        submenu.AppendItem(ID_RECENT_FIRST + static_cast<UINT>(i), text);
    }
    ::AppendMenuW(menu, MF_POPUP | (paths.empty() ? MF_GRAYED : MF_ENABLED),
                  reinterpret_cast<UINT_PTR>(submenu.GetSafeHmenu()), L"Col·leccions &recents");
    submenu.Detach(); // the menu destroys it with itself
    m_recentShown = paths;
}

void CBreltDlg::OpenRecent(int index) {
    if (index < 0 || index >= static_cast<int>(m_recentShown.size())) {
        return;
    }
    std::string path = m_recentShown[static_cast<std::size_t>(index)];
    if (::GetFileAttributesW(ExtendedPath(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
        m_recent = ReadRecentList();
        m_recent.Remove(path);
        WriteRecentList(m_recent);
        Alert("La col·lecció " + path +
                  " ja no hi és: potser s'ha esborrat o canviat de lloc. "
                  "S'ha tret de les col·leccions recents.",
              MB_ICONEXCLAMATION);
        return;
    }
    OpenCollectionFile(TargetPane(), path, FileNameOf(path));
}
