// Where a companion window goes against its owner's screen rectangle. Pure functions of
// rectangles; WorkAreaOrUnbounded reads the desktop.
#pragma once

#include <windows.h>

// The work area of the monitor that holds bar; when it cannot be read, the desktop's; when that
// cannot be read either, right and bottom are the largest int.
RECT WorkAreaOrUnbounded(const RECT& bar);

// As wide as bar and height high: directly below bar when the work area has room there, else
// directly above it when bar's top is more than height below the work area's top, else from bar's
// bottom down to the work area's bottom.
RECT PlaceBelowOrAbove(const RECT& bar, int height, const RECT& workArea);

// size wide beside bar: on its right when the work area has room, else on its left when it has
// more than size there, else from bar's right to the work area's right. Vertically from bar's top
// to size below bar's bottom when the work area has room, else from size above bar's top to bar's
// bottom when it has more than size above, else from bar's top to the work area's bottom.
RECT PlaceBeside(const RECT& bar, int size, const RECT& workArea);

// The DPI window will have placed against bar: its owner's (the bar's), else that of bar's monitor.
UINT PlacementDpi(HWND window, const RECT& bar);

// Moves and repaints window to rect.
void MoveToRect(HWND window, const RECT& rect);
// Whether MoveToRect is placing window: a DPI change that the move brings keeps the placed
// rectangle, which is already sized for the new DPI.
bool IsBeingPlaced(HWND window);
