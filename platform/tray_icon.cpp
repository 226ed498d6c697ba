#include "platform/tray_icon.h"

#include "platform/system_library.h"

namespace {

TrayIcon::ShellCall& StandIn() {
    static TrayIcon::ShellCall call = nullptr;
    return call;
}

// False when the shell library cannot be reached.
bool NotifyShell(DWORD action, NOTIFYICONDATAA* data) {
    if (StandIn())
        return StandIn()(action, data) != FALSE;
    auto notify = SystemFunction<decltype(&Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
    return notify && notify(action, data);
}

}  // namespace

void TrayIcon::SetShellCall(ShellCall call) { StandIn() = call; }

bool TrayIcon::Add(HWND window, UINT id, UINT callbackMessage, HICON icon, const char* tip) {
    Remove();
    data_ = NOTIFYICONDATAA{};
    data_.cbSize = sizeof(data_);
    data_.hWnd = window;
    data_.uID = id;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = callbackMessage;
    data_.hIcon = icon;
    lstrcpynA(data_.szTip, tip ? tip : "", sizeof(data_.szTip));
    added_ = NotifyShell(NIM_ADD, &data_);
    return added_;
}

bool TrayIcon::Restore() {
    if (!data_.hWnd)
        return false;
    // A shell that announced itself may still hold the icon: then updating it is enough.
    added_ = NotifyShell(NIM_ADD, &data_) || NotifyShell(NIM_MODIFY, &data_);
    return added_;
}

void TrayIcon::Remove() {
    if (added_)
        NotifyShell(NIM_DELETE, &data_);
    added_ = false;
    data_.hWnd = nullptr;
}
