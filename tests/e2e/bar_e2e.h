// What the tests of the bar's placement, roll-up, notification area and hotkey look at from outside.
#pragma once

#include "pavra_driver.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windows.h>

#include <string>

namespace e2e {

constexpr UINT kTrayCallback = WM_APP + 2;
constexpr UINT kTrayIconId = 100;

// Asks the shell to change the bar's icon: it refuses for an icon it does not hold.
inline bool TrayIconShown(HWND bar) {
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof data;
    data.hWnd = bar;
    data.uID = kTrayIconId;
    data.uFlags = NIF_TIP;
    lstrcpyA(data.szTip, "Pavra");
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

inline bool RemoveTrayIcon(HWND bar) {
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof data;
    data.hWnd = bar;
    data.uID = kTrayIconId;
    return Shell_NotifyIconA(NIM_DELETE, &data) != FALSE;
}

// The bar's opacity (0-255), or -1 when it is not layered.
inline int Opacity(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))
        return -1;
    return alpha;
}

inline bool HasTaskbarButton(HWND window) { return (ExStyleOf(window) & WS_EX_APPWINDOW) != 0; }

inline bool TopMost(HWND window) { return (ExStyleOf(window) & WS_EX_TOPMOST) != 0; }

// A popup menu the program opened (system menu, notification-area menu), or null.
inline HWND OpenMenu(const AppProcess& process) {
    for (HWND window : process.Windows()) {
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) == "#32768" && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

// The pavra section with the given lines ("Key=Value\r\n" each).
inline std::string PavraIni(const std::string& lines) { return "[pavra]\r\n" + lines; }

// Without a window manager Wine sometimes hands the foreground to the desktop on its own (a window
// of another process mapped, the X focus moving), and an unpinned bar then rolls up as it must.
// Tests of other things pin the bar so that it stays where the next click expects it.
constexpr char kPinned[] = "DialogPinFixed=1\r\n";

inline bool InMoveOrSize(const AppProcess& process) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(process.ThreadId(), &info) && (info.flags & GUI_INMOVESIZE);
}

// Drags at a user's pace: the program's move or size loop must have started before the mouse
// moves on, or it sees only the release.
inline bool DragSlowly(const AppProcess& process, POINT from, POINT to) {
    MouseDown(from.x, from.y);
    if (!WaitUntil([&] { return InMoveOrSize(process); }, 3000)) {
        MouseUp(from.x, from.y);
        return false;
    }
    const int steps = 10;
    for (int i = 1; i <= steps; ++i) {
        MouseMove(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
        Sleep(30);
    }
    Sleep(100);
    MouseUp(to.x, to.y);
    return WaitUntil([&] { return !InMoveOrSize(process); }, 3000);
}

// Opens the settings area below the answer line and waits until the bar has grown to show it.
inline ::testing::AssertionResult OpenSettingsArea(PavraBar& bar) {
    ::testing::AssertionResult clicked = bar.Click(IDC_SETTINGS_TOGGLE);
    if (!clicked)
        return clicked;
    if (!WaitUntil([&] { return bar.ClientSize().cy == 169; }))
        return ::testing::AssertionFailure()
               << "the settings area did not open: client height " << bar.ClientSize().cy;
    return ::testing::AssertionSuccess();
}

// Opens "Pavra詳細設定" from the settings area (open or not) and returns it once its hot-key
// control has the focus.
inline HWND OpenHotkeyDialog(PavraBar& bar) {
    if ((bar.ClientSize().cy != 169 && !OpenSettingsArea(bar)) || !bar.Click(IDC_DETAIL))
        return nullptr;
    HWND dialog = nullptr;
    WaitUntil([&] {
        dialog = bar.FindWindowByTitle("Pavra詳細設定", "#32770");
        return dialog && IsWindowVisible(dialog) && FocusOf(dialog) == GetDlgItem(dialog, IDC_HOTKEY);
    });
    return dialog && FocusOf(dialog) == GetDlgItem(dialog, IDC_HOTKEY) ? dialog : nullptr;
}

// The combination the dialog's hot-key control shows: the key in the low byte, the flags above.
inline WORD Combination(HWND dialog) {
    return LOWORD(SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
}

// True when predicate still does not hold after ms: for what must not happen.
template <typename Predicate>
bool StaysFalse(Predicate predicate, int ms = 1500) {
    return !WaitUntil(predicate, ms);
}

}  // namespace e2e
