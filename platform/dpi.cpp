#include "platform/dpi.h"

#include "platform/system_library.h"

int ScaleForDpi(int value, UINT dpi) {
    return MulDiv(value, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

UINT WindowDpi(HWND window) {
    // GetDpiForWindow is Windows 10 1607's; found at run time so that older systems start.
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        UINT dpi = getDpiForWindow(window);
        if (dpi)
            return dpi;
    }
    return SystemDpi();
}

UINT MonitorDpi(const RECT& rect) {
    // GetDpiForMonitor is Windows 8.1's (shcore.dll); 0 is its effective DPI.
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpiForMonitor =
        SystemFunction<GetDpiForMonitorFunction>("shcore.dll", "GetDpiForMonitor");
    HMONITOR monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    UINT x = 0, y = 0;
    if (!getDpiForMonitor || !monitor || FAILED(getDpiForMonitor(monitor, 0, &x, &y)))
        return 0;
    return y;
}
