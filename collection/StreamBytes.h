#pragma once

#include <cstdio>

// Byte-level stream helpers shared by the codec. None of them crashes on a null stream, reads
// outside the stream or writes through a stream that failed to open.
namespace streambytes {

// Positions f at offset bytes from its start. Returns false, leaving f where it was, when f is
// null or the offset is negative or beyond what fseek can address.
bool SeekTo(std::FILE* f, long long offset);

// Size of the stream in bytes, or -1 when it cannot be told.
long long Size(std::FILE* f);

// The image count of the collection open in f, from its size (98 when that can't be told). Every
// write into a collection stays within images 1 to this count: the bytes after the last record
// are never written.
int ImageCount(std::FILE* f);

// Whether imageNumber is one of the images of the collection open in f. Every collection has at
// least 98, so only a number above that asks the system for the file's size.
bool IsImageOf(std::FILE* f, int imageNumber);

// The next byte, or 0 when the stream has no more (a short file reads as zeros).
int ReadByte(std::FILE* f);

void WriteByte(std::FILE* f, int value);

// Copies count bytes from src's position to dst's position, one byte per transfer.
void Copy(std::FILE* src, std::FILE* dst, long count);

void WriteZeros(std::FILE* dst, long count);

} // namespace streambytes
