// Real mouse input (SendInput) at screen coordinates.
#pragma once

#include <windows.h>

namespace e2e {

void MouseMove(int x, int y);
void MouseDown(int x, int y, bool right = false);
void MouseUp(int x, int y, bool right = false);
// Moves there, presses and releases.
void Click(int x, int y, bool right = false);
// Clicks the centre of a window or control.
bool ClickWindow(HWND window, bool right = false);
// Presses at one point, moves in steps to the other, releases there.
void Drag(int fromX, int fromY, int toX, int toY);

}  // namespace e2e
