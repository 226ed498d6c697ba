#include "accessible_reader.h"

#include <oleacc.h>

#include <algorithm>

namespace e2e {

namespace {

// Defined here: in a static link the import library's IID_IAccessible is a jump thunk, not the IID.
const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

std::string Cp932(BSTR text) {
    if (!text)
        return std::string();
    int length = static_cast<int>(SysStringLen(text));
    int size = WideCharToMultiByte(932, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(std::max(0, size)), '\0');
    if (size > 0)
        WideCharToMultiByte(932, 0, text, length, &out[0], size, nullptr, nullptr);
    SysFreeString(text);
    return out;
}

WinEventRecorder* recording = nullptr;

}  // namespace

AccessibleRead ReadAccessible(HWND control) {
    static const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    (void)com;
    AccessibleRead read;
    IAccessible* object = nullptr;
    read.result =
        AccessibleObjectFromWindow(control, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void**>(&object));
    if (FAILED(read.result) || !object)
        return read;
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK)
        read.name = Cp932(text);
    text = nullptr;
    if (object->get_accValue(self, &text) == S_OK)
        read.value = Cp932(text);
    VARIANT answer = {};
    if (SUCCEEDED(object->get_accRole(self, &answer)) && answer.vt == VT_I4)
        read.role = answer.lVal;
    answer = {};
    if (SUCCEEDED(object->get_accState(self, &answer)) && answer.vt == VT_I4)
        read.state = answer.lVal;
    object->Release();
    return read;
}

WinEventRecorder::WinEventRecorder(DWORD processId, DWORD first, DWORD last) {
    recording = this;
    hook_ = SetWinEventHook(first, last, nullptr, Callback, processId, 0, WINEVENT_OUTOFCONTEXT);
}

WinEventRecorder::~WinEventRecorder() {
    if (hook_)
        UnhookWinEvent(hook_);
    recording = nullptr;
}

void CALLBACK WinEventRecorder::Callback(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD,
                                         DWORD) {
    if (recording)
        recording->events_.push_back({event, window, object});
}

size_t WinEventRecorder::Count(DWORD event, HWND window) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    size_t count = 0;
    for (const Event& e : events_)
        count += e.event == event && e.window == window && e.object == OBJID_CLIENT;
    return count;
}

void WinEventRecorder::Clear() {
    Count(0, nullptr);
    events_.clear();
}

}  // namespace e2e
