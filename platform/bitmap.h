// Bitmap helpers.
#pragma once

#include <windows.h>

// A 32-bit copy of source in which every pixel of colour from is colour to; null on failure.
// The caller owns the new bitmap; source is left as it is.
HBITMAP CopyBitmapReplacingColour(HBITMAP source, COLORREF from, COLORREF to);

// The colour of one pixel of a bitmap (for checks); CLR_INVALID when it cannot be read.
COLORREF BitmapPixel(HBITMAP bitmap, int x, int y);
