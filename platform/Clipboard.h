#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The system's clipboard, open for as long as the object lives. What it puts there is the
// system's afterwards; what it reads is copied out, never read beyond the block's own size
// (GlobalSize), whatever the block's contents claim.
class CClipboard {
public:
    // Opens the clipboard for owner; another program may hold it a moment, so it tries a few
    // times.
    explicit CClipboard(HWND owner);
    ~CClipboard();
    CClipboard(const CClipboard&) = delete;
    CClipboard& operator=(const CClipboard&) = delete;

    bool IsOpen() const { return m_open; }
    // Empties it, making owner its owner: before putting anything.
    bool Empty();
    bool Put(UINT format, const std::vector<std::uint8_t>& bytes);

    bool Has(UINT format) const;
    std::optional<std::vector<std::uint8_t>> Get(UINT format) const;
    // The files of a CF_HDROP, as the explorer copies them (UTF-8 paths).
    std::vector<std::string> Files() const;

    // The registered format "PNG", which browsers and office programs read and write.
    static UINT PngFormat();

private:
    bool m_open = false;
};
