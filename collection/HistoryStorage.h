#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

// Where one collection's history log lives: a file in the user's history folder, or memory
// where there is no such folder (and in tests, which also stop its writes as a crash would).
class LogStorage {
public:
    virtual ~LogStorage() = default;

    // The whole log; empty when there is none yet, nothing when it can't be read.
    virtual std::optional<std::vector<std::uint8_t>> Read() = 0;
    // Writes bytes at offset at, dropping whatever lay beyond it (a cut-off tail), and when sync
    // puts them on the disk; false when it could not, error then says why.
    virtual bool Write(std::size_t at, const std::vector<std::uint8_t>& bytes, bool sync) = 0;
    // Puts bytes in place of the whole log, all or nothing.
    virtual bool Replace(const std::vector<std::uint8_t>& bytes) = 0;
    // Keeps a log that can't be used aside, under another name, and starts none.
    virtual void SetAside() = 0;
    // Lets go of whatever it holds open; the next write opens it again.
    virtual void Close() {}

    std::error_code error;
};

// The log in a file (UTF-8 path), kept open between writes.
class FileLogStorage : public LogStorage {
public:
    explicit FileLogStorage(std::string path) : m_path(std::move(path)) {}
    ~FileLogStorage() override;

    std::optional<std::vector<std::uint8_t>> Read() override;
    bool Write(std::size_t at, const std::vector<std::uint8_t>& bytes, bool sync) override;
    bool Replace(const std::vector<std::uint8_t>& bytes) override;
    void SetAside() override;
    void Close() override;

private:
    std::string m_path;
    std::FILE* m_file = nullptr;
    std::size_t m_size = 0; // of the file as written through m_file
};

// The log in memory, for as long as the program runs.
class MemoryLogStorage : public LogStorage {
public:
    std::optional<std::vector<std::uint8_t>> Read() override { return bytes; }
    bool Write(std::size_t at, const std::vector<std::uint8_t>& more, bool) override;
    bool Replace(const std::vector<std::uint8_t>& whole) override;
    void SetAside() override { bytes.clear(); }

    std::vector<std::uint8_t> bytes;
};
