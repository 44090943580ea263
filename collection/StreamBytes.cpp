#include "collection/StreamBytes.h"

#include "collection/CollectionFormat.h"

#include <climits>
#include <cstdio>

#include <sys/stat.h>
#include <sys/types.h>

namespace streambytes {

bool SeekTo(std::FILE* f, long long offset) {
    if (f == nullptr || offset < 0 || offset > LONG_MAX) {
        return false;
    }
    // glibc serves reads from its buffer across fseek. When the same file is open as source and
    // target, the other stream's writes would go unseen; flushing first drops the stale buffer.
    std::fflush(f);
    return std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0;
}

long long Size(std::FILE* f) {
    if (f == nullptr) {
        return -1;
    }
    std::fflush(f);
    if (std::fseek(f, 0, SEEK_END) != 0) {
        return -1;
    }
    return std::ftell(f);
}

int ImageCount(std::FILE* f) {
    // The size as the system has it, once what the stream holds is written out: no seek.
    long long size = -1;
    if (f != nullptr && std::fflush(f) == 0) {
#ifdef _WIN32
        struct _stat64 status;
        size = _fstat64(_fileno(f), &status) == 0 ? status.st_size : -1;
#else
        struct stat status;
        size = ::fstat(::fileno(f), &status) == 0 ? status.st_size : -1;
#endif
    }
    return sgc::ImageCountForSize(size < 0 || size > LONG_MAX ? -1 : static_cast<long>(size));
}

bool IsImageOf(std::FILE* f, int imageNumber) {
    return imageNumber >= 1 &&
           (imageNumber <= sgc::kDefaultImageCount || imageNumber <= ImageCount(f));
}

// One byte per call without the runtime's lock for each: brelt reads and writes its streams
// from one thread only.
#ifdef _WIN32
#define BRELT_GETC _fgetc_nolock
#define BRELT_PUTC _fputc_nolock
#else
#define BRELT_GETC getc_unlocked
#define BRELT_PUTC putc_unlocked
#endif

int ReadByte(std::FILE* f) {
    int c = BRELT_GETC(f);
    return c == EOF ? 0 : c;
}

void WriteByte(std::FILE* f, int value) {
    BRELT_PUTC(value & 0xFF, f);
}

void Copy(std::FILE* src, std::FILE* dst, long count) {
    for (long i = 0; i < count; ++i) {
        WriteByte(dst, ReadByte(src));
    }
}

void WriteZeros(std::FILE* dst, long count) {
    for (long i = 0; i < count; ++i) {
        WriteByte(dst, 0);
    }
}

} // namespace streambytes
