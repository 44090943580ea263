#pragma once

#include "collection/CollectionFormat.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// An open stream that closes itself.
struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f != nullptr) {
            std::fclose(f);
        }
    }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// A file in the temporary folder with the given content, deleted when the object goes.
class ScratchFile {
public:
    explicit ScratchFile(const Bytes& content = {});
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return path_; }
    UniqueFile Open(const char* mode = "r+b") const;
    Bytes Read() const;
    void Write(const Bytes& content) const;
    // Any file's bytes (UTF-8 path), read or written whole.
    static Bytes ReadAt(const std::string& path);
    static void WriteAt(const std::string& path, const Bytes& content);

private:
    std::string path_;
};

// Distinct-looking bytes for every offset, so that a byte that moves to the wrong place shows.
std::uint8_t PatternByte(long long offset, unsigned seed = 0);
Bytes PatternBytes(long size, unsigned seed = 0);

// A collection file of the given size whose every byte follows PatternByte.
Bytes MakeCollection(long size = 202752, unsigned seed = 0);

// The 2048 bytes of image imageNumber's pixel area.
Bytes PixelArea(const Bytes& collection, int imageNumber);
void SetPixelArea(Bytes& collection, int imageNumber, const Bytes& pixels);

// Whether offset lies in the pixel area of one of the first imageCount images.
bool InPixelArea(long long offset, int imageCount);

// A temporary stream holding content, positioned at its end.
UniqueFile StreamWith(const Bytes& content);
Bytes StreamContent(std::FILE* stream);

// Reference conversions written independently of the codec.
int Expand5To8(int value5);
Bytes Expected24From16(const Bytes& pixels16); // same row order
Bytes Expected16From24(const Bytes& pixels24); // same row order
// What a shift from image `from` makes of the pixel areas of a collection of `count` images.
void ShiftModel(Bytes& collection, int count, int from);
// Reverses the order of 32 rows of rowSize bytes.
Bytes ReverseRows(const Bytes& rows, int rowSize);

// Points the process's temporary folder (TMPDIR, or TMP on Windows) at folder while it lives.
class ScopedTempFolder {
public:
    explicit ScopedTempFolder(const std::string& folder);
    ~ScopedTempFolder();
    ScopedTempFolder(const ScopedTempFolder&) = delete;
    ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;

private:
    std::string previous_;
    bool hadPrevious_;
};

// Number of files in folder.
int FileCount(const std::string& folder);

// Writes value little-endian over bytes at..at+bytes-1 of file.
void PutLittleEndian(Bytes& file, std::size_t at, std::uint32_t value, int bytes);

// A BMP file: the 14-byte file header, an information header of headerSize bytes with these
// fields, the pixels, then the bytes of after.
Bytes BmpFile(int width, int height, int bits, int compression = 0, std::uint32_t headerSize = 40,
              const Bytes& pixels = PatternBytes(3072, 31), const Bytes& after = {});
