// Hands a URL or a file to the desktop shell's "open" action (the default browser, ...).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// The longest target, in UTF-16 characters (what the shell counts), that the shell takes safely.
size_t ShellOpenLimit();
// The target's length as the shell counts it: its code page text as UTF-16 characters.
size_t ShellTargetLength(const std::string& target);

// True when the shell accepted it (a result above 32). A target beyond ShellOpenLimit is never
// handed over: false.
bool ShellOpen(HWND owner, const std::string& target, int showCommand = SW_SHOW);
