#pragma once

#include <cstdio>

// Writes the 54 header bytes of a 32x32, 24-bit bottom-up BMP file at dst's position.
void WriteBmpHeader(std::FILE* dst);

// Writes image imageNumber of the collection as a complete 3126-byte BMP file at path (UTF-8),
// replacing what the file held. When no temporary stream can be had, the file is left empty rather
// than showing an older image. Ends by releasing every temporary stream of the process.
void ExportImage(std::FILE* collection, const char* path, int imageNumber);
