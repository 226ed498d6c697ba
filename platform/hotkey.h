// A global hotkey registered for one window, withdrawn when its owner goes.
#pragma once

#include <windows.h>

#include <string>

// The registration modifiers (MOD_*) for the flags a hot-key control reports (HOTKEYF_*).
// The control's extended-key flag has no registration counterpart and is dropped.
UINT HotkeyControlToModifiers(UINT controlFlags);
// The combination as a user reads it: "Ctrl+Shift+C", "Alt+F2" (a hot-key control's flags).
std::string HotkeyName(UINT key, UINT controlFlags);

class Hotkey {
public:
    Hotkey() = default;
    ~Hotkey() { Unregister(); }

    Hotkey(const Hotkey&) = delete;
    Hotkey& operator=(const Hotkey&) = delete;

    // Registers key with modifiers (MOD_*) for window under id; an earlier registration of this
    // owner is withdrawn first. False when the platform refuses (the key is taken elsewhere).
    bool Register(HWND window, int id, UINT modifiers, UINT key);
    void Unregister();
    bool IsRegistered() const { return window_ != nullptr; }

private:
    HWND window_ = nullptr;
    int id_ = 0;
};
