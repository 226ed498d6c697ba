// The desktop work area (the screen without the taskbar), of the primary monitor and of each one.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/monitor_fit.h"

std::optional<RECT> WorkArea();

// The work area of the monitor that holds rect: the one it overlaps most, else the nearest.
std::optional<RECT> MonitorWorkArea(const RECT& rect);

// Every display monitor, the primary first; empty when they cannot be read.
std::vector<MonitorAreas> DisplayMonitors();
