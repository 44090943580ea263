#include "collection/HistoryStorage.h"

#include "collection/Durable.h"
#include "collection/FileContent.h"
#include "collection/FileOpen.h"

#include <cerrno>
#include <filesystem>

namespace {

std::filesystem::path Utf8Path(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::error_code LastError() {
    return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}

} // namespace

FileLogStorage::~FileLogStorage() {
    Close();
}

void FileLogStorage::Close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

std::optional<std::vector<std::uint8_t>> FileLogStorage::Read() {
    Close();
    std::error_code missing;
    if (!std::filesystem::exists(Utf8Path(m_path), missing)) {
        return std::vector<std::uint8_t>{};
    }
    std::FILE* file = OpenFile(m_path, "rb");
    if (file == nullptr) {
        error = LastError();
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    std::size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + read);
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        error = std::make_error_code(std::errc::io_error);
        return std::nullopt;
    }
    return bytes;
}

bool FileLogStorage::Write(std::size_t at, const std::vector<std::uint8_t>& bytes, bool sync) {
    errno = 0;
    if (m_file == nullptr) {
        // "r+b" keeps what is there; a log that is not there yet is made.
        std::FILE* existing = OpenFile(m_path, "r+b");
        m_file = existing != nullptr ? existing : OpenFile(m_path, "w+b");
        if (m_file == nullptr) {
            error = LastError();
            return false;
        }
        std::fseek(m_file, 0, SEEK_END);
        m_size = static_cast<std::size_t>(std::max(0L, std::ftell(m_file)));
    }
    if (at < m_size) {
        // A cut-off tail goes before anything follows it.
        std::fflush(m_file);
        std::error_code ignored;
        std::filesystem::resize_file(Utf8Path(m_path), at, ignored);
        m_size = at;
    }
    bool written = std::fseek(m_file, static_cast<long>(at), SEEK_SET) == 0 &&
                   std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size();
    written = (sync ? SyncFile(m_file) : std::fflush(m_file) == 0) && written;
    if (!written) {
        error = LastError();
        Close(); // the next write starts from what the file holds
        return false;
    }
    m_size = at + bytes.size();
    return true;
}

bool FileLogStorage::Replace(const std::vector<std::uint8_t>& bytes) {
    Close();
    errno = 0;
    if (!ReplaceFileBytes(m_path, bytes)) {
        error = LastError();
        return false;
    }
    return true;
}

void FileLogStorage::SetAside() {
    Close();
    std::error_code ignored;
    std::filesystem::rename(Utf8Path(m_path), Utf8Path(m_path + ".malmès"), ignored);
}

bool MemoryLogStorage::Write(std::size_t at, const std::vector<std::uint8_t>& more, bool) {
    bytes.resize(std::min(at, bytes.size()));
    bytes.insert(bytes.end(), more.begin(), more.end());
    return true;
}

bool MemoryLogStorage::Replace(const std::vector<std::uint8_t>& whole) {
    bytes = whole;
    return true;
}
