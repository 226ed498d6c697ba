// The bar's system menu: the standard one less maximise and restore, with About and "終了(&E)".
#pragma once

#include <windows.h>

void BuildBarSystemMenu(HWND bar);
// Opens the system menu at a point of the bar's client area; the chosen command is posted to the
// bar as a system command.
void ShowBarSystemMenu(HWND bar, POINT client);
