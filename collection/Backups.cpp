#include "collection/Backups.h"

#include "collection/FileOpen.h"
#include "collection/PathNames.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kRecordName = "origen.txt";
const char* const kIndexName = "índex.txt";

fs::path U8(const std::string& path) {
    return fs::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8(const fs::path& path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A collection's folder: the path it keeps copies of, then its copies, oldest first.
struct Record {
    std::string collection;
    std::vector<std::string> copies;
};

bool ReadRecord(const fs::path& folder, Record& record) {
    std::ifstream in(folder / kRecordName, std::ios::binary);
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (first) {
            record.collection = line;
            first = false;
        } else if (!line.empty()) {
            record.copies.push_back(line);
        }
    }
    return !first;
}

bool WriteRecord(const fs::path& folder, const Record& record) {
    std::ofstream out(folder / kRecordName, std::ios::binary | std::ios::trunc);
    out << record.collection << "\r\n";
    for (const std::string& copy : record.copies) {
        out << copy << "\r\n";
    }
    return static_cast<bool>(out.flush());
}

// The folder whose record names collectionPath, or a new one of the collection's name; two
// collections of one name in different folders never share one.
fs::path FolderFor(const fs::path& root, const std::string& collectionPath, Record& record,
                   std::error_code& error) {
    std::string name = BackupFolderName(collectionPath);
    for (int n = 1; n < 1000; ++n) {
        fs::path folder = root / U8(n == 1 ? name : name + " " + std::to_string(n));
        record = {};
        if (!fs::exists(folder, error) && !error) {
            record.collection = collectionPath;
            if (fs::create_directories(folder, error) && !error && WriteRecord(folder, record)) {
                return folder;
            }
            if (!error) {
                error = std::make_error_code(std::errc::io_error);
            }
            return {};
        }
        if (error) {
            return {};
        }
        if (ReadRecord(folder, record) && record.collection == collectionPath) {
            return folder;
        }
    }
    error = std::make_error_code(std::errc::file_exists);
    return {};
}

std::string StampOf(std::time_t when) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H.%M.%S", &local);
    return stamp;
}

// Writes content into a file of its own, never over another copy; its file name, or "".
std::string WriteNewCopy(const fs::path& folder, const std::string& base, const FileBytes& content,
                         std::error_code& error) {
    for (int n = 1; n < 1000; ++n) {
        std::string name = base + (n == 1 ? "" : " (" + std::to_string(n) + ")") + ".sgc";
        std::string path = Utf8(folder / U8(name));
        errno = 0;
        std::FILE* copy = CreateNewFile(path);
        if (copy == nullptr && errno == EEXIST) {
            continue;
        }
        if (copy == nullptr) {
            error = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
            return {};
        }
        bool written = std::fwrite(content.data(), 1, content.size(), copy) == content.size();
        written = std::fflush(copy) == 0 && written;
        int reason = errno;
        written = std::fclose(copy) == 0 && written;
        if (!written) {
            error = std::error_code(reason != 0  ? reason
                                    : errno != 0 ? errno
                                                 : EIO,
                                    std::generic_category());
            std::error_code ignored;
            fs::remove(U8(path), ignored);
            return {};
        }
        return name;
    }
    error = std::make_error_code(std::errc::file_exists);
    return {};
}

// Keeps the kBackupsKept newest copies that still exist, in the order they were made.
void Rotate(const fs::path& folder, Record& record) {
    std::error_code ignored;
    std::erase_if(record.copies,
                  [&](const std::string& copy) { return !fs::exists(folder / U8(copy), ignored); });
    while (record.copies.size() > static_cast<std::size_t>(kBackupsKept)) {
        fs::remove(folder / U8(record.copies.front()), ignored);
        record.copies.erase(record.copies.begin());
    }
}

// The folders the index lists: "    <folder>\\<copy>" under each collection.
std::set<std::string> FoldersInIndex(const fs::path& root) {
    std::set<std::string> folders;
    std::ifstream in(root / U8(kIndexName), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        std::size_t slash = line.find('\\');
        if (line.rfind("    ", 0) == 0 && slash != std::string::npos) {
            folders.insert(line.substr(4, slash - 4));
        }
    }
    return folders;
}

// Writes the index anew from the records of every collection's folder: those the root lists,
// where the system can list it (not always beyond the old path limit), those the index named
// already, and the one just written.
void WriteIndex(const fs::path& root, const fs::path& written) {
    std::set<std::string> names = FoldersInIndex(root);
    names.insert(Utf8(written.filename()));
    std::error_code error;
    for (auto it = fs::directory_iterator(root, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        names.insert(Utf8(it->path().filename()));
    }
    std::vector<std::pair<Record, std::string>> folders; // a record and its folder's name
    for (const std::string& name : names) {
        Record record;
        if (ReadRecord(root / U8(name), record)) {
            folders.push_back({record, name});
        }
    }
    std::sort(folders.begin(), folders.end(),
              [](const auto& a, const auto& b) { return a.first.collection < b.first.collection; });
    std::ofstream out(root / U8(kIndexName), std::ios::binary | std::ios::trunc);
    out << "Còpies de seguretat de brelt\r\n\r\n"
           "brelt copia cada col·lecció abans de canviar-la. Cada carpeta d'aquí guarda les "
           "còpies d'una col·lecció, de la més antiga a la més nova. Per recuperar-ne una, "
           "tanqueu brelt i el programa de dibuix, copieu la còpia a la carpeta de la "
           "col·lecció i doneu-li el nom de la col·lecció.\r\n";
    for (const auto& [record, folder] : folders) {
        out << "\r\n" << record.collection << "\r\n";
        for (const std::string& copy : record.copies) {
            out << "    " << folder << "\\" << copy << "\r\n";
        }
    }
}

// The parts of a collection's path, whichever separator it uses: the paths are Windows paths,
// also where the core is tested.
std::string FolderNameOf(const std::string& path) {
    std::string folder = FolderOf(path);
    std::string name = FileNameOf(folder);
    return name.empty() ? folder : name; // "C:" at a drive's root
}

} // namespace

std::string BackupFolderName(const std::string& collectionPath) {
    std::string name = StemOf(collectionPath) + " (" + FolderNameOf(collectionPath) + ")";
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos; },
        '_');
    return name;
}

BackupResult BackUpCollection(const FileBytes& content, const std::string& collectionPath,
                              const std::string& root, std::time_t when) {
    BackupResult result;
    Record record;
    fs::path folder = FolderFor(U8(root), collectionPath, record, result.error);
    if (folder.empty()) {
        result.failed = BackupResult::Failed::Folder;
        return result;
    }
    std::string base = StemOf(collectionPath) + " " + StampOf(when);
    std::string name = WriteNewCopy(folder, base, content, result.error);
    if (name.empty()) {
        result.failed = BackupResult::Failed::Write;
        return result;
    }
    std::string copy = Utf8(folder / U8(name));
    FileContent check = ReadWholeFile(copy);
    if (!check.ok() || check.bytes != content) {
        std::error_code ignored;
        fs::remove(U8(copy), ignored);
        result.error = std::make_error_code(std::errc::io_error);
        result.failed = BackupResult::Failed::Check;
        return result;
    }
    record.copies.push_back(name);
    Rotate(folder, record);
    WriteRecord(folder, record);
    WriteIndex(U8(root), folder);
    result.copy = copy;
    return result;
}
