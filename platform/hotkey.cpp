#include "platform/hotkey.h"

#include <commctrl.h>

UINT HotkeyControlToModifiers(UINT controlFlags) {
    UINT modifiers = 0;
    if (controlFlags & HOTKEYF_ALT)
        modifiers |= MOD_ALT;
    if (controlFlags & HOTKEYF_CONTROL)
        modifiers |= MOD_CONTROL;
    if (controlFlags & HOTKEYF_SHIFT)
        modifiers |= MOD_SHIFT;
    return modifiers;
}

bool Hotkey::Register(HWND window, int id, UINT modifiers, UINT key) {
    Unregister();
    if (!RegisterHotKey(window, id, modifiers, key))
        return false;
    window_ = window;
    id_ = id;
    return true;
}

void Hotkey::Unregister() {
    if (!window_)
        return;
    UnregisterHotKey(window_, id_);
    window_ = nullptr;
}
