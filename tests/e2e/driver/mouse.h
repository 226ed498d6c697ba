// Real mouse input (SendInput) at screen coordinates.
#pragma once

#include <windows.h>

namespace e2e {

void MouseMove(int x, int y);
void MouseDown(int x, int y, bool right = false);
void MouseUp(int x, int y, bool right = false);
// Moves the pointer out of the way, to the bottom-right corner of the screen.
void ParkPointer();
// Moves there, presses and releases, then parks the pointer.
void Click(int x, int y, bool right = false);
// Clicks the centre of a window or control.
bool ClickWindow(HWND window, bool right = false);
// Presses at one point, moves in steps to the other, releases there, then parks the pointer.
// moving: the window whose frame or caption is dragged, to wait for its move-or-size loop.
void Drag(int fromX, int fromY, int toX, int toY, HWND moving = nullptr);

}  // namespace e2e
