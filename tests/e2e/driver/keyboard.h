// Real keyboard input (SendInput) for the window that has the foreground.
#pragma once

#include <string>

namespace e2e {

// Types text given in code page 932: ASCII with the keys of the keyboard (Shift where the character
// needs it, so a key hook sees ordinary key-down messages), everything else as Unicode key input,
// which the target receives as the same code page 932 characters. "\n" presses Return, "\t" Tab.
bool TypeText(const std::string& cp932);

// Presses chords one after the other, separated by spaces: "Ctrl+X Ctrl+C", "Escape W",
// "Shift+Comma", "Return", "Up", "Ctrl+Space". Modifiers: Ctrl, Shift, Alt. Keys: a letter or digit,
// a punctuation character, or a name (Return, Escape, Tab, Space, Backspace, Delete, Insert, Home,
// End, PageUp, PageDown, Up, Down, Left, Right, F1-F12, Comma, Period, Minus, Plus, Slash).
// False (and nothing pressed) when a name is unknown.
bool PressKeys(const std::string& chords);

// Releases every modifier, in case a failed test left one down.
void ReleaseModifiers();

}  // namespace e2e
