// Dialogs open on the monitor of the window they belong to (the bar), wholly inside its work area.
#pragma once

#include <windows.h>

// Moves window, a dialog opened over owner, inside the work area of the monitor that holds
// owner's top-level owner; where it lies within that work area already, it stays.
void KeepOnOwnersMonitor(HWND window, HWND owner);

// While it lives, the first window the system opens owned by owner (a folder picker, the open-file
// dialog) is kept on owner's monitor the same way.
class CScopedOwnedDialogFit {
public:
    explicit CScopedOwnedDialogFit(HWND owner);
    ~CScopedOwnedDialogFit();

    CScopedOwnedDialogFit(const CScopedOwnedDialogFit&) = delete;
    CScopedOwnedDialogFit& operator=(const CScopedOwnedDialogFit&) = delete;

private:
    static LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam);

    HHOOK hook_ = nullptr;
    HWND owner_ = nullptr;
    CScopedOwnedDialogFit* outer_ = nullptr;
    bool placed_ = false;
};
