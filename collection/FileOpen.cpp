#include "collection/FileOpen.h"

#include <cerrno>
#include <filesystem>
#include <string_view>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#ifdef _WIN32
namespace {

std::filesystem::path PathOf(const std::string& utf8Path) {
    return std::filesystem::path(
        std::u8string_view(reinterpret_cast<const char8_t*>(utf8Path.data()), utf8Path.size()));
}

} // namespace
#endif

std::FILE* OpenFile(const std::string& utf8Path, const char* mode) {
#ifdef _WIN32
    std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(PathOf(utf8Path).c_str(), wideMode.c_str());
#else
    return std::fopen(utf8Path.c_str(), mode);
#endif
}

std::FILE* CreateNewFile(const std::string& utf8Path) {
#ifdef _WIN32
    int fd = -1;
    errno = _wsopen_s(&fd, PathOf(utf8Path).c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY,
                      _SH_DENYNO, _S_IREAD | _S_IWRITE);
    std::FILE* stream = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
    if (fd >= 0 && stream == nullptr) {
        _close(fd);
    }
#else
    int fd = ::open(utf8Path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    std::FILE* stream = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
    if (fd >= 0 && stream == nullptr) {
        ::close(fd);
    }
#endif
    return stream;
}
