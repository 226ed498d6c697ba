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
// An icon the shell refused is asked for again every ten seconds, six times.
const UINT_PTR kIconRetryTimer = 1;
const UINT kIconRetryMs = 10000;
const int kIconRetries = 6;

// Sent to every top-level window when the desktop's shell (re)starts and has forgotten the icons.
UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

bool HasAppWindowStyle(HWND window) {
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
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

bool BarTray::HidesToTray() const { return settings[BarSettings::DialogTaskTray] && trayIcon.IsAdded(); }

// A bar not yet shown takes the style at once; a shown one through the switch, and a minimised one
// once it is restored (hidden with no button, it could not be brought back).
void BarTray::MatchTaskbarButton() {
    const bool wanted = !HidesToTray();
    if (HasAppWindowStyle(Window()) == wanted || switchPosted)
        return;
    if (!IsWindowVisible(Window())) {
        SetAppWindowStyle(Window(), wanted);
        return;
    }
    if (IsIconic(Window()))
        return;
    switchPosted = true;
    PostMessageA(Window(), kTaskbarButtonMessage, wanted ? 0 : 1, 0);
}

bool BarTray::AddTrayIcon() {
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PAVRA),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    const bool added = trayIcon.Add(Window(), kTrayIconId, kTrayMessage, icon, "Pavra");
    if (added) {
        KillTimer(Window(), kIconRetryTimer);
    } else if (iconTries < kIconRetries) {
        SetTimer(Window(), kIconRetryTimer, kIconRetryMs, nullptr);
    }
    MatchTaskbarButton();
    return added;
}

// A hidden bar whose icon is gone goes to the taskbar, where it can be found.
void BarTray::KeepReachable() {
    if (visibility.visibility != BarVisibility::Hidden)
        return;
    SetAppWindowStyle(Window(), true);
    visibility.visibility = BarVisibility::Minimized;
    ShowWindow(Window(), SW_SHOWMINNOACTIVE);
}

void BarTray::RetryTrayIcon() {
    if (++iconTries >= kIconRetries || !settings[BarSettings::DialogTaskTray])
        KillTimer(Window(), kIconRetryTimer);
    if (settings[BarSettings::DialogTaskTray] && !trayIcon.IsAdded())
        AddTrayIcon();
}

void BarTray::SetTaskTrayMode(int on) {
    if (on) {
        AddTrayIcon();
    } else {
        trayIcon.Remove();
        KillTimer(Window(), kIconRetryTimer);
        MatchTaskbarButton();
    }
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

// A key taken by another program (a second copy of Pavra) leaves the bar without a hotkey; the
// caller tells the user.
bool BarTray::RegisterBarHotkey() {
    return TryHotkey(static_cast<UINT>(settings[BarSettings::HotkeyKey]),
                     static_cast<UINT>(settings[BarSettings::HotkeyMod]));
}

bool BarTray::TryHotkey(UINT key, UINT controlFlags) {
    if (hotkey.Register(Window(), kHotkeyId, HotkeyControlToModifiers(controlFlags), key))
        return true;
    hotkey.Register(Window(), kHotkeyId,
                    HotkeyControlToModifiers(static_cast<UINT>(settings[BarSettings::HotkeyMod])),
                    static_cast<UINT>(settings[BarSettings::HotkeyKey]));
    return false;
}

void BarTray::ReleaseTrayAndHotkey() {
    KillTimer(Window(), kIconRetryTimer);
    trayIcon.Remove();
    hotkey.Unregister();
}

bool BarTray::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_HOTKEY:
        if (static_cast<int>(wParam) == kHotkeyId)
            visibility.Show();
        return true;
    case kTaskbarButtonMessage:
        switchPosted = false;
        SwitchTaskbarButton(wParam == 0);
        return true;
    case kTrayMessage: OnTrayCallback(lParam); return true;
    case WM_TIMER:
        if (wParam != kIconRetryTimer)
            return false;
        RetryTrayIcon();
        return true;
    case WM_WINDOWPOSCHANGED:
        // A bar restored from the taskbar gives up the button that its icon made needless.
        if (!IsIconic(Window()))
            MatchTaskbarButton();
        return false;
    default:
        if (message != TaskbarCreatedMessage() || !settings[BarSettings::DialogTaskTray])
            return false;
        // The shell restarted: without its icon a bar in the notification area is lost.
        if (trayIcon.Restore())
            MatchTaskbarButton();
        else if (!AddTrayIcon())
            KeepReachable();
        return true;
    }
}
