// The program's own error codes and their message boxes.
#pragma once

#include <windows.h>

#include <string>

// Bit 0x1000: fatal, the program ends. Bit 0x2000: reported, the caller carries on.
constexpr unsigned ErrModulePath = 0x00001001;   // the executable's own path cannot be obtained
constexpr unsigned ErrRunWindow = 0x00001002;    // the bar's modal run failed (-1) or was aborted (3)
constexpr unsigned ErrNoStartMode = 0x00001003;  // ModeIndex designates no existing mode

// Shows the message box for code and tells whether the code was fatal. Success (0) shows nothing.
bool ReportError(unsigned code);
// The box text for code; empty for success.
std::string ErrorText(unsigned code);

// The function that shows the box; tests put their own in to read the text.
using MessageBoxFunction = int (*)(HWND owner, const char* text, const char* title, UINT type);
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);
