#pragma once

#include <windows.h>

// The colours brelt's own controls draw their frames, marks, numbers and backgrounds with: its
// own on an ordinary screen; the system's when Windows' high-contrast setting is on, so that they
// follow the scheme the user chose, and every frame is then two pixels wide at least. The stamps
// themselves keep their own colours: they are what the user edits.
struct DrawingColours {
    COLORREF background;    // behind the stamps and their numbers
    COLORREF text;          // the numbers, the drop bar
    COLORREF selection;     // under a selected stamp
    COLORREF selectionText; // a selected stamp's number
    COLORREF selectedFrame; // round a selected stamp
    COLORREF border;        // round every other stamp
    COLORREF current;       // round the current stamp, in the slots and the overview
    COLORREF marked;        // what differs
    COLORREF axes;          // the editor's axes of symmetry
    COLORREF face;          // behind the swatches and the crop square
    COLORREF faceText;      // the swatches' frames
    bool highContrast;

    // A frame's width: wanted on an ordinary screen, at least two pixels in high contrast.
    int Frame(int wanted) const { return highContrast && wanted < 2 ? 2 : wanted; }
};

// The colours for the setting in force now.
DrawingColours CurrentDrawingColours();
