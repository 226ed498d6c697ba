// The bar's seven bitmaps, each drawn for 100%, 125%, 150% and 200% display scale.
#pragma once

#include <windows.h>

// The title colour that the title icon is drawn on.
const COLORREF kDefaultTitleColour = RGB(209, 225, 254);

// The resource of bitmap id (its 100% id) drawn for the largest scale at or below dpi.
int ScaledBitmapId(int id, UINT dpi);

// Bitmap id drawn for dpi, or null. Grey button-face pixels take the system's button colour; the
// title icon keeps its own colours, its background turned from the default title colour to title.
HBITMAP LoadBarBitmap(int id, UINT dpi, COLORREF title);
