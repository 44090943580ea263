#pragma once

#include <windows.h>

// The system's colour chooser, owned by owner, starting at colour; true, with colour set, when
// the user chose one.
bool ChooseColour(HWND owner, COLORREF& colour);
