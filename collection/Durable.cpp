#include "collection/Durable.h"

#include "collection/FileOpen.h"

#include <filesystem>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

bool SyncFile(std::FILE* stream) {
    if (stream == nullptr || std::fflush(stream) != 0) {
        return false;
    }
#ifdef _WIN32
    int descriptor = _fileno(stream);
    return descriptor < 0 || _commit(descriptor) == 0; // the runtime's FlushFileBuffers
#else
    int descriptor = fileno(stream); // none for a stream in memory, which has nothing to sync
    return descriptor < 0 || fsync(descriptor) == 0;
#endif
}

bool ReplaceFileBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::string partial = path + ".nou";
    std::FILE* file = OpenFile(partial, "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = SyncFile(file) && written;
    written = std::fclose(file) == 0 && written;
    std::error_code error;
    auto utf8 = [](const std::string& p) {
        return std::filesystem::path(std::u8string(p.begin(), p.end()));
    };
    if (written) {
        std::filesystem::rename(utf8(partial), utf8(path), error);
    }
    if (!written || error) {
        std::filesystem::remove(utf8(partial), error);
        return false;
    }
    return true;
}
