#include "app/LibraryLoader.h"

#include "collection/Durable.h"
#include "collection/FileContent.h"
#include "platform/FilePaths.h"
#include "platform/FindFiles.h"
#include "platform/Sha256.h"
#include "platform/Text.h"
#include "settings/RecentFiles.h"

#include <algorithm>

namespace {

library::Index KnownIndex(const std::string& path) {
    FileContent content = path.empty() ? FileContent{} : ReadWholeFile(path);
    std::optional<library::Index> index =
        content.ok() ? library::Parse(content.bytes) : std::nullopt;
    return index ? std::move(*index) : library::Index{}; // damaged: made anew, never trusted
}

std::int64_t WriteTimeOf(const WIN32_FILE_ATTRIBUTE_DATA& data) {
    return static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
           data.ftLastWriteTime.dwLowDateTime;
}

library::FileRead ReadFile(const std::string& path) {
    library::FileRead file{path, std::nullopt, 0};
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (::GetFileAttributesExW(ExtendedPath(path).c_str(), GetFileExInfoStandard, &data)) {
        file.modified = WriteTimeOf(data);
    }
    FileContent content = ReadWholeFile(path);
    if (content.ok()) {
        file.bytes = std::move(content.bytes);
    } else if (content.status == FileContent::Status::TooLarge) {
        file.bytes.emplace(); // far larger than any collection: read as what it is not
    }
    return file;
}

library::Sha256 DigestOf(const std::vector<std::uint8_t>& bytes) {
    return Sha256Of(bytes).value_or(library::Sha256{});
}

} // namespace

std::vector<std::string> CollectionFilesIn(const std::vector<std::string>& folders) {
    std::vector<std::string> files;
    for (const std::string& folder : folders) {
        std::vector<std::string> names;
        for (CFindFiles found(ExtendedPath(folder + "\\*.sgc")); found.Valid(); found.Next()) {
            if (!found.IsFolder()) {
                names.push_back(Narrow(found.Data().cFileName));
            }
        }
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            const std::string path = folder + "\\" + name;
            if (std::none_of(files.begin(), files.end(),
                             [&](const std::string& f) { return settings::SamePath(f, path); })) {
                files.push_back(path);
            }
        }
    }
    return files;
}

CLibraryLoader::CLibraryLoader(std::vector<std::string> folders, std::string indexPath, HWND window,
                               UINT message)
    : m_folders(std::move(folders)), m_indexPath(std::move(indexPath)), m_window(window),
      m_message(message), m_thread([this] { Run(); }) {}

CLibraryLoader::~CLibraryLoader() {
    Stop();
    m_thread.join();
}

std::vector<library::Shelf> CLibraryLoader::TakeShelves() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::move(m_shelves);
}

void CLibraryLoader::Run() {
    const library::Index known = KnownIndex(m_indexPath);
    const std::vector<std::string> files = CollectionFilesIn(m_folders);
    const auto total = static_cast<WPARAM>(files.size());
    for (std::size_t i = 0; i < files.size() && !m_stop; ++i) {
        library::Shelf shelf = library::ShelfOf(ReadFile(files[i]), known, DigestOf);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_shelves.push_back(std::move(shelf));
        }
        ::PostMessageW(m_window, m_message, static_cast<WPARAM>(i + 1), total);
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_cutShort = m_shelves.size() < files.size();
    }
    if (!m_cutShort) {
        KeepIndex();
    }
    ::PostMessageW(m_window, m_message, kFinished, total);
}

void CLibraryLoader::KeepIndex() {
    if (m_indexPath.empty()) {
        return;
    }
    const std::string folder = m_indexPath.substr(0, m_indexPath.rfind('\\'));
    ::CreateDirectoryW(ExtendedPath(folder).c_str(), nullptr);
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::vector<std::uint8_t> bytes = library::Serialize(library::IndexOf(m_shelves));
    // Not kept is only slower next time: every file is then described anew.
    ReplaceFileBytes(m_indexPath, std::vector<unsigned char>(bytes.begin(), bytes.end()));
}
