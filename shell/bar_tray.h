// The notification-area icon with its menu, the global hotkey and the taskbar button: the ways
// back to a bar that is out of sight.
#pragma once

#include <windows.h>

#include "platform/hotkey.h"
#include "platform/tray_icon.h"
#include "shell/bar_settings.h"
#include "shell/bar_visibility.h"

class CDialog;

class BarTray {
public:
    BarTray(const CDialog& owner, const BarSettings& barSettings, BarVisibility& barVisibility);

    // A tool window has no taskbar button unless the app-window style gives it one.
    void ApplyTaskbarButton();
    // An icon the shell refuses is asked for again a few times in the first minute and whenever
    // the shell restarts; until it is there the bar keeps its taskbar button.
    bool AddTrayIcon();
    // The "タスクトレイに常駐" box: the taskbar button goes or comes back, and so does the icon.
    void SetTaskTrayMode(int on);
    // Whether hiding takes the bar to the notification area: the mode is on and the icon is there.
    bool HidesToTray() const;
    // With the keys of the settings; an earlier registration is given up first. False when the
    // combination is taken.
    bool RegisterBarHotkey();
    // Registers this combination (a hot-key control's flags) instead; when it is taken, the one of
    // the settings again, and false.
    bool TryHotkey(UINT key, UINT controlFlags);
    void ReleaseTrayAndHotkey();

    // The hotkey, the icon's callback, the taskbar-button switch and the shell's restart. True
    // when taken.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void SwitchTaskbarButton(bool taskbarButton);
    // Asks for the taskbar-button switch when the button is not as the icon wants it.
    void MatchTaskbarButton();
    void RetryTrayIcon();
    void KeepReachable();
    void OnTrayCallback(LPARAM mouseMessage);
    void ShowTrayMenu();
    HWND Window() const;

    const CDialog& bar;
    const BarSettings& settings;
    BarVisibility& visibility;
    TrayIcon trayIcon;
    Hotkey hotkey;
    int iconTries = 0;
    bool switchPosted = false;
};
