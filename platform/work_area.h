// The desktop work area (the screen without the taskbar).
#pragma once

#include <windows.h>

#include <optional>

std::optional<RECT> WorkArea();
