#include "settings/RecentFiles.h"

#include <algorithm>

namespace settings {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether text is valid UTF-8 without control characters: a line that can be a path.
bool IsPathText(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        auto byte = static_cast<unsigned char>(text[i]);
        std::size_t length = byte < 0x80                   ? 1
                             : byte >= 0xF0 && byte < 0xF5 ? 4
                             : byte >= 0xE0                ? 3
                             : byte >= 0xC2                ? 2
                                                           : 0;
        if (length == 0 || (length == 1 && (byte < 0x20 || byte == 0x7F)) ||
            i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

} // namespace

bool SamePath(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

RecentFiles RecentFiles::Parse(std::string_view text, std::size_t max) {
    RecentFiles recent(max);
    while (!text.empty() && recent.m_paths.size() < max) {
        std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        bool known = std::any_of(recent.m_paths.begin(), recent.m_paths.end(),
                                 [&](const std::string& path) { return SamePath(path, line); });
        if (!line.empty() && line.size() <= kMaxPathLength && IsPathText(line) && !known) {
            recent.m_paths.emplace_back(line);
        }
    }
    return recent;
}

std::string RecentFiles::Text() const {
    std::string text;
    for (const std::string& path : m_paths) {
        text += path + "\r\n";
    }
    return text;
}

void RecentFiles::Add(const std::string& path) {
    if (path.empty() || path.size() > kMaxPathLength || !IsPathText(path)) {
        return;
    }
    Remove(path);
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > m_max) {
        m_paths.resize(m_max);
    }
}

void RecentFiles::Remove(const std::string& path) {
    std::erase_if(m_paths, [&](const std::string& known) { return SamePath(known, path); });
}

} // namespace settings
