#include "TestFiles.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

ScratchFile::ScratchFile(const Bytes& content) {
    static std::atomic<int> counter{0};
    static const unsigned processTag = std::random_device{}();
    std::string name =
        "brelt-test-" + std::to_string(processTag) + "-" + std::to_string(++counter) + ".bin";
    path_ = (fs::temp_directory_path() / name).string();
    Write(content);
}

ScratchFile::~ScratchFile() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove(path_, ignored);
}

UniqueFile ScratchFile::Open(const char* mode) const {
    return UniqueFile(std::fopen(path_.c_str(), mode));
}

Bytes ScratchFile::Read() const {
    return ReadAt(path_);
}

void ScratchFile::Write(const Bytes& content) const {
    WriteAt(path_, content);
}

Bytes ScratchFile::ReadAt(const std::string& path) {
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ScratchFile::WriteAt(const std::string& path, const Bytes& content) {
    std::ofstream out(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(content.data()), static_cast<long>(content.size()));
}

std::uint8_t PatternByte(long long offset, unsigned seed) {
    auto x = static_cast<std::uint32_t>(offset) * 2654435761u + seed * 40503u;
    return static_cast<std::uint8_t>((x >> 13) ^ (x >> 24));
}

Bytes PatternBytes(long size, unsigned seed) {
    Bytes bytes(static_cast<std::size_t>(size));
    for (long i = 0; i < size; ++i) {
        bytes[static_cast<std::size_t>(i)] = PatternByte(i, seed);
    }
    return bytes;
}

Bytes MakeCollection(long size, unsigned seed) {
    return PatternBytes(size, seed);
}

Bytes PixelArea(const Bytes& collection, int imageNumber) {
    auto start = collection.begin() + sgc::RecordOffset(imageNumber);
    return Bytes(start, start + sgc::kPixelAreaSize);
}

void SetPixelArea(Bytes& collection, int imageNumber, const Bytes& pixels) {
    std::copy(pixels.begin(), pixels.begin() + sgc::kPixelAreaSize,
              collection.begin() + sgc::RecordOffset(imageNumber));
}

bool InPixelArea(long long offset, int imageCount) {
    long long fromFirstRecord = offset - sgc::kHeaderSize;
    if (fromFirstRecord < 0 || fromFirstRecord >= imageCount * sgc::kRecordSize) {
        return false;
    }
    return fromFirstRecord % sgc::kRecordSize < sgc::kPixelAreaSize;
}

UniqueFile StreamWith(const Bytes& content) {
    UniqueFile stream(std::tmpfile());
    if (!content.empty()) {
        std::fwrite(content.data(), 1, content.size(), stream.get());
    }
    return stream;
}

Bytes StreamContent(std::FILE* stream) {
    std::fflush(stream);
    std::fseek(stream, 0, SEEK_SET);
    Bytes content;
    for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream)) {
        content.push_back(static_cast<std::uint8_t>(c));
    }
    return content;
}

int Expand5To8(int value5) {
    return (value5 << 3) | ((value5 & 1) ? 0x07 : 0x00);
}

Bytes Expected24From16(const Bytes& pixels16) {
    Bytes out;
    for (std::size_t i = 0; i + 1 < pixels16.size(); i += 2) {
        unsigned word = (pixels16[i] << 8) | pixels16[i + 1];
        out.push_back(static_cast<std::uint8_t>(Expand5To8(word & 31)));
        out.push_back(static_cast<std::uint8_t>(Expand5To8((word >> 5) & 31)));
        out.push_back(static_cast<std::uint8_t>(Expand5To8((word >> 10) & 31)));
    }
    return out;
}

Bytes Expected16From24(const Bytes& pixels24) {
    Bytes out;
    for (std::size_t i = 0; i + 2 < pixels24.size(); i += 3) {
        unsigned word =
            ((pixels24[i + 2] >> 3) << 10) | ((pixels24[i + 1] >> 3) << 5) | (pixels24[i] >> 3);
        out.push_back(static_cast<std::uint8_t>(word >> 8));
        out.push_back(static_cast<std::uint8_t>(word & 0xFF));
    }
    return out;
}

void ShiftModel(Bytes& collection, int count, int from) {
    for (int image = count; image > from; --image) {
        SetPixelArea(collection, image, PixelArea(collection, image - 1));
    }
}

Bytes ReverseRows(const Bytes& rows, int rowSize) {
    Bytes out;
    for (int row = 31; row >= 0; --row) {
        auto start = rows.begin() + row * rowSize;
        out.insert(out.end(), start, start + rowSize);
    }
    return out;
}

namespace {

#ifdef _WIN32
const char* const kTempVariable = "TMP";
void SetVariable(const std::string& value) {
    _putenv_s(kTempVariable, value.c_str());
}
void ClearVariable() {
    _putenv_s(kTempVariable, "");
}
#else
const char* const kTempVariable = "TMPDIR";
void SetVariable(const std::string& value) {
    setenv(kTempVariable, value.c_str(), 1);
}
void ClearVariable() {
    unsetenv(kTempVariable);
}
#endif

} // namespace

ScopedTempFolder::ScopedTempFolder(const std::string& folder) {
    const char* previous = std::getenv(kTempVariable);
    hadPrevious_ = previous != nullptr;
    previous_ = hadPrevious_ ? previous : "";
    SetVariable(folder);
}

ScopedTempFolder::~ScopedTempFolder() {
    if (hadPrevious_) {
        SetVariable(previous_);
    } else {
        ClearVariable();
    }
}

int FileCount(const std::string& folder) {
    int count = 0;
    std::error_code error;
    for (auto it = fs::directory_iterator(folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        ++count;
    }
    return count;
}

void PutLittleEndian(Bytes& file, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        file[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

Bytes BmpFile(int width, int height, int bits, int compression, std::uint32_t headerSize,
              const Bytes& pixels, const Bytes& after) {
    Bytes file(14 + headerSize, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutLittleEndian(file, 10, static_cast<std::uint32_t>(file.size()), 4);
    PutLittleEndian(file, 14, headerSize, 4);
    PutLittleEndian(file, 18, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(file, 22, static_cast<std::uint32_t>(height), 4);
    PutLittleEndian(file, 26, 1, 2);
    PutLittleEndian(file, 28, static_cast<std::uint32_t>(bits), 2);
    PutLittleEndian(file, 30, static_cast<std::uint32_t>(compression), 4);
    file.insert(file.end(), pixels.begin(), pixels.end());
    file.insert(file.end(), after.begin(), after.end());
    PutLittleEndian(file, 2, static_cast<std::uint32_t>(file.size()), 4);
    return file;
}
