// Where a companion window goes against its owner's screen rectangle. Pure functions of
// rectangles; WorkAreaOrUnbounded reads the desktop.
#pragma once

#include <windows.h>

// The desktop work area; when it cannot be read, right and bottom are the largest int.
RECT WorkAreaOrUnbounded();

// As wide as bar and height high: directly below bar when the work area has room there, else
// directly above it when bar's top is greater than height, else from bar's bottom down to the
// work area's bottom.
RECT PlaceBelowOrAbove(const RECT& bar, int height, const RECT& workArea);

// size wide beside bar: on its right when the work area has room, else on its left when bar's
// left is greater than size, else from bar's right to the work area's right. Vertically from
// bar's top to size below bar's bottom when the work area has room, else from size above bar's
// top to bar's bottom when bar's top is greater than size, else from bar's top to the work
// area's bottom.
RECT PlaceBeside(const RECT& bar, int size, const RECT& workArea);

// The DPI of the window that window is placed against: its owner's (the bar's).
UINT PlacementDpi(HWND window);

// Moves and repaints window to rect.
void MoveToRect(HWND window, const RECT& rect);
// Whether MoveToRect is placing window: a DPI change that the move brings keeps the placed
// rectangle, which is already sized for the new DPI.
bool IsBeingPlaced(HWND window);
