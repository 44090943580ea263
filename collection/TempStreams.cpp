#include "collection/TempStreams.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TempStream {
    std::FILE* stream;
    fs::path path;
};

std::vector<TempStream>& OpenStreams() {
    static std::vector<TempStream> streams;
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

std::FILE* OpenNewFile(const fs::path& path) {
#ifdef _WIN32
    // The wide form, so that a user name with accents in the temporary folder's path works.
    return _wfopen(path.c_str(), L"w+b");
#else
    return std::fopen(path.c_str(), "w+b");
#endif
}

void CloseAndDelete(const TempStream& temp) {
    std::fclose(temp.stream);
    std::error_code ignored;
    fs::remove(temp.path, ignored);
}

} // namespace

std::FILE* CreateTempStream() {
    std::error_code error;
    fs::path folder = fs::temp_directory_path(error);
    if (error) {
        return nullptr;
    }
    for (int attempt = 0; attempt < 8; ++attempt) {
        fs::path path = UniqueTempPath(folder);
        if (fs::exists(path, error)) {
            continue;
        }
        std::FILE* stream = OpenNewFile(path);
        if (stream == nullptr) {
            return nullptr;
        }
        OpenStreams().push_back({stream, path});
        return stream;
    }
    return nullptr;
}

void ReleaseTempStreams() {
    for (const TempStream& temp : OpenStreams()) {
        CloseAndDelete(temp);
    }
    OpenStreams().clear();
}

bool ReleaseTempStream(std::FILE* stream) {
    auto& streams = OpenStreams();
    auto found = std::find_if(streams.begin(), streams.end(),
                              [stream](const TempStream& temp) { return temp.stream == stream; });
    if (stream == nullptr || found == streams.end()) {
        return false;
    }
    CloseAndDelete(*found);
    streams.erase(found);
    return true;
}

int OpenTempStreamCount() {
    return static_cast<int>(OpenStreams().size());
}
