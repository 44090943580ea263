#pragma once

#include "editor/Stamp.h"
#include "platform/Afx.h"

#include <functional>
#include <vector>

// A control of the window class "BreltSwatches": colours in a grid of square cells. A left
// click chooses a colour as the primary one, a right click as the secondary; with the focus,
// the arrows move through them and Space (Shift+Space) chooses.
class CColourSwatches {
public:
    using Choose = std::function<void(editor::Colour, bool secondary)>;

    static void RegisterWindowClass();

    CColourSwatches() = default;
    CColourSwatches(const CColourSwatches&) = delete;
    CColourSwatches& operator=(const CColourSwatches&) = delete;

    // Takes over the control, with cells in `columns` columns; choose may be empty.
    void Attach(HWND control, int columns, Choose choose);
    void SetColours(std::vector<editor::Colour> colours);
    const std::vector<editor::Colour>& Colours() const { return m_colours; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    // Where cell index stands, for clicking it.
    POINT CentreOf(int index) const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    int CellSize() const;
    RECT CellRect(int index) const;
    int IndexAt(LPARAM position) const;
    void Paint(HDC dc) const;

    HWND m_hWnd = nullptr;
    int m_columns = 8;
    Choose m_choose;
    std::vector<editor::Colour> m_colours;
    int m_focused = 0;
};
