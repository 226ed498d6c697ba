// An icon in the desktop's notification area, removed when its owner goes.
#pragma once

#include <windows.h>
#include <shellapi.h>

class TrayIcon {
public:
    TrayIcon() = default;
    ~TrayIcon() { Remove(); }

    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Shows icon with tip for window; clicks come back as callbackMessage (lParam: the mouse
    // message). A second call replaces the first icon. False when the shell refuses it.
    bool Add(HWND window, UINT id, UINT callbackMessage, HICON icon, const char* tip);
    // Puts the icon back after the shell restarted and forgot it. False when none is wanted
    // or the shell refuses.
    bool Restore();
    void Remove();
    bool IsAdded() const { return added_; }

    // The shell's Shell_NotifyIconA, or (null) the shell's own again: a test puts a shell that
    // refuses in its place.
    using ShellCall = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
    static void SetShellCall(ShellCall call);

private:
    NOTIFYICONDATAA data_{};
    bool added_ = false;
};
