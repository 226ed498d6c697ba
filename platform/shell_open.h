// Hands a URL or a file to the desktop shell's "open" action (the default browser, ...).
#pragma once

#include <windows.h>

#include <string>

// True when the shell accepted it (a result above 32).
bool ShellOpen(HWND owner, const std::string& target, int showCommand = SW_SHOW);
