#include "platform/placement.h"

#include <climits>

#include "platform/dialog.h"
#include "platform/work_area.h"
#include "platform/dpi.h"

namespace {

// Set on a window while MoveToRect places it.
const char kPlacingProperty[] = "PavraPlacing";

// Room between two edges, computed wide so that an unbounded work area cannot overflow.
long long Room(LONG from, LONG to) { return static_cast<long long>(to) - from; }

// A bar that reaches past the work area must not give a window of negative size.
RECT NotInverted(RECT rect) {
    if (rect.right < rect.left)
        rect.right = rect.left;
    if (rect.bottom < rect.top)
        rect.bottom = rect.top;
    return rect;
}

}  // namespace

RECT WorkAreaOrUnbounded(const RECT& bar) {
    if (auto area = MonitorWorkArea(bar))
        return *area;
    return WorkArea().value_or(RECT{0, 0, INT_MAX, INT_MAX});
}

RECT PlaceBelowOrAbove(const RECT& bar, int height, const RECT& workArea) {
    RECT place = {bar.left, bar.bottom, bar.right, bar.bottom + height};
    if (Room(bar.bottom, workArea.bottom) >= height)
        return place;
    if (Room(workArea.top, bar.top) > height) {
        place.top = bar.top - height;
        place.bottom = bar.top;
        return place;
    }
    place.bottom = workArea.bottom;
    return NotInverted(place);
}

RECT PlaceBeside(const RECT& bar, int size, const RECT& workArea) {
    RECT place;
    if (Room(bar.right, workArea.right) >= size) {
        place.left = bar.right;
        place.right = bar.right + size;
    } else if (Room(workArea.left, bar.left) > size) {
        place.left = bar.left - size;
        place.right = bar.left;
    } else {
        place.left = bar.right;
        place.right = workArea.right;
    }
    if (Room(bar.bottom, workArea.bottom) >= size) {
        place.top = bar.top;
        place.bottom = bar.bottom + size;
    } else if (Room(workArea.top, bar.top) > size) {
        place.top = bar.top - size;
        place.bottom = bar.bottom;
    } else {
        place.top = bar.top;
        place.bottom = workArea.bottom;
    }
    return NotInverted(place);
}

// The bar takes its monitor's DPI as it moves there (WM_DPICHANGED), so its DPI is the one the
// window gets beside it; a window without an owner asks the bar's monitor.
UINT PlacementDpi(HWND window, const RECT& bar) {
    if (HWND owner = GetWindow(window, GW_OWNER))
        return CDialog::DpiOf(owner);
    UINT dpi = MonitorDpi(bar);
    return dpi ? dpi : CDialog::DpiOf(window);
}

void MoveToRect(HWND window, const RECT& rect) {
    SetPropA(window, kPlacingProperty, reinterpret_cast<HANDLE>(1));
    MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    RemovePropA(window, kPlacingProperty);
}

bool IsBeingPlaced(HWND window) { return GetPropA(window, kPlacingProperty) != nullptr; }
