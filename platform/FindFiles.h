#pragma once

#include <windows.h>

#include <string>

// The files and folders a pattern matches, one after another, from FindFirstFile to FindClose.
//     for (CFindFiles found(L"C:\\x\\*"); found.Valid(); found.Next()) { found.Data()... }
class CFindFiles {
public:
    explicit CFindFiles(const std::wstring& pattern)
        : m_search(::FindFirstFileW(pattern.c_str(), &m_found)) {}
    ~CFindFiles() {
        if (m_search != INVALID_HANDLE_VALUE) {
            ::FindClose(m_search);
        }
    }
    CFindFiles(const CFindFiles&) = delete;
    CFindFiles& operator=(const CFindFiles&) = delete;

    // True while Data() holds a match.
    bool Valid() const { return m_valid; }
    const WIN32_FIND_DATAW& Data() const { return m_found; }
    bool IsFolder() const { return (m_found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    void Next() { m_valid = m_valid && ::FindNextFileW(m_search, &m_found); }

private:
    WIN32_FIND_DATAW m_found{};
    HANDLE m_search;
    bool m_valid = m_search != INVALID_HANDLE_VALUE;
};
