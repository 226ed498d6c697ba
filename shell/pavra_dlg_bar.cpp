// The bar's geometry: its fixed height, its place at start, its z-order and taskbar button,
// minimising and closing.
#include <windows.h>

#include "platform/work_area.h"
#include "shell/pavra_dlg.h"

int CpavraDlg::BarHeight() const {
    if (visibility == RolledUp)
        return 12;
    return settingsOpen ? 169 : 49;
}

int CpavraDlg::FrameHeight() const {
    RECT window, client;
    GetWindowRect(hwnd(), &window);
    GetClientRect(hwnd(), &client);
    return (window.bottom - window.top) - client.bottom;
}

// Whatever asks for a new height gets the bar's own; the top edge stays and the width is free.
void CpavraDlg::ApplyHeightRule(WINDOWPOS* pos) {
    if ((pos->flags & SWP_NOSIZE) || iconic)
        return;
    RECT window;
    GetWindowRect(hwnd(), &window);
    if (pos->cy == window.bottom - window.top)
        return;
    pos->y = window.top;
    pos->cy = FrameHeight() + BarHeight();
}

void CpavraDlg::PlaceBar() {
    RECT r = ScreenRect();
    RECT a = WorkArea().value_or(RECT{0, 0, r.right, r.bottom});
    int width = r.right - r.left, height = r.bottom - r.top;
    int y = settings[BarSettings::DialogTopPos] ? 0 : ((a.bottom - a.top) - height) / 2;
    int x = ((a.right - a.left) - width) / 2;
    // Size first: the height rule keeps the top edge of a size change where it is.
    SetWindowPos(hwnd(), nullptr, 0, 0, width, FrameHeight() + 49, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(hwnd(), settings[BarSettings::DialogTopMost] ? HWND_TOPMOST : HWND_NOTOPMOST, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
}

// A tool window has no taskbar button unless the app-window style gives it one.
void CpavraDlg::ApplyTaskbarButton() {
    LONG_PTR exStyle = GetWindowLongPtrA(hwnd(), GWL_EXSTYLE);
    if (settings[BarSettings::DialogTaskTray])
        exStyle &= ~static_cast<LONG_PTR>(WS_EX_APPWINDOW);
    else
        exStyle |= WS_EX_APPWINDOW;
    SetWindowLongPtrA(hwnd(), GWL_EXSTYLE, exStyle);
}

void CpavraDlg::ApplyTopMost() {
    SetWindowPos(hwnd(), settings[BarSettings::DialogTopMost] ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CpavraDlg::MinimizeBar() {
    visibility = Minimized;
    ShowWindow(hwnd(), SW_MINIMIZE);
}

void CpavraDlg::CloseBar() { Quit(); }
