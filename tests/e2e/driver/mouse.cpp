#include "mouse.h"

#include "wait.h"

#include <cstdlib>

namespace e2e {

namespace {

// Absolute positions are given in 0..65535 across the primary screen.
INPUT MouseInput(int x, int y, DWORD flags) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((static_cast<long long>(x) * 65535 + (width - 1) / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((static_cast<long long>(y) * 65535 + (height - 1) / 2) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void Send(INPUT input) { SendInput(1, &input, sizeof input); }

// Two presses close in time and place make a double-click: a second click on the same spot waits
// until the first one can no longer pair with it, as two separate clicks of a user would.
void WaitOutDoubleClick(int x, int y) {
    static DWORD lastTime = 0;
    static POINT lastPoint = {-1000, -1000};
    const DWORD interval = GetDoubleClickTime() * 2 + 50;
    const bool samePlace = std::abs(x - lastPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                           std::abs(y - lastPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
    const DWORD since = GetTickCount() - lastTime;
    if (samePlace && since < interval)
        Sleep(interval - since);
    lastTime = GetTickCount();
    lastPoint = POINT{x, y};
}

}  // namespace

void MouseMove(int x, int y) { Send(MouseInput(x, y, 0)); }

void MouseDown(int x, int y, bool right) {
    WaitOutDoubleClick(x, y);
    MouseMove(x, y);
    Send(MouseInput(x, y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN));
}

void MouseUp(int x, int y, bool right) {
    Send(MouseInput(x, y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP));
}

// The pointer rests in the screen's bottom-right corner between clicks: left on a control, it
// would bring up the control's tooltip, and a click that meets a tooltip coming up can be lost.
void ParkPointer() { MouseMove(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1); }

void Click(int x, int y, bool right) {
    MouseDown(x, y, right);
    MouseUp(x, y, right);
    ParkPointer();
}

bool ClickWindow(HWND window, bool right) {
    RECT rect;
    if (!window || !GetWindowRect(window, &rect))
        return false;
    Click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, right);
    return true;
}

namespace {

bool InMoveSize(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return thread && GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE);
}

}  // namespace

void Drag(int fromX, int fromY, int toX, int toY, HWND moving) {
    MouseDown(fromX, fromY);
    // A press on a frame or a caption starts the window's move-or-size loop, which takes the moves
    // from where the pointer is when it starts: moving earlier would lose them.
    if (moving)
        WaitUntil([&] { return InMoveSize(moving); }, 2000);
    const int steps = 8;
    for (int i = 1; i <= steps; ++i)
        MouseMove(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
    MouseUp(toX, toY);
    if (moving)
        WaitUntil([&] { return !InMoveSize(moving); }, 5000);
    ParkPointer();
}

}  // namespace e2e
