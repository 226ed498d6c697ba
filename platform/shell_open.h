// The desktop shell's "open" action: a URL or a file with the user's default handler.
#pragma once

#include <windows.h>

#include <string>

// Returns true when the shell reports success (a result greater than 32).
bool ShellOpen(const std::string& target, HWND owner, int showCommand);
