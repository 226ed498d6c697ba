#include "platform/tray_icon.h"

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
    added_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
    return added_;
}

bool TrayIcon::Restore() {
    if (!data_.hWnd)
        return false;
    // A shell that announced itself may still hold the icon: then updating it is enough.
    added_ = Shell_NotifyIconA(NIM_ADD, &data_) || Shell_NotifyIconA(NIM_MODIFY, &data_);
    return added_;
}

void TrayIcon::Remove() {
    if (added_)
        Shell_NotifyIconA(NIM_DELETE, &data_);
    added_ = false;
    data_.hWnd = nullptr;
}
