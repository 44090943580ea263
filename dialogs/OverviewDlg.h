#pragma once

#include "app/DrawingColours.h"
#include "collection/PixelAreas.h"
#include "plans/Plans.h"
#include "platform/Afx.h"
#include "platform/Menu.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Every image of a collection at a glance: a grid of 14 columns, each image at twice its size (at
// 96 DPI; more at higher DPI, as much as the screen holds) in a thin border with its number under
// it, the current one framed red; white stamps marked light, repeated ones with a coloured corner
// (one colour for one stamp). A click selects, Shift and Ctrl extend it, a double click or Enter
// goes to the image, Esc closes without a change. In the target, the selection is dragged to move
// it and removed, or a white stamp inserted; from the source it is copied into the target. A line
// under the grid says what is selected, blank and repeated.
class CAccessibleParts;

class COverviewDlg : public CDialog {
public:
    static constexpr int kColumns = 14;

    // What the overview's commands ask of the main window; a command it is not given is not
    // offered. Each writes through the main window's one edit function, as one undo step.
    struct Commands {
        std::function<void(const std::string& what, const plans::Order& order)> reorder;
        // The confirmation that shows image `last`, which an insertion loses: true for "SI".
        std::function<bool(int last, CWnd* owner)> confirmLoss;
        std::function<void(const std::vector<int>& images, CWnd* owner)> copyToTarget;
        std::function<void(const std::vector<int>& images, CWnd* owner)> exportImages;
        std::function<void(const std::vector<int>& images, CWnd* owner)> printImages;
        std::function<void(int image, CWnd* owner)> edit;
        // "Cerca aquest segell a la biblioteca": true when something was chosen there to open,
        // and the overview closes for it.
        std::function<bool(int image, CWnd* owner)> search;
        // Ctrl+Z and Ctrl+Y on the collection shown, and the name of the change each would
        // take back or do again ("" for none).
        std::function<void(bool undo)> replay;
        std::function<std::wstring(bool undo)> nextChange;
    };

    COverviewDlg(std::FILE* collection, int imageCount, int current, std::string caption,
                 Commands commands, CWnd* parent = nullptr);
    ~COverviewDlg() override;

    BOOL OnInitDialog() override;

    // The image chosen (after IDOK), or the current one.
    int GetChosen() const { return m_current; }
    // The images selected, in increasing order.
    std::vector<int> Selection() const;
    // Where image (1-based) stands in the grid's client area.
    RECT CellRect(int image) const;

protected:
    void OnDpiChanged(int dpi) override;
    void OnColoursChanged() override;

    DECLARE_MESSAGE_MAP()

private:
    // The grid, at the largest zoom for dpi that the screen holds, and the line under it; the
    // dialog takes their size.
    void LayOut(int dpi);
    // Every cell onto the canvas, in the colours in force now.
    void DrawAllCells();
    // The square a cell's image stands in, 2 pixels in from its corner.
    RECT ImageRect(int image) const;
    int CellWidth() const { return m_cellWidth; } // the image and its margins, or its number
    int CellHeight() const { return 32 * m_zoom + 4 + m_labelHeight; } // then its number

    class GridControl;
    friend class GridControl;
    HWND GridWindow() const;
    void OnGridPress(LPARAM point, WPARAM keys);
    void OnGridDrag(LPARAM point);
    void OnGridRelease(LPARAM point, WPARAM keys);
    void OnGridDoubleClick(LPARAM point);
    void MoveSelectionBefore(int before);
    // Ctrl+Shift and an arrow: the selection a place (a row) earlier or later, as one change.
    void MoveSelectionBy(int step);
    int ImageAt(LPARAM point) const;
    // Where a drop at point puts the selection: before that image, or after the last.
    int DropBefore(LPARAM point) const;

    void OnPress(int image, bool shift, bool control);
    void OnKey(UINT key);
    void ShowMenu(LPARAM screenPoint);
    void FillMenu(CMenu& menu) const;
    void Command(UINT id);
    void ReorderCommand(UINT id); // remove, insert, swap: the target's
    void WritingCommand(UINT id); // edit, undo, redo

    void SelectOnly(int image);
    void SelectRange(int from, int to);
    void SetSelection(const std::vector<bool>& selected);
    void MoveCurrent(int image, bool extend);
    void SetCurrent(int image); // the red frame moves; the selection stays
    // After a command that wrote: the file read again, the cells that changed drawn again.
    void Reload();
    void Reorder(const std::string& what, const plans::Order& order);
    void DrawCell(int image);
    void DrawStamp(const RECT& picture, const std::array<std::uint8_t, 3072>& shown);
    void MarkBlank(const RECT& picture);
    void ShowStatus();
    void Paint(HDC dc) const;

    std::FILE* m_collection;
    int m_count;
    int m_current;
    int m_anchor;
    std::string m_caption;
    Commands m_commands;
    std::vector<PixelAreaBytes> m_areas;
    plans::Marks m_marks;
    std::vector<bool> m_selected; // by image - 1
    std::unique_ptr<GridControl> m_gridControl;
    // What a screen reader is told of the grid: a list of the images (OverviewAccess.cpp).
    class Parts;
    friend class Parts;
    std::unique_ptr<CAccessibleParts> MakeAccessibleParts() const;
    HWND m_status = nullptr;
    int m_pressed = 0; // the image a press began on
    bool m_dragging = false;
    int m_dropBefore = 0; // where a drag would put the selection; 0 while there is none
    COffscreen m_canvas;  // every cell drawn once; a change draws the cells it touches
    DrawingColours m_colours = CurrentDrawingColours();
    int m_zoom = 2;
    int m_cellWidth = 68;
    int m_labelHeight = 14;
};
