// The bar's place on the screen, its z-order, the ways it goes out of sight, the detailed
// settings and the system menu's commands.
#include <windows.h>

#include "platform/work_area.h"
#include "resources/resource.h"
#include "shell/about_dlg.h"
#include "shell/pavra_dlg.h"
#include "shell/pavra_param_dlg.h"

// Centred in the primary monitor's work area from the template's size (or at its top edge), so
// that a taskbar along the top or the left does not cover it; the bar's position is never stored.
void CpavraDlg::PlaceBar() {
    RECT r = ScreenRect();
    RECT a = WorkArea().value_or(RECT{0, 0, r.right, r.bottom});
    int width = r.right - r.left, height = r.bottom - r.top;
    POINT at = StartPosition({width, height}, a, settings[BarSettings::DialogTopPos] != 0);
    // Size first: the height rule keeps the top edge of a size change where it is.
    SetWindowPos(
        hwnd(), nullptr, 0, 0, width,
        barVisibility.FrameHeight() + Scaled(BarVisibility::ClientHeight(BarVisibility::Normal, false)),
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyTopMost();
}

void CpavraDlg::ApplyTopMost() {
    SetWindowPos(hwnd(), settings[BarSettings::DialogTopMost] ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CpavraDlg::OnBarMoved() {
    if (!ready)
        return;
    if (CpavraModeBase* mode = CurrentMode())
        mode->FollowMainWindow(ScreenRect());
    if (settings[BarSettings::DialogTopMost])
        ApplyTopMost();
}

void CpavraDlg::MinimizeBar() {
    if (settings[BarSettings::DialogTaskTray])
        barVisibility.Hide();
    else
        barVisibility.Minimize();
}

void CpavraDlg::CloseBar() {
    if (settings[BarSettings::DialogTaskTray])
        barVisibility.Hide();
    else
        Quit();
}

void CpavraDlg::OpenDetailedSettings() {
    CpavraParamDlg dialog;
    dialog.hotkeyKey = static_cast<uint16_t>(settings[BarSettings::HotkeyKey]);
    dialog.hotkeyModifiers = static_cast<uint16_t>(settings[BarSettings::HotkeyMod]);
    if (dialog.DoModal(hwnd()) == IDOK) {
        settings[BarSettings::HotkeyKey] = dialog.hotkeyKey;
        settings.Write(BarSettings::HotkeyKey);
        settings[BarSettings::HotkeyMod] = dialog.hotkeyModifiers;
        settings.Write(BarSettings::HotkeyMod);
        tray.RegisterBarHotkey();
    }
    FocusInput();
}

bool CpavraDlg::OnSysCommand(WPARAM command) {
    switch (command & 0xFFF0) {
    case SC_MINIMIZE: MinimizeBar(); return true;
    case SC_CLOSE: CloseBar(); return true;
    case IDM_ABOUTBOX: {
        CAboutDlg about;
        about.DoModal(hwnd());
        return true;
    }
    case IDM_QUIT: Quit(); return true;
    default: return false;
    }
}

// The top-most band is claimed again on every paint; a minimised bar shows its icon.
bool CpavraDlg::OnPaint() {
    if (!IsIconic(hwnd())) {
        ApplyTopMost();
        return false;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd(), &paint);
    RECT client;
    GetClientRect(hwnd(), &client);
    int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon.Get());
    EndPaint(hwnd(), &paint);
    return true;
}

// The bar moved to a display of another DPI; its fonts and template places are scaled already.
// The bitmaps, the height and the layout follow; the suggested rectangle gives place and width.
void CpavraDlg::OnDpiChanged(const RECT& suggested) {
    titleStrip.LoadBitmaps(Dpi(), settingsOpen != 0);
    // Size first: the height rule keeps the top edge of a size change where it is.
    SetWindowPos(hwnd(), nullptr, 0, 0, suggested.right - suggested.left,
                 barVisibility.FrameHeight() + barVisibility.BarHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(hwnd(), &client);
    LayoutBar(client.right);
    if (CpavraModeBase* mode = CurrentMode())
        mode->FollowMainWindow(ScreenRect());
}
