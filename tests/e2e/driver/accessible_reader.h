// What a screen reader reads from another process's controls, through MSAA: the client area's
// accessible object (AccessibleObjectFromWindow with OBJID_CLIENT), its name, role, state and
// value; and the WinEvents the program raises, seen by an out-of-context hook.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

namespace e2e {

struct AccessibleRead {
    HRESULT result = E_FAIL;  // of AccessibleObjectFromWindow
    std::string name;         // code page 932, as the controls' texts come back
    std::string value;
    long role = 0;
    long state = 0;
};
AccessibleRead ReadAccessible(HWND control);

// Every WinEvent of one process between two event codes, from its construction on.
class WinEventRecorder {
public:
    WinEventRecorder(DWORD processId, DWORD first, DWORD last);
    ~WinEventRecorder();
    WinEventRecorder(const WinEventRecorder&) = delete;
    WinEventRecorder& operator=(const WinEventRecorder&) = delete;

    bool Hooked() const { return hook_ != nullptr; }
    // Takes the events that arrived (they come as messages to this thread), then counts those
    // of event for window's client area.
    size_t Count(DWORD event, HWND window);
    void Clear();

    struct Event {
        DWORD event;
        HWND window;
        LONG object;
    };

private:
    static void CALLBACK Callback(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                  DWORD thread, DWORD time);
    HWINEVENTHOOK hook_ = nullptr;
    std::vector<Event> events_;
};

}  // namespace e2e
