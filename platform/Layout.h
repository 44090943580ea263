#pragma once

#include <windows.h>

#include <vector>

// A control made at least clientWidth x clientHeight inside its border, for what it shows.
struct Growth {
    HWND control;
    int clientWidth, clientHeight;
};

// Grows controls that stand side by side. Each of the dialog's other controls moves right by
// what the grown controls left of it (in its rows) grew together, and down by the most that a
// grown control above it (in its columns) grew; the dialog grows to keep its margins. Nothing
// moves when the controls already hold that much.
void GrowControls(HWND dialog, const std::vector<Growth>& growths);

// Moves controls (ids, 0 ending the list) together so that the rightmost one ends as far from
// the dialog's right edge as the leftmost control of the dialog is from its left edge.
void AlignRight(HWND dialog, const int* ids);
