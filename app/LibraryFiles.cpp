#include "app/LibraryFiles.h"

#include "app/LibraryFolder.h"
#include "collection/Durable.h"
#include "collection/FileContent.h"
#include "platform/FilePaths.h"
#include "settings/RecentFiles.h"

#include <windows.h>

namespace {

// More than any family keeps; a longer list in the file is read as far as this.
constexpr std::size_t kMostFolders = 64;

std::string BreltFolder() {
    std::string local = EnvironmentValue(L"LOCALAPPDATA");
    return local.empty() ? std::string() : local + "\\brelt";
}

settings::RecentFiles AddedFolders() {
    const std::string folder = BreltFolder();
    FileContent content =
        folder.empty() ? FileContent{} : ReadWholeFile(folder + "\\biblioteca.txt");
    if (!content.ok()) {
        return settings::RecentFiles(kMostFolders);
    }
    return settings::RecentFiles::Parse(
        std::string_view(reinterpret_cast<const char*>(content.bytes.data()), content.bytes.size()),
        kMostFolders);
}

} // namespace

std::vector<std::string> LibraryFolders() {
    std::vector<std::string> folders = {LibraryFolder()};
    const settings::RecentFiles added = AddedFolders();
    for (const std::string& path : added.Paths()) {
        if (!settings::SamePath(path, folders.front())) {
            folders.push_back(path);
        }
    }
    return folders;
}

bool AddLibraryFolder(const std::string& folder) {
    const std::string home = BreltFolder();
    if (home.empty()) {
        return false;
    }
    settings::RecentFiles added = AddedFolders();
    added.Add(folder);
    ::CreateDirectoryW(ExtendedPath(home).c_str(), nullptr);
    const std::string text = added.Text();
    return ReplaceFileBytes(home + "\\biblioteca.txt",
                            std::vector<unsigned char>(text.begin(), text.end()));
}

std::string LibraryIndexPath() {
    const std::string home = BreltFolder();
    return home.empty() ? std::string() : home + "\\biblioteca.idx";
}
