// A read-only view of a long text that keeps growing at its end: the command output a window shows
// while megabytes stream in. To its user it is a read-only multi-line edit box whose long lines
// wrap: a vertical scroll bar, the wheel and the scrolling keys, selection with the mouse and
// Shift, Ctrl+A and Ctrl+C, and a menu with the same two. To code it answers the edit box's
// messages for text, selection, line count and scrolling (WM_SETTEXT, WM_GETTEXT,
// WM_GETTEXTLENGTH, EM_SETSEL, EM_GETSEL, EM_REPLACESEL, EM_GETLINECOUNT, EM_LINESCROLL,
// EM_GETFIRSTVISIBLELINE).
//
// An edit box lays out and paints by walking all its lines, so under Wine each addition to a text
// of megabytes takes a tenth of a second or more; this view adds text in time that grows with the
// addition alone and paints only the lines on the screen.
#pragma once

#include <windows.h>

// The window class of the view, for dialog templates.
constexpr char kOutputViewClass[] = "PavraOutputView";

// Registers the class once per process; true when it is registered.
bool RegisterOutputView();
