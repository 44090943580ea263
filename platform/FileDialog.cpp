#include "platform/FileDialog.h"

#include "collection/PathNames.h"
#include "platform/ModalAnswers.h"
#include "platform/Text.h"
#include "platform/WinApp.h"

#include <algorithm>

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parent)
    : m_openFileDialog(openFileDialog),
      m_defaultExtension(defaultExtension ? defaultExtension : ""),
      m_fileName(fileName ? fileName : ""), m_flags(flags), m_filter(filter ? filter : ""),
      m_parent(parent) {}

INT_PTR CFileDialog::DoModal() {
    if (TestModalAnswers().fileDialog) {
        return TestModalAnswers().fileDialog(*this);
    }
    // The system wants the filter's parts separated by NULs where the program writes '|'.
    std::wstring filter = Widen(m_filter);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    std::wstring title = Widen(m_title);
    std::wstring initialFolder = Widen(m_initialFolder);
    std::wstring defaultExtension = Widen(m_defaultExtension);
    std::vector<wchar_t> file(32768, L'\0');
    std::wstring initialName = Widen(m_fileName);
    std::copy(initialName.begin(), initialName.end(), file.begin());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    // Without a parent the main window owns the dialog, so that it can't be used meanwhile.
    ofn.hwndOwner = m_parent != nullptr ? m_parent->m_hWnd : AfxGetMainWndHandle();
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    ofn.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    ofn.Flags = m_flags | OFN_EXPLORER;

    BOOL chosen = m_openFileDialog ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
    if (!chosen) {
        return IDCANCEL;
    }
    // Several files come back as the folder, then each name, NUL-separated.
    m_pathNames.clear();
    if (ofn.nFileOffset > 0 && file[ofn.nFileOffset - 1] == L'\0') {
        std::wstring folder = file.data();
        for (const wchar_t* name = &file[ofn.nFileOffset]; *name != L'\0';
             name += wcslen(name) + 1) {
            m_pathNames.push_back(Narrow(folder + L'\\' + name));
        }
    } else {
        m_pathNames.push_back(Narrow(file.data()));
    }
    m_pathName = m_pathNames.front();
    return IDOK;
}

std::string CFileDialog::GetFileName() const {
    return FileNameOf(m_pathName);
}

std::string CFileDialog::GetFileExt() const {
    std::string extension = ExtensionOf(m_pathName);
    return extension.empty() ? extension : extension.substr(1); // without its dot
}
