#pragma once

#include "platform/Afx.h"

#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// Every image of a collection at a glance: a grid of 14 columns, each image at twice its size
// with its number under it, the current one framed red. A click, or the arrow keys and Enter,
// chooses an image; Esc closes without a choice. In a collection that may be changed, dragging
// one image onto another swaps their pixel areas in the file at once.
class COverviewDlg : public CDialog {
public:
    static constexpr int kColumns = 14;
    static constexpr int kCellWidth = 68;  // a 64-pixel image and its margins
    static constexpr int kCellHeight = 82; // the image, then its number

    // swap, when given, exchanges two images in the file and tells the user what went wrong;
    // without it the images can't be moved. edit, when given, edits an image in the stamp
    // editor, owned by the overview (F2, or its menu on a cell).
    COverviewDlg(std::FILE* collection, int imageCount, int current, std::string caption,
                 std::function<void(int, int)> swap, std::function<void(int, CWnd*)> edit = {},
                 CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

    // The image chosen (after IDOK), or the current one.
    int GetChosen() const { return m_selected; }
    // Where image (1-based) stands in the grid's client area.
    static RECT CellRect(int image);

protected:
    DECLARE_MESSAGE_MAP()

private:
    static LRESULT CALLBACK GridProc(HWND grid, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnGridMessage(UINT message, WPARAM wParam, LPARAM lParam);
    int ImageAt(LPARAM point) const;
    void Select(int image);
    void Swap(int first, int second);
    void Edit(int image);
    void ShowMenu(LPARAM screenPoint);
    void DrawCell(int image);

    std::FILE* m_collection;
    int m_count;
    int m_selected;
    std::string m_caption;
    std::function<void(int, int)> m_swap;
    std::function<void(int, CWnd*)> m_edit;
    HWND m_grid = nullptr;
    int m_pressed = 0;
    CBitmap m_canvas; // every cell drawn once; a swap redraws two
    HDC m_canvasDC = nullptr;
};
