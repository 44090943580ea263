#pragma once

// Whether Windows' high-contrast setting is on. (Wine 8 always answers no: its
// SPI_GETHIGHCONTRAST is a stub.)
bool HighContrastOn();

// Whether a top-level window's message tells that the system's colours or the high-contrast
// setting changed, after which everything drawn with them is drawn again.
bool TellsColoursChanged(unsigned message, unsigned long long wParam);
