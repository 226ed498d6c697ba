// A tooltip control whose tools are a window's child controls; the texts are asked for when shown.
#pragma once

#include <windows.h>
#include <commctrl.h>

// Creates the tooltip owned by owner; null on failure. It is destroyed with its owner.
HWND CreateTooltip(HWND owner);
// Adds control as a tool; the tooltip asks owner for the text (TTN_GETDISPINFOA).
bool AddTooltipTool(HWND tooltip, HWND owner, HWND control);
// The control a text request is for, or null when header is no request that names its tool
// by window.
HWND TooltipRequestControl(const NMHDR* header);
// Puts text (cut to 79 bytes) into the request's own buffer; null leaves the tooltip empty.
void SetTooltipText(NMHDR* header, const char* text);
