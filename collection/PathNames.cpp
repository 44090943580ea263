#include "collection/PathNames.h"

#include <algorithm>

namespace {

std::size_t NameStart(std::string_view path) {
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? 0 : slash + 1;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string FileNameOf(std::string_view path) {
    return std::string(path.substr(NameStart(path)));
}

std::string FolderOf(std::string_view path) {
    std::size_t start = NameStart(path);
    return std::string(path.substr(0, start == 0 ? 0 : start - 1));
}

std::string StemOf(std::string_view path) {
    std::string name = FileNameOf(path);
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string ExtensionOf(std::string_view path) {
    std::string name = FileNameOf(path);
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot);
}

bool HasExtension(std::string_view path, std::string_view extension) {
    std::string own = ExtensionOf(path);
    return own.size() == extension.size() &&
           std::equal(own.begin(), own.end(), extension.begin(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

bool IsCollectionFileName(std::string_view path) {
    return HasExtension(path, ".sgc");
}

bool IsBitmapFileName(std::string_view path) {
    return HasExtension(path, ".bmp");
}
