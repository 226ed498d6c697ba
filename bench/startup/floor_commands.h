// What both floor programs do with a command: Return echoes the input line on the answer line
// and empties the input line (as the bar answers), Escape ends the dialog.
#pragma once

#include <windows.h>

// True when the message was such a command.
inline bool FloorCommand(HWND dialog, UINT message, WPARAM wParam, int input, int answer) {
    if (message != WM_COMMAND)
        return false;
    if (LOWORD(wParam) == IDOK) {
        char line[4096];
        GetDlgItemTextA(dialog, input, line, sizeof line);
        SetDlgItemTextA(dialog, answer, line);
        SetDlgItemTextA(dialog, input, "");
        return true;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return true;
    }
    return false;
}
