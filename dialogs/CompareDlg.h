#pragma once

#include "app/DrawingColours.h"
#include "collection/FileContent.h"
#include "platform/Afx.h"

#include <memory>
#include <string>
#include <vector>

// Two states of a collection image by image, in the overview's form: in each cell the earlier
// one (left) beside the file as it is now (right), the cells that differ marked and selected at
// first. A click selects a cell, Ctrl+click adds or takes one away, Shift+click a range, Ctrl+A
// all; the arrows move, Space selects. "Recupera els seleccionats" and "Recupera-ho tot" end it
// with the images to bring back.
class CCompareDlg : public CDialog {
public:
    // What the window says of the two sides and of its two ways to end; as the template has them
    // (an earlier version and the file as it is) when empty.
    struct Texts {
        std::string help, selected, all;
    };

    CCompareDlg(std::string caption, FileBytes earlier, FileBytes now, int imageCount,
                Texts texts = {}, CWnd* parent = nullptr);
    ~CCompareDlg() override;

    BOOL OnInitDialog() override;
    // The images to bring back, after IDOK: in increasing order.
    const std::vector<int>& GetChosen() const { return m_chosen; }
    const std::vector<int>& Differing() const { return m_differing; }
    // Where image (1-based) stands in the grid's client area.
    RECT CellRect(int image) const;

protected:
    void OnRestoreSelected();
    void OnRestoreAll();
    void OnDpiChanged(int dpi) override;
    void OnColoursChanged() override;
    DECLARE_MESSAGE_MAP()

private:
    class Grid;
    friend class Grid;
    // What a screen reader is told of the grid: a list of the images (CompareAccess.cpp).
    class Parts;
    friend class Parts;
    std::unique_ptr<CAccessibleParts> MakeAccessibleParts() const;
    void LayOut(int dpi);
    Texts m_texts;
    // Every cell onto the canvas, in the colours in force now.
    void DrawAllCells();
    void DrawCell(int image);
    void Press(int image, bool shift, bool control);
    void Key(UINT key, bool shift, bool control);
    void Finish(std::vector<int> images);
    int ImageAt(POINT point) const;

    std::string m_caption;
    FileBytes m_earlier, m_now;
    int m_count;
    std::vector<int> m_differing, m_chosen;
    std::vector<bool> m_selected;
    int m_current = 1, m_anchor = 1;
    int m_zoom = 1, m_cellWidth = 70, m_cellHeight = 50;
    COffscreen m_canvas;
    DrawingColours m_colours = CurrentDrawingColours();
    std::unique_ptr<Grid> m_gridControl;
    HWND m_grid = nullptr;
};
