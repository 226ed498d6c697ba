#include "keyboard.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace e2e {

namespace {

struct Chord {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    WORD key = 0;
};

bool IsExtended(WORD key) {
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_RCONTROL:
    case VK_RMENU: return true;
    default: return false;
    }
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtended(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

INPUT UnicodeInput(wchar_t unit, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

void AddChord(std::vector<INPUT>& inputs, const Chord& chord) {
    if (chord.ctrl)
        inputs.push_back(KeyInput(VK_CONTROL, false));
    if (chord.alt)
        inputs.push_back(KeyInput(VK_MENU, false));
    if (chord.shift)
        inputs.push_back(KeyInput(VK_SHIFT, false));
    inputs.push_back(KeyInput(chord.key, false));
    inputs.push_back(KeyInput(chord.key, true));
    if (chord.shift)
        inputs.push_back(KeyInput(VK_SHIFT, true));
    if (chord.alt)
        inputs.push_back(KeyInput(VK_MENU, true));
    if (chord.ctrl)
        inputs.push_back(KeyInput(VK_CONTROL, true));
}

bool Send(std::vector<INPUT>& inputs) {
    // Small batches: the input queue takes them in order either way.
    const size_t batch = 64;
    for (size_t at = 0; at < inputs.size(); at += batch) {
        const UINT count = static_cast<UINT>(std::min(batch, inputs.size() - at));
        if (SendInput(count, &inputs[at], sizeof(INPUT)) != count)
            return false;
    }
    return true;
}

// The key of an ASCII character on the current layout, with the Shift it needs.
bool CharacterChord(char c, Chord& chord) {
    const SHORT scan = VkKeyScanA(c);
    if (scan == -1)
        return false;
    chord.key = LOBYTE(scan);
    chord.shift = chord.shift || (HIBYTE(scan) & 1);
    chord.ctrl = chord.ctrl || (HIBYTE(scan) & 2);
    chord.alt = chord.alt || (HIBYTE(scan) & 4);
    return true;
}

WORD NamedKey(const std::string& lower) {
    static const struct {
        const char* name;
        WORD key;
    } names[] = {
        {"return", VK_RETURN},   {"enter", VK_RETURN},  {"escape", VK_ESCAPE},   {"esc", VK_ESCAPE},
        {"tab", VK_TAB},         {"space", VK_SPACE},   {"backspace", VK_BACK},  {"delete", VK_DELETE},
        {"del", VK_DELETE},      {"insert", VK_INSERT}, {"home", VK_HOME},       {"end", VK_END},
        {"pageup", VK_PRIOR},    {"pagedown", VK_NEXT}, {"up", VK_UP},           {"down", VK_DOWN},
        {"left", VK_LEFT},       {"right", VK_RIGHT},   {"comma", VK_OEM_COMMA}, {"period", VK_OEM_PERIOD},
        {"minus", VK_OEM_MINUS}, {"plus", VK_OEM_PLUS}, {"slash", VK_OEM_2},
    };
    for (const auto& entry : names)
        if (lower == entry.name)
            return entry.key;
    if (lower.size() >= 2 && lower.size() <= 3 && lower[0] == 'f') {
        const int n = std::atoi(lower.c_str() + 1);
        if (n >= 1 && n <= 12)
            return static_cast<WORD>(VK_F1 + n - 1);
    }
    return 0;
}

bool ParseChord(const std::string& token, Chord& chord) {
    std::string rest = token;
    for (;;) {
        const size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size())
            break;
        std::string modifier = rest.substr(0, plus);
        for (char& c : modifier)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (modifier == "ctrl" || modifier == "control")
            chord.ctrl = true;
        else if (modifier == "shift")
            chord.shift = true;
        else if (modifier == "alt")
            chord.alt = true;
        else
            return false;
        rest = rest.substr(plus + 1);
    }
    if (rest.size() == 1) {
        const char c = rest[0];
        // A letter names its key: "Ctrl+X" and "Ctrl+x" are the same chord, without Shift.
        if (std::isalpha(static_cast<unsigned char>(c))) {
            chord.key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(c)));
            return true;
        }
        return CharacterChord(c, chord);
    }
    std::string lower = rest;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    chord.key = NamedKey(lower);
    return chord.key != 0;
}

}  // namespace

bool TypeText(const std::string& cp932) {
    if (cp932.empty())
        return true;
    const int units = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
    if (units <= 0)
        return false;
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), &wide[0], units);

    std::vector<INPUT> inputs;
    for (wchar_t unit : wide) {
        Chord chord;
        bool onKeyboard = true;
        if (unit == L'\n')
            chord.key = VK_RETURN;
        else if (unit == L'\t')
            chord.key = VK_TAB;
        else
            onKeyboard = unit >= 0x20 && unit < 0x7f && CharacterChord(static_cast<char>(unit), chord);
        if (onKeyboard) {
            AddChord(inputs, chord);
        } else {
            inputs.push_back(UnicodeInput(unit, false));
            inputs.push_back(UnicodeInput(unit, true));
        }
    }
    return Send(inputs);
}

bool PressKeys(const std::string& chords) {
    std::vector<INPUT> inputs;
    std::istringstream words(chords);
    std::string token;
    while (words >> token) {
        Chord chord;
        if (!ParseChord(token, chord))
            return false;
        AddChord(inputs, chord);
    }
    return Send(inputs);
}

void ReleaseModifiers() {
    std::vector<INPUT> inputs;
    for (WORD key : {VK_SHIFT, VK_CONTROL, VK_MENU})
        if (GetAsyncKeyState(key) & 0x8000)
            inputs.push_back(KeyInput(key, true));
    Send(inputs);
}

}  // namespace e2e
