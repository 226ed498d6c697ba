// The bar's geometry and its ways out of sight and back: the fixed height, the place at start,
// z-order and taskbar button, the top edge, rolling up, the notification-area icon, the global
// hotkey and the system menu.
#include <windows.h>

#include "platform/work_area.h"
#include "resources/resource.h"
#include "shell/about_dlg.h"
#include "shell/pavra_dlg.h"
#include "shell/pavra_param_dlg.h"

namespace {

// Posted by the "タスクトレイに常駐" box; wParam 1 removes the taskbar button, 0 adds it.
const UINT kTaskbarButtonMessage = WM_APP + 1;
// The notification-area icon's callback; lParam is the mouse message.
const UINT kTrayMessage = WM_APP + 2;
// Posted to look at the foreground again after the bar was told it loses activation.
const UINT kActivationCheckMessage = WM_APP + 3;
const UINT kTrayIconId = 100;
const int kHotkeyId = 0;
// The title strip: all that a rolled-up bar shows.
const int kTitleStripHeight = 12;
const int kClosedHeight = 49;
// The settings area below the answer line is seen whole at this height.
const int kOpenHeight = 169;

// Sent to every top-level window when the desktop's shell (re)starts and has forgotten the icons.
UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void SetOpacity(HWND window, int alpha) {
    SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
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

int CpavraDlg::BarHeight() const {
    if (visibility == RolledUp)
        return Scaled(kTitleStripHeight);
    return Scaled(settingsOpen ? kOpenHeight : kClosedHeight);
}

int CpavraDlg::FrameHeight() const {
    RECT window, client;
    GetWindowRect(hwnd(), &window);
    GetClientRect(hwnd(), &client);
    return (window.bottom - window.top) - client.bottom;
}

// Whatever asks for a new height gets the bar's own; the top edge stays and the width is free.
// A minimised window keeps the platform's own size, on the way down and on the way back.
void CpavraDlg::ApplyHeightRule(WINDOWPOS* pos) {
    if ((pos->flags & SWP_NOSIZE) || iconic || IsIconic(hwnd()))
        return;
    RECT window;
    GetWindowRect(hwnd(), &window);
    if (pos->cy == window.bottom - window.top)
        return;
    pos->y = window.top;
    pos->cy = FrameHeight() + BarHeight();
}

// Resizes to frame + height, keeping place, width and z-order.
void CpavraDlg::SetClientHeight(int height) {
    RECT window = ScreenRect();
    SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left, FrameHeight() + height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Centred in the work area from the template's size (or at the top edge); the bar's position
// is never stored.
void CpavraDlg::PlaceBar() {
    RECT r = ScreenRect();
    RECT a = WorkArea().value_or(RECT{0, 0, r.right, r.bottom});
    int width = r.right - r.left, height = r.bottom - r.top;
    int y = settings[BarSettings::DialogTopPos] ? 0 : ((a.bottom - a.top) - height) / 2;
    int x = ((a.right - a.left) - width) / 2;
    // Size first: the height rule keeps the top edge of a size change where it is.
    SetWindowPos(hwnd(), nullptr, 0, 0, width, FrameHeight() + Scaled(kClosedHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyTopMost();
}

// A tool window has no taskbar button unless the app-window style gives it one.
void CpavraDlg::ApplyTaskbarButton() {
    SetAppWindowStyle(hwnd(), settings[BarSettings::DialogTaskTray] == 0);
}

// The style takes effect only on a hidden window: hide, switch, show.
void CpavraDlg::SwitchTaskbarButton(bool taskbarButton) {
    visibility = Hidden;
    ShowWindow(hwnd(), SW_HIDE);
    SetAppWindowStyle(hwnd(), taskbarButton);
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ShowWindow(hwnd(), SW_SHOW);
    // The user is at the bar: it takes back the foreground that hiding gave away, or the desktop
    // keeps it and the bar rolls up under the user's hand.
    SetForegroundWindow(hwnd());
    visibility = Normal;
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

// With "上辺貼付き" a drag moves the bar only sideways along the top of the screen.
void CpavraDlg::KeepTopEdge(RECT* dragged) const {
    if (!settings[BarSettings::DialogTopPos])
        return;
    dragged->bottom -= dragged->top;
    dragged->top = 0;
}

// Another window became active, or the bar did. Losing activation to another window rolls the
// unpinned bar up; gaining it unrolls it.
void CpavraDlg::OnActivationChange(bool active) {
    if (!ready)
        return;
    if (!active) {
        if (!MayRollUp())
            return;
        if (GetForegroundWindow() != hwnd())
            RollUpUnlessCompanion();
        else
            // Some platforms (Wine) tell before they switch to a window of the bar's own thread, a
            // dialog of the bar: look again once the switch is done.
            PostMessageA(hwnd(), kActivationCheckMessage, 0, 0);
    } else if (visibility == RolledUp) {
        Unroll();
    } else if (visibility == Minimized) {
        visibility = Normal;
    }
}

// Pinned, hidden, minimised or already rolled up, the bar stays as it is. A bar not yet shown is
// only drawn inactive when it takes the focus at start without the foreground: that is no loss.
bool CpavraDlg::MayRollUp() const {
    return ready && !settings[BarSettings::DialogPinFixed] && visibility == Normal && IsWindowVisible(hwnd());
}

// A mode's companion window is part of the bar: rolling up would hide it under the user's click.
// A dialog of the bar disables the bar while it runs, and counts as another window.
void CpavraDlg::RollUpUnlessCompanion() {
    HWND foreground = GetForegroundWindow();
    if (foreground == hwnd())
        return;
    if (foreground && GetWindow(foreground, GW_OWNER) == hwnd() && IsWindowEnabled(hwnd()))
        return;
    RollUp();
}

void CpavraDlg::RollUp() {
    visibility = RolledUp;
    ReadDialogData();
    if (CpavraModeBase* mode = CurrentMode())
        mode->Deactivate(inputLineText);
    SetClientHeight(Scaled(kTitleStripHeight));
    SetOpacity(hwnd(), settings[BarSettings::DialogTransparency]);
}

void CpavraDlg::Unroll() {
    visibility = Unrolling;
    SetClientHeight(BarHeight());
    if (CpavraModeBase* mode = CurrentMode()) {
        mode->Activate();
        ApplyModeChanges();
    }
    SetOpacity(hwnd(), 255);
    visibility = Normal;
}

// In notification-area mode the bar and the mode's windows only hide; the icon brings them back.
void CpavraDlg::HideBar() {
    visibility = Hidden;
    if (CpavraModeBase* mode = CurrentMode())
        mode->ShowSubWindows(SW_HIDE);
    ShowWindow(hwnd(), SW_HIDE);
}

void CpavraDlg::MinimizeBar() {
    if (settings[BarSettings::DialogTaskTray]) {
        HideBar();
        return;
    }
    visibility = Minimized;
    ShowWindow(hwnd(), SW_MINIMIZE);
}

void CpavraDlg::CloseBar() {
    if (settings[BarSettings::DialogTaskTray])
        HideBar();
    else
        Quit();
}

// Taking the foreground unrolls a rolled-up bar. A visible bar stays as it is; a minimised one
// comes back from the taskbar, which showing alone would leave where it is.
void CpavraDlg::ShowBar() {
    ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
    if (CpavraModeBase* mode = CurrentMode())
        mode->ShowSubWindows(SW_SHOW);
    SetForegroundWindow(hwnd());
    visibility = Normal;
}

bool CpavraDlg::AddTrayIcon() {
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PAVRA),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    return trayIcon_.Add(hwnd(), kTrayIconId, kTrayMessage, icon, "Pavra");
}

// The "タスクトレイに常駐" box: the taskbar button goes or comes back, and so does the icon.
void CpavraDlg::SetTaskTrayMode(int on) {
    PostMessageA(hwnd(), kTaskbarButtonMessage, on, 0);
    if (on)
        AddTrayIcon();
    else
        trayIcon_.Remove();
}

void CpavraDlg::OnTrayCallback(LPARAM mouseMessage) {
    if (mouseMessage == WM_LBUTTONDOWN)
        ShowBar();
    else if (mouseMessage == WM_RBUTTONDOWN)
        ShowTrayMenu();
}

// The icon's menu: one item, "終了(&E)", which quits (WM_COMMAND 32772).
void CpavraDlg::ShowTrayMenu() {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU));
    if (!menu)
        return;
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    POINT cursor = {};
    GetCursorPos(&cursor);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd(), nullptr);
    // Without a message after it, the menu would stay open once the user clicks elsewhere.
    PostMessageA(hwnd(), WM_NULL, 0, 0);
    DestroyMenu(menu);
    visibility = Normal;
}

// A key taken by another program (a second copy of Pavra) leaves the bar without a hotkey,
// silently.
void CpavraDlg::RegisterBarHotkey() {
    UINT modifiers = HotkeyControlToModifiers(static_cast<UINT>(settings[BarSettings::HotkeyMod]));
    if (hotkey_.Register(hwnd(), kHotkeyId, modifiers, static_cast<UINT>(settings[BarSettings::HotkeyKey])))
        hotkeyRegistered = 1;
}

void CpavraDlg::ReleaseTrayAndHotkey() {
    trayIcon_.Remove();
    hotkey_.Unregister();
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
        hotkey_.Unregister();
        RegisterBarHotkey();
    }
    FocusInput();
}

// The standard menu keeps move, size, minimise and close; the bar adds About and "終了(&E)".
void CpavraDlg::BuildSystemMenu() {
    // A window without the minimise-box style gets its minimise entry greyed whenever the platform
    // refreshes the menu; the bar has no caption to show the box, only its own button.
    SetWindowLongPtrA(hwnd(), GWL_STYLE, GetWindowLongPtrA(hwnd(), GWL_STYLE) | WS_MINIMIZEBOX);
    HMENU menu = GetSystemMenu(hwnd(), FALSE);
    if (!menu)
        return;
    for (int position = 5; position >= 0; --position) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item))
            continue;
        if ((item.fType & MFT_SEPARATOR) || item.wID == SC_MAXIMIZE || item.wID == SC_RESTORE)
            DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
    }
    char about[256] = "";
    if (LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUTBOX, about, sizeof(about)) > 0) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, about);
    }
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_QUIT, "終了(&E)");
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

// The title icon opens the system menu under itself.
void CpavraDlg::ShowTitleIconMenu() {
    HMENU menu = GetSystemMenu(hwnd(), FALSE);
    if (!menu)
        return;
    SetMenuDefaultItem(menu, IDM_QUIT, FALSE);
    EnableMenuItem(menu, SC_MINIMIZE, MF_BYCOMMAND | MF_ENABLED);
    POINT point = {0, Scaled(kTitleStripHeight)};
    ClientToScreen(hwnd(), &point);
    UINT command = static_cast<UINT>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD,
                                                    point.x, point.y, 0, hwnd(), nullptr));
    if (command)
        PostMessageA(hwnd(), WM_SYSCOMMAND, command, 0);
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
    DrawIcon(dc, x, y, icon_.Get());
    EndPaint(hwnd(), &paint);
    return true;
}

// A message taken here returns TRUE: the dialog manager then leaves it alone (a system command
// that fell through would still minimise or close the bar).
INT_PTR CpavraDlg::OnBarMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
    case WM_NCACTIVATE:
        OnActivationChange(wParam != FALSE);
        handled = false;  // the platform draws the frame
        return FALSE;
    case WM_ACTIVATEAPP:
        // Another program took over while one of the mode's windows was active, not the bar.
        if (!wParam && MayRollUp())
            RollUp();
        handled = false;
        return FALSE;
    case WM_MOVING: KeepTopEdge(reinterpret_cast<RECT*>(lParam)); return TRUE;
    case WM_PAINT: handled = OnPaint(); return handled;
    case WM_SYSCOMMAND: handled = OnSysCommand(wParam); return handled;
    case WM_HOTKEY:
        if (static_cast<int>(wParam) == kHotkeyId)
            ShowBar();
        return TRUE;
    case kTaskbarButtonMessage: SwitchTaskbarButton(wParam == 0); return TRUE;
    case kTrayMessage: OnTrayCallback(lParam); return TRUE;
    case kActivationCheckMessage:
        if (MayRollUp())
            RollUpUnlessCompanion();
        return TRUE;
    default:
        if (message == TaskbarCreatedMessage() && settings[BarSettings::DialogTaskTray]) {
            // The shell restarted: without its icon a bar in the notification area is lost.
            if (!trayIcon_.Restore())
                AddTrayIcon();
            return TRUE;
        }
        handled = false;
        return FALSE;
    }
}

// The bar moved to a display of another DPI; its fonts and template places are scaled already.
// The bitmaps, the height and the layout follow; the suggested rectangle gives place and width.
void CpavraDlg::OnDpiChanged(const RECT& suggested) {
    LoadBitmaps(Dpi());
    // Size first: the height rule keeps the top edge of a size change where it is.
    SetWindowPos(hwnd(), nullptr, 0, 0, suggested.right - suggested.left, FrameHeight() + BarHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(hwnd(), &client);
    LayoutBar(client.right);
    if (CpavraModeBase* mode = CurrentMode())
        mode->FollowMainWindow(ScreenRect());
}
