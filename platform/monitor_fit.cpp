#include "platform/monitor_fit.h"

#include <algorithm>

namespace {

long long OverlapArea(const RECT& a, const RECT& b) {
    long long width = static_cast<long long>(std::min(a.right, b.right)) - std::max(a.left, b.left);
    long long height = static_cast<long long>(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// The gap between two rectangles along one axis; 0 when they meet or overlap there.
long long Gap(LONG aFrom, LONG aTo, LONG bFrom, LONG bTo) {
    return std::max({0LL, static_cast<long long>(bFrom) - aTo, static_cast<long long>(aFrom) - bTo});
}

long long SquaredDistance(const RECT& a, const RECT& b) {
    long long dx = Gap(a.left, a.right, b.left, b.right);
    long long dy = Gap(a.top, a.bottom, b.top, b.bottom);
    return dx * dx + dy * dy;
}

// One axis of MovedInside.
LONG MovedStart(LONG from, LONG to, LONG areaFrom, LONG areaTo) {
    long long size = static_cast<long long>(to) - from;
    if (size >= static_cast<long long>(areaTo) - areaFrom || from < areaFrom)
        return areaFrom;
    if (to > areaTo)
        return static_cast<LONG>(areaTo - size);
    return from;
}

bool PointInAnyWorkArea(LONG x, LONG y, const std::vector<MonitorAreas>& monitors) {
    for (const MonitorAreas& monitor : monitors) {
        const RECT& w = monitor.work;
        if (x >= w.left && x < w.right && y >= w.top && y < w.bottom)
            return true;
    }
    return false;
}

}  // namespace

int MonitorIndexOf(const RECT& rect, const std::vector<MonitorAreas>& monitors) {
    int best = -1;
    long long bestOverlap = 0;
    for (size_t i = 0; i < monitors.size(); ++i) {
        long long overlap = OverlapArea(rect, monitors[i].bounds);
        if (overlap > bestOverlap) {
            bestOverlap = overlap;
            best = static_cast<int>(i);
        }
    }
    if (best >= 0)
        return best;
    long long bestDistance = 0;
    for (size_t i = 0; i < monitors.size(); ++i) {
        long long distance = SquaredDistance(rect, monitors[i].bounds);
        if (best < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

bool LiesWithin(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The edges of all work areas cut rect into cells; each cell lies wholly inside or wholly outside
// every work area, so one point of it tells.
bool CoveredByWorkAreas(const RECT& rect, const std::vector<MonitorAreas>& monitors) {
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return false;
    std::vector<LONG> xs = {rect.left, rect.right}, ys = {rect.top, rect.bottom};
    for (const MonitorAreas& monitor : monitors) {
        for (LONG x : {monitor.work.left, monitor.work.right})
            if (x > rect.left && x < rect.right)
                xs.push_back(x);
        for (LONG y : {monitor.work.top, monitor.work.bottom})
            if (y > rect.top && y < rect.bottom)
                ys.push_back(y);
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        for (size_t j = 0; j + 1 < ys.size(); ++j) {
            if (xs[i] < xs[i + 1] && ys[j] < ys[j + 1] && !PointInAnyWorkArea(xs[i], ys[j], monitors))
                return false;
        }
    }
    return true;
}

RECT MovedInside(const RECT& rect, const RECT& area) {
    LONG left = MovedStart(rect.left, rect.right, area.left, area.right);
    LONG top = MovedStart(rect.top, rect.bottom, area.top, area.bottom);
    return {left, top, left + (rect.right - rect.left), top + (rect.bottom - rect.top)};
}

POINT StartPosition(const SIZE& bar, const RECT& primaryWork, bool topEdge) {
    LONG x = primaryWork.left + ((primaryWork.right - primaryWork.left) - bar.cx) / 2;
    LONG y =
        topEdge ? primaryWork.top : primaryWork.top + ((primaryWork.bottom - primaryWork.top) - bar.cy) / 2;
    return {x, y};
}

LONG TopEdgeOf(const RECT& dragged, const std::vector<MonitorAreas>& monitors) {
    int index = MonitorIndexOf(dragged, monitors);
    return index < 0 ? 0 : monitors[static_cast<size_t>(index)].work.top;
}

std::optional<RECT> RescuedBar(const RECT& bar, const RECT& titleStrip,
                               const std::vector<MonitorAreas>& monitors, bool topEdge) {
    int index = MonitorIndexOf(bar, monitors);
    if (index < 0 || CoveredByWorkAreas(titleStrip, monitors))
        return std::nullopt;
    const RECT& work = monitors[static_cast<size_t>(index)].work;
    RECT place = MovedInside(bar, work);
    if (topEdge) {
        place.bottom += work.top - place.top;
        place.top = work.top;
    }
    return place;
}

RECT DialogWithin(const RECT& dialog, const RECT& owner, const RECT& work) {
    if (LiesWithin(dialog, work))
        return dialog;
    RECT atOwner = {owner.left, owner.top, owner.left + (dialog.right - dialog.left),
                    owner.top + (dialog.bottom - dialog.top)};
    return MovedInside(atOwner, work);
}
