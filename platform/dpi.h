// Display scale. Every pixel figure of the bar's design is a figure at 96 DPI; on a display at
// another DPI it becomes that figure times DPI / 96, rounded to the nearest pixel (MulDiv), so
// that at 96 DPI nothing changes.
#pragma once

#include <windows.h>

const UINT kDesignDpi = 96;

// value scaled from 96 DPI to dpi, rounded to nearest, halves away from zero.
int ScaleForDpi(int value, UINT dpi);

// The DPI that window is drawn at: its monitor's on a per-monitor aware system, the system DPI
// before Windows 10 1607 and under Wine. Never 0.
UINT WindowDpi(HWND window);

// The system DPI (the primary display's LOGPIXELSY). Never 0.
UINT SystemDpi();

// The DPI that a window on the monitor holding rect is drawn at; 0 when the system cannot tell
// (before Windows 8.1).
UINT MonitorDpi(const RECT& rect);
