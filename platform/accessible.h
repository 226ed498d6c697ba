// What a screen reader learns from the windows: a control's name where it has no text of its own,
// a window's own accessible object (role, state, name, value), and the events that have a changed
// line read out without moving the focus.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>

// What a window says beyond what the system's own object for its client area says.
struct AccessibleFacts {
    std::wstring name;                    // empty: the system's
    long role = 0;                        // 0: the system's
    long state = 0;                       // added to the system's
    std::function<std::wstring()> value;  // empty: the system's
};

// The answer to WM_GETOBJECT for a window with these facts: 0 (the default handling) for any
// object but the client area, or when the system's accessibility library cannot be had.
LRESULT AccessibleObjectResult(HWND window, WPARAM wParam, LPARAM lParam, const AccessibleFacts& facts);

// Gives a control the accessible name (code page 932) a screen reader says for it; again to change
// it. False when the control cannot be subclassed.
bool SetAccessibleName(HWND control, const std::string& name);

// Names a dialog's controls by id.
struct ControlName {
    int id;
    const char* name;
};
void NameControls(HWND dialog, std::initializer_list<ControlName> names);

// UTF-16 of code page 932 bytes; a window's text so (empty when the window is gone).
std::wstring WideFromCp932(const char* text, size_t length);
std::wstring WindowTextWide(HWND window);

// How a changed line is spoken: the functions that raise the events, replaceable for a test.
struct AnnouncePaths {
    // The system's notification for a text to speak; false when the system has none (before
    // Windows 10 1709).
    std::function<bool(HWND line, const std::wstring& text)> notify;
    // The line marked as a polite live region, once per line; false when it cannot be marked.
    std::function<bool(HWND line)> markLiveRegion;
    std::function<void(DWORD event, HWND line)> winEvent;
};
AnnouncePaths SystemAnnouncePaths();

// Has the new text of a line (code page 932) read out: the notification where the system has
// one, else the live region's event; and the value-change event in any case.
void AnnounceLine(HWND line, const std::string& text, const AnnouncePaths& paths = SystemAnnouncePaths());

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif
