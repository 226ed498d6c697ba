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

namespace {

// Letters, digits and function keys by their caps; any other key by the keyboard's own name.
std::string KeyName(UINT key, bool extended) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24)
        return "F" + std::to_string(key - VK_F1 + 1);
    char name[64] = "";
    LONG scan = static_cast<LONG>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    if (extended)
        scan |= 1 << 24;
    if (scan && GetKeyNameTextA(scan, name, sizeof name) > 0)
        return name;
    char code[8];
    wsprintfA(code, "0x%02X", key & 0xFF);
    return code;
}

}  // namespace

std::string HotkeyName(UINT key, UINT controlFlags) {
    std::string name;
    if (controlFlags & HOTKEYF_CONTROL)
        name += "Ctrl+";
    if (controlFlags & HOTKEYF_ALT)
        name += "Alt+";
    if (controlFlags & HOTKEYF_SHIFT)
        name += "Shift+";
    return name + KeyName(key, (controlFlags & HOTKEYF_EXT) != 0);
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
