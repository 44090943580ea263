// Writes the template from which brelt creates new collections, "writeable.bin": a collection of
// 98 white images in the smallest file of its size class, with every byte outside the pixel areas
// zero. Usage: make_template OUTPUT
#include "collection/CollectionFormat.h"
#include "collection/CollectionIO.h"

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_template OUTPUT\n");
        return 2;
    }
    const long size = 198 * 1024; // size class 198: 98 images
    std::FILE* out = std::fopen(argv[1], "w+b");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::vector<unsigned char> zeros(static_cast<std::size_t>(size), 0);
    std::fwrite(zeros.data(), 1, zeros.size(), out);
    CCollectionIO().FillWhite(out, sgc::ImageCountForSize(size));
    bool ok = !std::ferror(out);
    return std::fclose(out) == 0 && ok ? 0 : 1;
}
