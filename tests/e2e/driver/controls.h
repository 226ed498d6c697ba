// Reading the controls of another process's windows. Texts come back as code page 932 bytes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// A window's or control's text (WM_GETTEXT, which Wine and Windows carry across processes).
std::string WindowText(HWND window);
// Its length alone (cheap for a long line); -1 when the window does not answer.
long WindowTextLength(HWND window);
bool IsChecked(HWND button);
// The texts of a window's child controls in z-order, empty ones left out: what a message box says.
std::vector<std::string> ChildTexts(HWND window);

// Drop-down and list boxes: the selection (-1 for none), the entries.
int ComboSelection(HWND combo);
std::vector<std::string> ComboItems(HWND combo);
int ListBoxSelection(HWND list);
std::vector<std::string> ListBoxItems(HWND list);

// Rectangles: the window's on the screen, the client area's size, the client area on the screen,
// and a control's place in its parent's client coordinates.
RECT WindowRectOf(HWND window);
SIZE ClientSizeOf(HWND window);
RECT ClientRectOnScreen(HWND window);
RECT ControlRectInParent(HWND control);
// "(left,top)-(right,bottom)", for a failure message.
std::string RectText(const RECT& rect);

LONG_PTR StyleOf(HWND window);
LONG_PTR ExStyleOf(HWND window);

}  // namespace e2e
