#include "mouse.h"

namespace e2e {

namespace {

// Absolute positions are given in 0..65535 across the primary screen.
INPUT MouseInput(int x, int y, DWORD flags)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((static_cast<long long>(x) * 65535 + (width - 1) / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((static_cast<long long>(y) * 65535 + (height - 1) / 2) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void Send(INPUT input)
{
    SendInput(1, &input, sizeof input);
}

}  // namespace

void MouseMove(int x, int y)
{
    Send(MouseInput(x, y, 0));
}

void MouseDown(int x, int y, bool right)
{
    MouseMove(x, y);
    Send(MouseInput(x, y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN));
}

void MouseUp(int x, int y, bool right)
{
    Send(MouseInput(x, y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP));
}

void Click(int x, int y, bool right)
{
    MouseDown(x, y, right);
    MouseUp(x, y, right);
}

bool ClickWindow(HWND window, bool right)
{
    RECT rect;
    if (!window || !GetWindowRect(window, &rect))
        return false;
    Click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, right);
    return true;
}

void Drag(int fromX, int fromY, int toX, int toY)
{
    MouseDown(fromX, fromY);
    const int steps = 8;
    for (int i = 1; i <= steps; ++i)
        MouseMove(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
    MouseUp(toX, toY);
}

}  // namespace e2e
