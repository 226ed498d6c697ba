#include "shell/bar_visibility.h"

#include <optional>
#include <utility>

#include "platform/dialog.h"
#include "platform/work_area.h"

namespace {

// Posted to look at the foreground again after the bar was told it loses activation.
const UINT kActivationCheckMessage = WM_APP + 3;
// Posted when the bar goes out of sight: a press of the mouse is ended once the button that
// reported it has finished taking the mouse.
const UINT kEndMousePressMessage = WM_APP + 4;
const int kClosedHeight = 49;
// The settings area below the answer line is seen whole at this height.
const int kOpenHeight = 169;

void SetOpacity(HWND window, int alpha) {
    SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

bool IsButton(HWND window) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, "Button") == 0;
}

}  // namespace

BarVisibility::BarVisibility(const CDialog& owner, const BarSettings& barSettings,
                             const int& settingsOpenFlag, const bool& readyFlag, ModeHooks modeHooks)
    : bar(owner),
      settings(barSettings),
      settingsOpen(settingsOpenFlag),
      ready(readyFlag),
      hooks(std::move(modeHooks)) {}

HWND BarVisibility::Window() const { return bar.hwnd(); }

int BarVisibility::ClientHeight(int state, bool open) {
    if (state == RolledUp)
        return kTitleStripHeight;
    return open ? kOpenHeight : kClosedHeight;
}

bool BarVisibility::KeepHeight(WINDOWPOS& pos, const RECT& window, int frame, int height) {
    if ((pos.flags & SWP_NOSIZE) || pos.cy == window.bottom - window.top)
        return false;
    pos.y = window.top;
    pos.cy = frame + height;
    return true;
}

int BarVisibility::BarHeight() const { return bar.Scaled(ClientHeight(visibility, settingsOpen != 0)); }

int BarVisibility::FrameHeight() const {
    RECT window, client;
    GetWindowRect(Window(), &window);
    GetClientRect(Window(), &client);
    return (window.bottom - window.top) - client.bottom;
}

// Resizes to frame + height, keeping place, width and z-order.
void BarVisibility::SetClientHeight(int height) {
    RECT window;
    GetWindowRect(Window(), &window);
    SetWindowPos(Window(), nullptr, 0, 0, window.right - window.left, FrameHeight() + height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Whatever asks for a new height gets the bar's own; the top edge stays and the width is free.
// A minimised window keeps the platform's own size, on the way down and on the way back.
void BarVisibility::ApplyHeightRule(WINDOWPOS* pos) {
    if (iconic || IsIconic(Window()))
        return;
    RECT window;
    GetWindowRect(Window(), &window);
    KeepHeight(*pos, window, FrameHeight(), BarHeight());
}

// With "上辺貼付き" a drag moves the bar only sideways along the top of the work area of the
// monitor under it, never under a taskbar there.
void BarVisibility::KeepTopEdge(RECT* dragged) const {
    if (!settings[BarSettings::DialogTopPos])
        return;
    LONG top = TopEdgeOf(*dragged, DisplayMonitors());
    dragged->bottom += top - dragged->top;
    dragged->top = top;
}

// A bar whose title strip lies on no monitor's work area (its monitor went away, the resolution
// dropped, the taskbar moved over it) comes back onto the nearest one, its size kept. A bar
// dragged half over an edge with its strip still on a screen stays where the user put it.
void BarVisibility::BringBackOnScreen() {
    if (!ready || IsIconic(Window()))
        return;
    RECT window, client;
    GetWindowRect(Window(), &window);
    GetClientRect(Window(), &client);
    POINT origin = {0, 0};
    ClientToScreen(Window(), &origin);
    RECT strip = {origin.x, origin.y, origin.x + client.right, origin.y + bar.Scaled(kTitleStripHeight)};
    std::optional<RECT> place =
        RescuedBar(window, strip, DisplayMonitors(), settings[BarSettings::DialogTopPos] != 0);
    if (place)
        SetWindowPos(Window(), nullptr, place->left, place->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The platform's own handling follows the activation messages and the size changes.
bool BarVisibility::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    result = FALSE;
    switch (message) {
    case WM_WINDOWPOSCHANGING: ApplyHeightRule(reinterpret_cast<WINDOWPOS*>(lParam)); return false;
    case WM_WINDOWPOSCHANGED: iconic = IsIconic(Window()) != FALSE; return false;
    case WM_NCACTIVATE: OnActivationChange(wParam != FALSE); return false;
    case WM_ACTIVATEAPP:
        // Another program took over while one of the mode's windows was active, not the bar.
        if (!wParam && MayRollUp())
            RollUp();
        return false;
    case WM_MOVING:
        KeepTopEdge(reinterpret_cast<RECT*>(lParam));
        result = TRUE;
        return true;
    case kActivationCheckMessage:
        if (MayRollUp())
            RollUpUnlessCompanion();
        result = TRUE;
        return true;
    case kEndMousePressMessage:
        ReleaseMouse();
        result = TRUE;
        return true;
    case WM_DISPLAYCHANGE: BringBackOnScreen(); return false;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA)
            BringBackOnScreen();
        return false;
    default: return false;
    }
}

// Another window became active, or the bar did. Losing activation to another window rolls the
// unpinned bar up; gaining it unrolls it.
void BarVisibility::OnActivationChange(bool active) {
    if (!ready)
        return;
    if (!active) {
        if (!MayRollUp())
            return;
        if (GetForegroundWindow() != Window())
            RollUpUnlessCompanion();
        else
            // Some platforms (Wine) tell before they switch to a window of the bar's own thread, a
            // dialog of the bar: look again once the switch is done.
            PostMessageA(Window(), kActivationCheckMessage, 0, 0);
    } else if (visibility == RolledUp) {
        Unroll();
    } else if (visibility == Minimized) {
        visibility = Normal;
    }
}

// Pinned, hidden, minimised or already rolled up, the bar stays as it is. A bar not yet shown is
// only drawn inactive when it takes the focus at start without the foreground: that is no loss.
bool BarVisibility::MayRollUp() const {
    return ready && !settings[BarSettings::DialogPinFixed] && visibility == Normal &&
           IsWindowVisible(Window());
}

// A mode's companion window is part of the bar: rolling up would hide it under the user's click.
// A dialog of the bar disables the bar while it runs, and counts as another window.
void BarVisibility::RollUpUnlessCompanion() {
    HWND foreground = GetForegroundWindow();
    if (foreground == Window())
        return;
    if (foreground && GetWindow(foreground, GW_OWNER) == Window() && IsWindowEnabled(Window()))
        return;
    RollUp();
}

void BarVisibility::RollUp() {
    visibility = RolledUp;
    hooks.leave();
    SetClientHeight(bar.Scaled(kTitleStripHeight));
    SetOpacity(Window(), settings[BarSettings::DialogTransparency]);
}

void BarVisibility::Unroll() {
    visibility = Unrolling;
    SetClientHeight(BarHeight());
    hooks.enter();
    SetOpacity(Window(), 255);
    visibility = Normal;
}

// A title button acts while the mouse is still down on it and keeps the mouse: a bar that went
// away under it would send its next click, anywhere, to that button. Some platforms (Wine) let the
// button take the mouse only after it has reported the press, so the press is ended again once
// that is done.
void BarVisibility::EndMousePress() const {
    ReleaseMouse();
    PostMessageA(Window(), kEndMousePressMessage, 0, 0);
}

void BarVisibility::ReleaseMouse() const {
    HWND captured = GetCapture();
    if (captured && (captured == Window() || IsChild(Window(), captured)))
        ReleaseCapture();
    // Nor is any button of the bar left drawn pushed.
    for (HWND child = GetWindow(Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsButton(child) && (SendMessageA(child, BM_GETSTATE, 0, 0) & BST_PUSHED))
            SendMessageA(child, BM_SETSTATE, FALSE, 0);
    }
}

// In notification-area mode the bar and the mode's windows only hide; the icon brings them back.
void BarVisibility::Hide() {
    visibility = Hidden;
    EndMousePress();
    hooks.showWindows(SW_HIDE);
    ShowWindow(Window(), SW_HIDE);
}

void BarVisibility::Minimize() {
    visibility = Minimized;
    EndMousePress();
    ShowWindow(Window(), SW_MINIMIZE);
}

// Taking the foreground unrolls a rolled-up bar. A visible bar stays as it is; a minimised one
// comes back from the taskbar, which showing alone would leave where it is.
void BarVisibility::Show() {
    BringBackOnScreen();
    ShowWindow(Window(), IsIconic(Window()) ? SW_RESTORE : SW_SHOW);
    hooks.showWindows(SW_SHOW);
    SetForegroundWindow(Window());
    visibility = Normal;
}
