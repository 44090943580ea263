#pragma once

#include "app/DrawingColours.h"
#include "editor/Selection.h"
#include "editor/Symmetry.h"
#include "platform/Accessible.h"
#include "platform/Afx.h"

#include <functional>
#include <memory>
#include <optional>

// The stamp editor's canvas, a control of the window class "BreltStampCanvas": the stamp at a
// whole zoom, a thin grid that can be switched off, the axes of symmetry, a selection's moving
// dashed border, the pixel under the mouse outlined and, while the canvas has the focus, the
// keyboard's pixel cursor. It draws into one off-screen bitmap and reports the user's input;
// what a press does is its owner's, and so are the keys other than the cursor's.
class CStampCanvas : public CCustomControl {
public:
    struct Events {
        // A button pressed on a pixel: the right one for the secondary colour, with Alt to pick
        // the colour.
        std::function<void(editor::Point, bool secondary, bool pick)> press;
        std::function<void(editor::Point)> drag;    // to another pixel, the button held
        std::function<void(editor::Point)> release; // the button let go
        std::function<void(std::optional<editor::Point>)> point; // the pixel pointed at
        // Space on the keyboard's cursor, with Shift for the secondary colour.
        std::function<void(editor::Point, bool secondary)> space;
    };
    // What is drawn over the stamp.
    struct Marks {
        bool grid = true;
        std::optional<editor::Box> selection;
        editor::Symmetry axes = editor::Symmetry::None;
    };

    static void RegisterWindowClass();

    // Takes over the control; sizes it for the largest whole zoom, at least minZoom, that its
    // template's size holds.
    void Attach(HWND control, Events events, int minZoom);

    void Show(const editor::Stamp& stamp, const Marks& marks);
    editor::Point Cursor() const { return m_cursor; }

private:
    // What a screen reader is told (StampCanvasAccess.cpp).
    class Parts;
    std::wstring CursorWords() const;
    std::unique_ptr<CAccessibleParts> MakeAccessibleParts() const override;
    void TellIfCursorChanged();

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPress(UINT message, LPARAM position);
    void OnMouseMove(LPARAM position);
    void OnRelease(LPARAM position);
    void Draw(HDC dc) const override { m_surface.CopyTo(dc); }
    void OnColoursChanged() override { Render(); }
    std::optional<editor::Point> PixelAt(LPARAM position) const;
    void OnKey(UINT key);
    void Render();
    // One row of the canvas's pixels for a row of the stamp: its grid line, or its pixels.
    void RenderRow(int stampRow, bool gridLine, std::uint8_t* row) const;
    // A frame of wanted pixels round pixel p (more in high contrast).
    void Outline(editor::Point p, int wanted) const;
    void DrawAxes() const;
    void DrawSelection() const;

    Events m_events;
    COffscreen m_surface;
    DrawingColours m_colours = CurrentDrawingColours(); // as the last rendering found them
    editor::Stamp m_stamp;
    Marks m_marks;
    int m_antsPhase = 0; // how far the selection's dashes have moved
    int m_zoom = 10;
    editor::Point m_cursor{16, 16};
    std::optional<editor::Point> m_hover;
    bool m_pressed = false;
    bool m_tracking = false;
    std::wstring m_saidOfCursor;
};
