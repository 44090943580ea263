#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// The collections opened last, newest first, as brelt keeps them between runs: a UTF-8 text
// file with one full path a line. The file is outside input: whatever it holds, reading it gives
// at most kMax paths, each a line of printable text no longer than a path can be.
class RecentFiles {
public:
    static constexpr std::size_t kMax = 8;
    static constexpr std::size_t kMaxPathLength = 32767; // the longest path Windows allows

    // A list of at most max paths (the library's folders are such a list too).
    explicit RecentFiles(std::size_t max = kMax) : m_max(max) {}
    static RecentFiles Parse(std::string_view text, std::size_t max = kMax);
    std::string Text() const;

    // path opened now: first in the list, once (paths compared as Windows does, whatever the
    // case of their ASCII letters), the oldest dropped beyond kMax.
    void Add(const std::string& path);
    void Remove(const std::string& path);

    const std::vector<std::string>& Paths() const { return m_paths; }

private:
    std::size_t m_max;
    std::vector<std::string> m_paths;
};

// Whether two paths name the same file for Windows, whose names ignore the case of ASCII letters.
bool SamePath(std::string_view a, std::string_view b);

} // namespace settings
