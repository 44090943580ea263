#pragma once

// What both fuzz targets need: files whose bytes the input decides, kept open for the whole run
// so that each execution costs a rewrite rather than a new file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A file in the temporary folder, open "w+b" for the life of the process.
class FuzzFile {
public:
    explicit FuzzFile(const char* name)
        : path_(std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                "/brelt-fuzz-" + std::to_string(::getpid()) + "-" + name),
          stream_(std::fopen(path_.c_str(), "w+b")) {
        if (stream_ ==
            nullptr) { // no temporary folder: nothing can be fuzzed, and that's no finding
            std::fprintf(stderr, "cannot create %s\n", path_.c_str());
            std::exit(2);
        }
    }
    ~FuzzFile() {
        std::fclose(stream_);
        std::remove(path_.c_str());
    }

    std::FILE* Stream() const { return stream_; }
    const std::string& Path() const { return path_; }

    // Makes content the whole file.
    void Set(const Bytes& content) const {
        std::fflush(stream_);
        if (::ftruncate(::fileno(stream_), 0) != 0) {
            std::abort();
        }
        std::rewind(stream_);
        std::fwrite(content.data(), 1, content.size(), stream_);
        std::fflush(stream_);
        std::clearerr(stream_);
    }

    Bytes Get() const { return ReadAll(stream_); }

    static Bytes ReadAll(std::FILE* f) {
        std::fflush(f);
        std::fseek(f, 0, SEEK_END);
        Bytes content(static_cast<std::size_t>(std::ftell(f)));
        std::rewind(f);
        if (std::fread(content.data(), 1, content.size(), f) != content.size()) {
            std::abort();
        }
        return content;
    }

private:
    std::string path_;
    std::FILE* stream_;
};

// Fails the run, as a crash would, with a reason.
[[noreturn]] inline void Violated(const char* what) {
    std::fprintf(stderr, "invariant violated: %s\n", what);
    std::abort();
}

// Checks that after an edit only the pixel areas of images first..last changed (none when
// first > last): every other byte of before is the same, and bytes past its end exist only as
// far as the last area written reaches, zeros before it.
void ExpectOnlyPixelAreasChanged(const Bytes& before, const Bytes& after, long long first,
                                 long long last);
