// The messages of the command output window. The text messages are sent on the window's own
// thread; wParam points at a NUL-terminated text, lParam is 0.
#pragma once

#include <windows.h>

// Replaces the window's whole text and scrolls to its last line.
constexpr UINT kSetOutputMessage = WM_APP + 1;
// Adds text at the end and scrolls to the last line.
constexpr UINT kAppendOutputMessage = WM_APP + 2;
// Posted by the interpreter link when new output waits; the window fetches it on its own thread.
constexpr UINT kOutputReadyMessage = WM_APP + 3;
