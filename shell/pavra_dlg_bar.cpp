// The bar's moves, the ways it goes out of sight, the system menu's commands and a DPI change.
#include <windows.h>

#include "resources/resource.h"
#include "shell/about_dlg.h"
#include "shell/pavra_dlg.h"

void CpavraDlg::OnBarMoved() {
    if (!ready)
        return;
    if (CpavraModeBase* mode = CurrentMode())
        mode->FollowMainWindow(ScreenRect());
    if (settings[BarSettings::DialogTopMost])
        frame.ApplyTopMost();
}

// Without its icon a bar in the notification area goes to the taskbar, where it can be found.
void CpavraDlg::MinimizeBar() {
    if (tray.HidesToTray())
        barVisibility.Hide();
    else
        barVisibility.Minimize();
}

void CpavraDlg::CloseBar() {
    if (settings[BarSettings::DialogTaskTray])
        MinimizeBar();
    else
        Quit();
}

bool CpavraDlg::OnSysCommand(WPARAM command) {
    switch (command & 0xFFF0) {
    case SC_MINIMIZE: MinimizeBar(); return true;
    case SC_CLOSE: CloseBar(); return true;
    case IDM_ABOUTBOX: {
        CAboutDlg about;
        if (about.DoModal(hwnd()) == -1)
            notices.Tell(kDialogOpenFailed);
        return true;
    }
    case IDM_QUIT: Quit(); return true;
    default: return false;
    }
}

// The bar moved to a display of another DPI; its fonts and template places are scaled already.
// The bitmaps, the height and the layout follow; the suggested rectangle gives place and width.
void CpavraDlg::OnDpiChanged(const RECT& suggested) {
    titleStrip.LoadBitmaps(Dpi(), settingsArea.settingsOpen != 0);
    frame.FollowDpi(suggested);
    RECT client;
    GetClientRect(hwnd(), &client);
    LayoutBar(client.right);
    if (CpavraModeBase* mode = CurrentMode())
        mode->FollowMainWindow(ScreenRect());
}
