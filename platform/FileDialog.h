#pragma once

#include "platform/Wnd.h"

#include <commdlg.h>

#include <string>
#include <vector>

// The system's open and save file dialogs. Paths and texts are UTF-8.
class CFileDialog {
public:
    // filter is "Description|pattern|...||", as the program writes it.
    CFileDialog(BOOL openFileDialog, const char* defaultExtension = nullptr,
                const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* parent = nullptr);

    void SetTitle(const std::string& title) { m_title = title; }
    void SetInitialFolder(const std::string& folder) { m_initialFolder = folder; }

    // IDOK when the user chose a file, IDCANCEL otherwise.
    virtual INT_PTR DoModal();

    // The chosen file; with several chosen, the first of them.
    std::string GetPathName() const { return m_pathName; }
    // Every chosen file, in the order the dialog gives them.
    const std::vector<std::string>& GetPathNames() const { return m_pathNames; }
    std::string GetFileName() const;
    // The file name's extension without its dot; empty when it has none.
    std::string GetFileExt() const;

    BOOL IsOpenDialog() const { return m_openFileDialog; }
    DWORD GetFlags() const { return m_flags; }
    const std::string& GetFilter() const { return m_filter; }
    const std::string& GetTitle() const { return m_title; }
    const std::string& GetInitialFolder() const { return m_initialFolder; }
    const std::string& GetInitialFileName() const { return m_fileName; }
    // Sets the choice as the dialog would; for tests that answer in place of a user.
    void SetChosenPath(const std::string& path) {
        m_pathName = path;
        m_pathNames = {path};
    }
    void SetChosenPaths(const std::vector<std::string>& paths) {
        m_pathNames = paths;
        m_pathName = paths.empty() ? std::string() : paths.front();
    }

private:
    BOOL m_openFileDialog;
    std::string m_defaultExtension;
    std::string m_fileName;
    DWORD m_flags;
    std::string m_filter;
    CWnd* m_parent;
    std::string m_title;
    std::string m_initialFolder;
    std::string m_pathName;
    std::vector<std::string> m_pathNames;
};
