#pragma once

#include <windows.h>

// Stands the line of a single-line edit box in the middle of its height: a box taller than its
// font otherwise shows its text at the top edge. Call again after the box's font changed. The
// box keeps its size and place; only its text area moves down.
void CentreTextVertically(HWND edit);
