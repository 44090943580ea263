#include "collection/FileOpen.h"

#include <filesystem>
#include <string_view>

std::FILE* OpenFile(const std::string& utf8Path, const char* mode) {
#ifdef _WIN32
    std::u8string_view u8(reinterpret_cast<const char8_t*>(utf8Path.data()), utf8Path.size());
    std::filesystem::path path(u8);
    std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(utf8Path.c_str(), mode);
#endif
}
