#pragma once

#include "editor/Stamp.h"
#include "platform/Accessible.h"
#include "platform/Afx.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A control of the window class "BreltSwatches": colours in a grid of square cells. A left
// click chooses a colour as the primary one, a right click as the secondary; with the focus,
// the arrows move through them and Space (Shift+Space) chooses.
class CColourSwatches : public CCustomControl {
public:
    using Choose = std::function<void(editor::Colour, bool secondary)>;

    static void RegisterWindowClass();

    // Takes over the control, with cells in `columns` columns; choose may be empty.
    void Attach(HWND control, int columns, Choose choose);
    void SetColours(std::vector<editor::Colour> colours);
    const std::vector<editor::Colour>& Colours() const { return m_colours; }
    // The colour marked as the one chosen, by a ring; none when nothing is.
    void SetChosen(std::optional<editor::Colour> chosen);
    // What a screen reader calls the control, and the cells' labels ("Principal") before their
    // colours' names (ColourSwatchesAccess.cpp).
    void SetAccessibleNames(std::wstring name, std::vector<std::wstring> labels = {});

private:
    class Parts;
    std::unique_ptr<CAccessibleParts> MakeAccessibleParts() const override;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    int CellSize() const;
    RECT CellRect(int index) const;
    int IndexAt(LPARAM position) const;
    void Draw(HDC dc) const override;

    int m_columns = 8;
    Choose m_choose;
    std::vector<editor::Colour> m_colours;
    int m_focused = 0;
    std::optional<editor::Colour> m_chosen;
    std::wstring m_name = L"Colors";
    std::vector<std::wstring> m_labels;
};
