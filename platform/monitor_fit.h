// Where a window goes on a desktop of several monitors. Pure functions of rectangles: the
// monitors come in as a list (DisplayMonitors in work_area.h reads the real ones).
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

// One display monitor in virtual-screen coordinates: all of it, and its work area (without the
// taskbar).
struct MonitorAreas {
    RECT bounds;
    RECT work;
};

// The monitor that holds rect: the one it overlaps most, else the nearest one; the first of equals.
// -1 when there is no monitor.
int MonitorIndexOf(const RECT& rect, const std::vector<MonitorAreas>& monitors);

// Whether inner lies wholly within outer.
bool LiesWithin(const RECT& inner, const RECT& outer);

// Whether every point of rect lies in some monitor's work area (a strip across two side-by-side
// monitors counts).
bool CoveredByWorkAreas(const RECT& rect, const std::vector<MonitorAreas>& monitors);

// rect moved, keeping its size, by the least that puts it inside area; a rect wider or taller than
// area takes area's left or top.
RECT MovedInside(const RECT& rect, const RECT& area);

// The bar's top-left at start for a window of size bar: centred in the primary monitor's work
// area, or with topEdge at that work area's top, centred across.
POINT StartPosition(const SIZE& bar, const RECT& primaryWork, bool topEdge);

// The top a dragged bar keeps with the top edge on: that of the work area of the monitor under it;
// 0 when there is no monitor.
LONG TopEdgeOf(const RECT& dragged, const std::vector<MonitorAreas>& monitors);

// Where a bar goes that is lost off the screens: nothing while its title strip lies within the
// work areas; else the bar, its size kept, moved inside the work area of the monitor nearest to
// it, with topEdge to that work area's top.
std::optional<RECT> RescuedBar(const RECT& bar, const RECT& titleStrip,
                               const std::vector<MonitorAreas>& monitors, bool topEdge);

// Where a dialog opened over owner goes: where it is when it lies within work, else at owner's
// top-left, moved inside work.
RECT DialogWithin(const RECT& dialog, const RECT& owner, const RECT& work);
