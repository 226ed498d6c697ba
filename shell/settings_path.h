// Where the settings file lives: beside the executable, named after it, with ".ini".
#pragma once

#include <string>

// Fills path (D:\Tools\pavra.exe gives D:\Tools\pavra.ini); returns 0 or ErrModulePath.
unsigned BuildSettingsPath(std::string* path);
// The same rule for a given executable path; empty when it cannot be split.
std::string SettingsPathFor(const std::string& executable);
