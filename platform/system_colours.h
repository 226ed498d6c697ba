// The colours a window draws with while the user has chosen a high-contrast theme: the system's.
#pragma once

#include <windows.h>

// Whether a high-contrast theme is on (SPI_GETHIGHCONTRAST reports HCF_HIGHCONTRASTON).
bool HighContrastOn();

// The colour a part of a window draws with: its own, or the system's colour systemIndex while
// high contrast is on. Settings that hold the own colour are never changed by it.
COLORREF PartColour(bool highContrast, COLORREF own, int systemIndex);
HBRUSH PartBrush(bool highContrast, HBRUSH own, int systemIndex);
