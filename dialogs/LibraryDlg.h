#pragma once

#include "dialogs/LibraryRow.h"
#include "library/Search.h"
#include "picture/Picture.h"
#include "platform/Afx.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CLibraryLoader;
class CLibraryList;

// "Biblioteca": every collection of the library's folders, each with its name, folder, image
// count, when it last changed and its stamps at their true size, under a filter by name; read on
// a thread of its own with a progress line and "Atura". A double click or Enter opens one as the
// target, its menu as the source too. The same window finds a stamp across the library (the
// same, then near ones under a threshold the user moves, also mirrored or turned) and lists the
// stamps more than one collection holds.
class CLibraryDlg : public CDialog {
public:
    enum class Mode { Browse, Search, Repeats };
    // A picture as the stamp the conversion would make of it; nothing when it can't.
    using PictureToStamp =
        std::function<std::optional<library::StampColours>(const picture::Picture&)>;

    // query: the stamp looked for, in Search. With convert, a picture pasted (Ctrl+V on the
    // list) or dropped on the window is looked for.
    CLibraryDlg(Mode mode, std::optional<library::StampColours> query = std::nullopt,
                PictureToStamp convert = {}, CWnd* parent = nullptr);
    ~CLibraryDlg() override;

    BOOL OnInitDialog() override;
    void OnCancel() override;
    const LibraryChoice& GetChosen() const { return m_chosen; }

protected:
    void OnFilterChanged();
    void OnAddFolder();
    void OnStop();
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    DECLARE_MESSAGE_MAP()

private:
    void StartReading();
    // The caption and the threshold's controls for the mode.
    void ShowMode();
    // A picture pasted or dropped, looked for.
    void LookFor(const std::optional<picture::Picture>& picture);
    void PasteToLookFor();
    void OnProgress(WPARAM done, LPARAM total);
    // The rows for the mode, the filter and the threshold (LibraryRows.cpp).
    std::vector<LibraryRow> Rows() const;
    std::vector<LibraryRow> CollectionRows() const;
    std::vector<LibraryRow> FoundRows() const;
    std::vector<LibraryRow> RepeatRows() const;
    bool Passes(int shelf) const;
    void ShowRows();
    float Threshold() const;
    void Open(int row, bool asSource);
    void ShowMenu(int row, POINT screen);

    Mode m_mode;
    std::optional<library::StampColours> m_query;
    PictureToStamp m_convert;
    std::vector<library::Shelf> m_shelves;
    std::vector<LibraryRow> m_rows;
    std::wstring m_filter;
    std::unique_ptr<CLibraryLoader> m_loader;
    std::unique_ptr<CLibraryList> m_list;
    LibraryChoice m_chosen;
};
