// The floor of the start-up benchmark: the least a Win32 program does to show a dialog with an
// input line that answers Return (the answer line echoes the line, the input line is cleared).
#include <windows.h>

#include "floor_commands.h"

namespace {

INT_PTR CALLBACK FloorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG)
        return TRUE;
    return FloorCommand(dialog, message, wParam, 1000, 1001) ? TRUE : FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(101), nullptr, FloorProc, 0));
}
