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
    bool AddTrayIcon();
    // The "タスクトレイに常駐" box: the taskbar button goes or comes back, and so does the icon.
    void SetTaskTrayMode(int on);
    // With the keys of the settings; an earlier registration is given up first.
    void RegisterBarHotkey();
    void ReleaseTrayAndHotkey();

    // The hotkey, the icon's callback, the taskbar-button switch and the shell's restart. True
    // when taken.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void SwitchTaskbarButton(bool taskbarButton);
    void OnTrayCallback(LPARAM mouseMessage);
    void ShowTrayMenu();
    HWND Window() const;

    const CDialog& bar;
    const BarSettings& settings;
    BarVisibility& visibility;
    TrayIcon trayIcon;
    Hotkey hotkey;
};
