#pragma once

#include "library/Shelves.h"
#include "platform/Afx.h"

#include <memory>
#include <string>
#include <vector>

class CLibraryLoader;

// "Biblioteca": every collection of the library's folders, each with its name, folder, image
// count, when it last changed and its stamps at their true size, under a filter by name; read on
// a thread of its own with a progress line and "Atura". A double click or Enter opens one as the
// target, its menu as the source too.
class CLibraryDlg : public CDialog {
public:
    // What the window was closed to open.
    struct Chosen {
        std::string path;
        bool asSource = false;
    };

    explicit CLibraryDlg(CWnd* parent = nullptr);
    ~CLibraryDlg() override;

    BOOL OnInitDialog() override;
    void OnCancel() override;
    const Chosen& GetChosen() const { return m_chosen; }

    // The collections shown now, after the filter, by their place in the library.
    const std::vector<int>& Shown() const { return m_shown; }

protected:
    void OnFilterChanged();
    void OnAddFolder();
    void OnStop();
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    DECLARE_MESSAGE_MAP()

private:
    class List;
    friend class List;
    void StartReading();
    void OnProgress(WPARAM done, LPARAM total);
    void Open(int shown, bool asSource);
    void ShowMenu(int shown, POINT screen);
    std::wstring Heading(const library::Shelf& shelf) const;

    std::vector<library::Shelf> m_shelves;
    std::vector<int> m_shown;
    std::unique_ptr<CLibraryLoader> m_loader;
    std::unique_ptr<List> m_list;
    Chosen m_chosen;
};
