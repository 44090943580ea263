#include "collection/TempStreams.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

std::vector<std::FILE*>& OpenStreams() {
    static std::vector<std::FILE*> streams;
    return streams;
}

fs::path UniqueTempPath(const fs::path& folder) {
    static std::atomic<unsigned> counter{0};
    static std::mt19937_64 random(std::random_device{}() ^
                                  static_cast<unsigned long long>(
                                      std::chrono::steady_clock::now().time_since_epoch().count()));
    std::string name =
        "brelt-" + std::to_string(random()) + "-" + std::to_string(++counter) + ".tmp";
    return folder / name;
}

// Creates the file only if no file has its name, so that nothing of anybody else's is ever
// opened, and so that the system removes it when it is closed or when the process dies: a crash
// or a kill leaves nothing behind. Gives a stream open for reading and writing, or nullptr with
// errno EEXIST when the name is taken.
std::FILE* CreateSelfDeletingFile(const fs::path& path) {
#ifdef _WIN32
    // The C runtime's spelling of CreateFileW with CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY and
    // FILE_FLAG_DELETE_ON_CLOSE; the wide form, so that a user name with accents works.
    int fd = -1;
    errno = _wsopen_s(&fd, path.c_str(),
                      _O_CREAT | _O_EXCL | _O_RDWR | _O_BINARY | _O_TEMPORARY | _O_SHORT_LIVED,
                      _SH_DENYNO, _S_IREAD | _S_IWRITE);
    if (fd < 0) {
        return nullptr;
    }
    std::FILE* stream = _fdopen(fd, "w+b");
    if (stream == nullptr) {
        _close(fd);
    }
    return stream;
#else
    // Unlinked at once: the open descriptor is all that is left of it.
    int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        return nullptr;
    }
    ::unlink(path.c_str());
    std::FILE* stream = ::fdopen(fd, "w+b");
    if (stream == nullptr) {
        ::close(fd);
    }
    return stream;
#endif
}

} // namespace

std::FILE* CreateTempStream() {
    std::FILE* stream = CreateOwnTempStream();
    if (stream != nullptr) {
        OpenStreams().push_back(stream);
    }
    return stream;
}

std::FILE* CreateOwnTempStream() {
    std::error_code error;
    fs::path folder = fs::temp_directory_path(error);
    if (error) {
        return nullptr;
    }
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::FILE* stream = CreateSelfDeletingFile(UniqueTempPath(folder));
        if (stream != nullptr || errno != EEXIST) {
            return stream;
        }
    }
    return nullptr;
}

bool EmptyTempStream(std::FILE* stream) {
    if (stream == nullptr || std::fflush(stream) != 0) {
        return false;
    }
#ifdef _WIN32
    bool emptied = _chsize(_fileno(stream), 0) == 0;
#else
    bool emptied = ::ftruncate(::fileno(stream), 0) == 0;
#endif
    std::rewind(stream); // also forgets an earlier end of file or error
    return emptied;
}

void ReleaseTempStreams() {
    for (std::FILE* stream : OpenStreams()) {
        std::fclose(stream);
    }
    OpenStreams().clear();
}

bool ReleaseTempStream(std::FILE* stream) {
    auto& streams = OpenStreams();
    auto found = std::find(streams.begin(), streams.end(), stream);
    if (stream == nullptr || found == streams.end()) {
        return false;
    }
    std::fclose(stream);
    streams.erase(found);
    return true;
}

int OpenTempStreamCount() {
    return static_cast<int>(OpenStreams().size());
}
