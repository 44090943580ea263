#include "platform/Clipboard.h"

#include "platform/Text.h"

#include <shlobj.h>

#include <cstring>

CClipboard::CClipboard(HWND owner) {
    for (int attempt = 0; attempt < 10 && !m_open; ++attempt) {
        m_open = ::OpenClipboard(owner) != FALSE;
        if (!m_open) {
            ::Sleep(20);
        }
    }
}

CClipboard::~CClipboard() {
    if (m_open) {
        ::CloseClipboard();
    }
}

bool CClipboard::Empty() {
    return m_open && ::EmptyClipboard() != FALSE;
}

bool CClipboard::Put(UINT format, const std::vector<std::uint8_t>& bytes) {
    if (!m_open || bytes.empty()) {
        return false;
    }
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    void* data = block != nullptr ? ::GlobalLock(block) : nullptr;
    if (data == nullptr) {
        if (block != nullptr) {
            ::GlobalFree(block);
        }
        return false;
    }
    std::memcpy(data, bytes.data(), bytes.size());
    ::GlobalUnlock(block);
    if (::SetClipboardData(format, block) == nullptr) {
        ::GlobalFree(block); // still ours: the system did not take it
        return false;
    }
    return true;
}

bool CClipboard::Has(UINT format) const {
    return ::IsClipboardFormatAvailable(format) != FALSE;
}

std::optional<std::vector<std::uint8_t>> CClipboard::Get(UINT format) const {
    HANDLE handle = m_open ? ::GetClipboardData(format) : nullptr;
    if (handle == nullptr) {
        return std::nullopt;
    }
    SIZE_T size = ::GlobalSize(handle);
    const void* data = size > 0 ? ::GlobalLock(handle) : nullptr;
    if (data == nullptr) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<const std::uint8_t*>(data),
                                    static_cast<const std::uint8_t*>(data) + size);
    ::GlobalUnlock(handle);
    return bytes;
}

std::vector<std::string> CClipboard::Files() const {
    // The DROPFILES block read here within its size: DragQueryFile would trust its offsets.
    std::vector<std::string> files;
    std::optional<std::vector<std::uint8_t>> block = Get(CF_HDROP);
    if (!block || block->size() < sizeof(DROPFILES)) {
        return files;
    }
    DROPFILES header{};
    std::memcpy(&header, block->data(), sizeof(header));
    const std::size_t size = block->size();
    if (header.pFiles < sizeof(DROPFILES) || header.pFiles >= size) {
        return files;
    }
    if (header.fWide) {
        std::wstring name;
        for (std::size_t at = header.pFiles; at + 1 < size; at += 2) {
            wchar_t c = static_cast<wchar_t>((*block)[at] | (*block)[at + 1] << 8);
            if (c != L'\0') {
                name += c;
            } else if (name.empty()) {
                break; // the list ends with an empty name
            } else {
                files.push_back(Narrow(name));
                name.clear();
            }
        }
        return files;
    }
    std::string name;
    for (std::size_t at = header.pFiles; at < size; ++at) {
        char c = static_cast<char>((*block)[at]);
        if (c != '\0') {
            name += c;
        } else if (name.empty()) {
            break;
        } else {
            // Names in the system's ANSI code page.
            int length = ::MultiByteToWideChar(CP_ACP, 0, name.data(),
                                               static_cast<int>(name.size()), nullptr, 0);
            std::wstring wide(static_cast<std::size_t>(length), L'\0');
            ::MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()),
                                  wide.data(), length);
            files.push_back(Narrow(wide));
            name.clear();
        }
    }
    return files;
}

UINT CClipboard::PngFormat() {
    static const UINT format = ::RegisterClipboardFormatW(L"PNG");
    return format;
}
