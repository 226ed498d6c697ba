// The floor of the start-up benchmark: the least a Win32 program does to show a dialog with an
// input line that answers Return (the answer line echoes the line, the input line is cleared).
#include <windows.h>

namespace {

INT_PTR CALLBACK FloorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        char line[4096];
        GetDlgItemTextA(dialog, 1000, line, sizeof line);
        SetDlgItemTextA(dialog, 1001, line);
        SetDlgItemTextA(dialog, 1000, "");
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(101), nullptr, FloorProc, 0));
}
