// The decision where the desktop window may stand.
#include "ScreenPlacement.h"

#include <algorithm>

namespace {
// The length of the overlap of [a1, a2) and [b1, b2); 0 when they do not meet.
long long Overlap(int a1, int a2, int b1, int b2) {
    return std::max(0LL, static_cast<long long>(std::min(a2, b2)) - std::max(a1, b1));
}

// The gap between [a1, a2) and [b1, b2) along one axis; 0 when they meet.
long long Gap(int a1, int a2, int b1, int b2) {
    if (a2 <= b1)
        return static_cast<long long>(b1) - a2;
    if (b2 <= a1)
        return static_cast<long long>(a1) - b2;
    return 0;
}

bool ShowsEnoughOn(const TScreenRect& window, const TScreenRect& area) {
    // A window smaller than the minimum must show whole in that direction.
    const long long width = std::min<long long>(window.Width(), MinimumVisiblePart);
    const long long height = std::min<long long>(window.Height(), MinimumVisiblePart);
    return Overlap(window.Left, window.Right, area.Left, area.Right) >= std::max(width, 1LL) &&
           Overlap(window.Top, window.Bottom, area.Top, area.Bottom) >= std::max(height, 1LL);
}

long long SquaredDistance(const TScreenRect& window, const TScreenRect& area) {
    const long long dx = Gap(window.Left, window.Right, area.Left, area.Right);
    const long long dy = Gap(window.Top, window.Bottom, area.Top, area.Bottom);
    return dx * dx + dy * dy;
}

// The start of a stretch of this length placed inside [low, high), as near to start as it can.
int Inside(int start, int length, int low, int high) {
    if (length >= high - low)
        return low;
    return std::clamp(start, low, high - length);
}
} // namespace

TScreenSize FitWindowSize(TScreenSize window, const std::vector<TScreenRect>& monitors) {
    if (monitors.empty())
        return window;
    TScreenRect all = monitors.front();
    int lowest = monitors.front().Height();
    for (const TScreenRect& monitor : monitors) {
        all = {std::min(all.Left, monitor.Left), std::min(all.Top, monitor.Top),
               std::max(all.Right, monitor.Right), std::max(all.Bottom, monitor.Bottom)};
        lowest = std::min(lowest, monitor.Height());
    }
    return {std::min(window.Width, all.Width()),
            std::min({window.Height, all.Height(), std::max(lowest - 1, 1)})};
}

TScreenPoint PlaceOnScreen(const TScreenRect& window, const std::vector<TScreenRect>& workAreas) {
    const TScreenPoint unchanged{window.Left, window.Top};
    if (workAreas.empty())
        return unchanged;
    for (const TScreenRect& area : workAreas)
        if (ShowsEnoughOn(window, area))
            return unchanged;
    const TScreenRect* nearest = &workAreas.front();
    for (const TScreenRect& area : workAreas)
        if (SquaredDistance(window, area) < SquaredDistance(window, *nearest))
            nearest = &area;
    return {Inside(window.Left, window.Width(), nearest->Left, nearest->Right),
            Inside(window.Top, window.Height(), nearest->Top, nearest->Bottom)};
}
