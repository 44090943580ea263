#pragma once

#include <windows.h>

// The DPI window is shown at: the monitor's, for a program that declares itself aware of it.
// GetDpiForWindow is looked up at run time (Windows 10 1607 and later, and Wine); before it,
// the screen's.
int WindowDpi(HWND window);

// The rectangle of the work area of the monitor window is on, in screen pixels.
RECT WorkAreaOf(HWND window);
