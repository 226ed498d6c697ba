#include "platform/work_area.h"

std::optional<RECT> WorkArea() {
    RECT area;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        return std::nullopt;
    return area;
}

std::optional<RECT> MonitorWorkArea(const RECT& rect) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    HMONITOR monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    if (!monitor || !GetMonitorInfoA(monitor, &info))
        return std::nullopt;
    return info.rcWork;
}

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto* monitors = reinterpret_cast<std::vector<MonitorAreas>*>(data);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info))
        return TRUE;
    MonitorAreas areas = {info.rcMonitor, info.rcWork};
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        monitors->insert(monitors->begin(), areas);
    else
        monitors->push_back(areas);
    return TRUE;
}

}  // namespace

std::vector<MonitorAreas> DisplayMonitors() {
    std::vector<MonitorAreas> monitors;
    if (!EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors)))
        monitors.clear();
    return monitors;
}
