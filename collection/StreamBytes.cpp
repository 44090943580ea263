#include "collection/StreamBytes.h"

#include <climits>

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

int ReadByte(std::FILE* f) {
    int c = std::fgetc(f);
    return c == EOF ? 0 : c;
}

void WriteByte(std::FILE* f, int value) {
    std::fputc(value & 0xFF, f);
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
