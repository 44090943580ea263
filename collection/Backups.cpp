#include "collection/Backups.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path U8(const std::string& path) {
    return fs::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8(const fs::path& path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Whether file is a copy of the collection called name: "<name> ####-##-## ##.##.##.sgc".
bool IsCopyOf(const std::string& file, const std::string& name) {
    const std::string pattern = " 0000-00-00 00.00.00.sgc";
    if (file.size() != name.size() + pattern.size() || file.compare(0, name.size(), name) != 0) {
        return false;
    }
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = file[name.size() + i], p = pattern[i];
        if (p == '0' ? (c < '0' || c > '9') : c != p) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string BackUpCollection(const std::string& path, const std::string& folder, std::time_t when) {
    std::error_code error;
    fs::path source = U8(path);
    std::string name = Utf8(source.stem());
    fs::create_directories(U8(folder), error);
    char stamp[32];
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    std::strftime(stamp, sizeof stamp, " %Y-%m-%d %H.%M.%S.sgc", &local);
    fs::path copy = U8(folder) / U8(name + stamp);
    if (error || !fs::copy_file(source, copy, fs::copy_options::overwrite_existing, error) ||
        error || fs::file_size(copy, error) != fs::file_size(source, error) || error) {
        fs::remove(copy, error);
        return {};
    }
    // The newest copies sort last: the date and time are in the name.
    std::vector<std::string> copies;
    for (const auto& entry : fs::directory_iterator(U8(folder), error)) {
        std::string file = Utf8(entry.path().filename());
        if (IsCopyOf(file, name)) {
            copies.push_back(file);
        }
    }
    std::sort(copies.begin(), copies.end());
    for (std::size_t i = 0; i + kBackupsKept < copies.size(); ++i) {
        fs::remove(U8(folder) / U8(copies[i]), error);
    }
    return Utf8(copy);
}
