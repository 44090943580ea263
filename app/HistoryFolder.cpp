#include "app/HistoryFolder.h"

#include "collection/Backups.h"
#include "collection/FileOpen.h"
#include "platform/FilePaths.h"
#include "platform/Text.h"

#include <filesystem>

namespace {

// A number from the collection's key, so that two collections of one name in folders of one
// name keep histories apart.
std::string KeyNumber(const std::string& key) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : key) {
        hash = (hash ^ c) * 16777619u;
    }
    char text[9];
    std::snprintf(text, sizeof text, "%08x", hash);
    return text;
}

std::filesystem::path Utf8Path(const std::string& path) {
    return std::filesystem::path(Widen(path));
}

} // namespace

std::string HistoryRoot() {
    std::string local = EnvironmentValue(L"LOCALAPPDATA");
    return local.empty() ? std::string() : local + "\\brelt\\Historial";
}

std::string BackupRoot() {
    std::string local = EnvironmentValue(L"LOCALAPPDATA");
    return local.empty() ? std::string() : local + "\\brelt\\Còpies de seguretat";
}

ChangeHistory::StorageMaker HistoryStorageMaker() {
    return [](const std::string& key, const std::string& path) -> std::unique_ptr<LogStorage> {
        std::string root = HistoryRoot();
        if (root.empty()) {
            return std::make_unique<MemoryLogStorage>();
        }
        std::string folder = root + "\\" + BackupFolderName(ShownPath(path)) + " " + KeyNumber(key);
        std::error_code ignored;
        if (std::filesystem::create_directories(Utf8Path(Narrow(ExtendedPath(folder))), ignored)) {
            if (std::FILE* origin = OpenFile(Narrow(ExtendedPath(folder + "\\origen.txt")), "wb")) {
                std::string text = ShownPath(path) + "\r\n";
                std::fwrite(text.data(), 1, text.size(), origin);
                std::fclose(origin);
            }
        }
        return std::make_unique<FileLogStorage>(Narrow(ExtendedPath(folder + "\\historial-1.log")));
    };
}

std::vector<std::string> HistoryLogs() {
    std::vector<std::string> logs;
    std::string root = HistoryRoot();
    std::error_code error;
    if (root.empty()) {
        return logs;
    }
    for (const auto& entry :
         std::filesystem::directory_iterator(Utf8Path(Narrow(ExtendedPath(root))), error)) {
        std::filesystem::path log = entry.path() / L"historial-1.log";
        if (std::filesystem::exists(log, error)) {
            logs.push_back(Narrow(log.wstring()));
        }
    }
    return logs;
}
