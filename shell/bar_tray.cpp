#include "shell/bar_tray.h"

#include "platform/dialog.h"
#include "resources/resource.h"

namespace {

// Posted by the "タスクトレイに常駐" box; wParam 1 removes the taskbar button, 0 adds it.
const UINT kTaskbarButtonMessage = WM_APP + 1;
// The notification-area icon's callback; lParam is the mouse message.
const UINT kTrayMessage = WM_APP + 2;
const UINT kTrayIconId = 100;
const int kHotkeyId = 0;

// Sent to every top-level window when the desktop's shell (re)starts and has forgotten the icons.
UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void SetAppWindowStyle(HWND window, bool taskbarButton) {
    LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    if (taskbarButton)
        exStyle |= WS_EX_APPWINDOW;
    else
        exStyle &= ~static_cast<LONG_PTR>(WS_EX_APPWINDOW);
    SetWindowLongPtrA(window, GWL_EXSTYLE, exStyle);
}

}  // namespace

BarTray::BarTray(const CDialog& owner, const BarSettings& barSettings, BarVisibility& barVisibility)
    : bar(owner), settings(barSettings), visibility(barVisibility) {}

HWND BarTray::Window() const { return bar.hwnd(); }

void BarTray::ApplyTaskbarButton() {
    SetAppWindowStyle(Window(), settings[BarSettings::DialogTaskTray] == 0);
}

// The style takes effect only on a hidden window: hide, switch, show.
void BarTray::SwitchTaskbarButton(bool taskbarButton) {
    visibility.visibility = BarVisibility::Hidden;
    visibility.EndMousePress();
    ShowWindow(Window(), SW_HIDE);
    SetAppWindowStyle(Window(), taskbarButton);
    SetWindowPos(Window(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ShowWindow(Window(), SW_SHOW);
    // The user is at the bar: it takes back the foreground that hiding gave away, or the desktop
    // keeps it and the bar rolls up under the user's hand.
    SetForegroundWindow(Window());
    visibility.visibility = BarVisibility::Normal;
}

bool BarTray::AddTrayIcon() {
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PAVRA),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    return trayIcon.Add(Window(), kTrayIconId, kTrayMessage, icon, "Pavra");
}

void BarTray::SetTaskTrayMode(int on) {
    PostMessageA(Window(), kTaskbarButtonMessage, on, 0);
    if (on)
        AddTrayIcon();
    else
        trayIcon.Remove();
}

void BarTray::OnTrayCallback(LPARAM mouseMessage) {
    if (mouseMessage == WM_LBUTTONDOWN)
        visibility.Show();
    else if (mouseMessage == WM_RBUTTONDOWN)
        ShowTrayMenu();
}

// The icon's menu: one item, "終了(&E)", which quits (WM_COMMAND 32772).
void BarTray::ShowTrayMenu() {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU));
    if (!menu)
        return;
    ShowWindow(Window(), SW_SHOW);
    SetForegroundWindow(Window());
    POINT cursor = {};
    GetCursorPos(&cursor);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Window(), nullptr);
    // Without a message after it, the menu would stay open once the user clicks elsewhere.
    PostMessageA(Window(), WM_NULL, 0, 0);
    DestroyMenu(menu);
    visibility.visibility = BarVisibility::Normal;
}

// A key taken by another program (a second copy of Pavra) leaves the bar without a hotkey,
// silently.
void BarTray::RegisterBarHotkey() {
    hotkey.Unregister();
    UINT modifiers = HotkeyControlToModifiers(static_cast<UINT>(settings[BarSettings::HotkeyMod]));
    hotkey.Register(Window(), kHotkeyId, modifiers, static_cast<UINT>(settings[BarSettings::HotkeyKey]));
}

void BarTray::ReleaseTrayAndHotkey() {
    trayIcon.Remove();
    hotkey.Unregister();
}

bool BarTray::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_HOTKEY:
        if (static_cast<int>(wParam) == kHotkeyId)
            visibility.Show();
        return true;
    case kTaskbarButtonMessage: SwitchTaskbarButton(wParam == 0); return true;
    case kTrayMessage: OnTrayCallback(lParam); return true;
    default:
        if (message != TaskbarCreatedMessage() || !settings[BarSettings::DialogTaskTray])
            return false;
        // The shell restarted: without its icon a bar in the notification area is lost.
        if (!trayIcon.Restore())
            AddTrayIcon();
        return true;
    }
}
