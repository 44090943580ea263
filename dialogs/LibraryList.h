#pragma once

#include "library/Shelves.h"
#include "platform/CustomControl.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The library's list: for each collection a line of text and its stamps at their true size,
// wrapped; scrolled by its bar, the wheel and the keys. The current collection is outlined, with
// the focus drawn round it.
class CLibraryList : public CCustomControl {
public:
    struct Row {
        std::wstring heading;
        const std::vector<library::StampColours>* stamps;
    };
    struct Events {
        std::function<void(int row)> open;               // double click, Enter
        std::function<void(int row, POINT screen)> menu; // right click, the menu key
        std::function<void()> paste;                     // Ctrl+V
    };

    static void Register();
    void Attach(HWND control, Events events);
    // The rows shown, from the top; stamps `zoom` screen pixels a pixel.
    void SetRows(std::vector<Row> rows, int zoom);
    int Current() const { return m_current; }
    // Where row stands, in client coordinates (top may be above the client when scrolled).
    RECT RowRect(int row) const;

protected:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Draw(HDC dc) const override;
    // To a screen reader a list named as its window, of the rows' headings (LibraryListAccess).
    std::unique_ptr<CAccessibleParts> MakeAccessibleParts() const override;

private:
    class Parts;
    friend class Parts;
    int PerLine() const;
    int HeightOf(const Row& row) const;
    int RowAt(int y) const;
    void Layout();
    void ScrollTo(int top);
    void MakeCurrent(int row);
    void OnKey(UINT key);
    void OnScroll(UINT request);
    HGDIOBJ Font() const;
    void DrawRow(HDC dc, int row, const RECT& where) const;

    std::vector<Row> m_rows;
    std::vector<int> m_tops; // each row's top in the whole list; one more: the list's end
    Events m_events;
    int m_zoom = 1, m_scroll = 0, m_current = 0, m_line = 16;
};
