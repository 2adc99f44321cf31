#include "app/MonitorLayout.h"

#include <cstddef>

namespace {
bool IsEmpty(const ScreenRect& r) { return r.right <= r.left || r.bottom <= r.top; }

bool Contains(const ScreenRect& outer, const ScreenRect& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool HoldsOrigin(const ScreenRect& r) { return r.left <= 0 && r.top <= 0 && r.right > 0 && r.bottom > 0; }

// Index of the monitor the show plays on, or monitors.size() when no monitor has an area.
std::size_t PrimaryIndex(const std::vector<Monitor>& monitors)
{
    std::size_t atOrigin = monitors.size(), first = monitors.size();
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (IsEmpty(monitors[i].area)) continue;
        if (monitors[i].primary) return i;
        if (atOrigin == monitors.size() && HoldsOrigin(monitors[i].area)) atOrigin = i;
        if (first == monitors.size()) first = i;
    }
    return atOrigin != monitors.size() ? atOrigin : first;
}
}  // namespace

std::vector<ScreenRect> BlackedOutMonitors(const std::vector<Monitor>& monitors)
{
    std::vector<ScreenRect> black;
    const std::size_t primary = PrimaryIndex(monitors);
    if (primary == monitors.size()) return black;
    const ScreenRect& show = monitors[primary].area;
    for (const Monitor& monitor : monitors) {
        const ScreenRect& area = monitor.area;
        if (IsEmpty(area) || Contains(show, area)) continue;
        bool seen = false;
        for (const ScreenRect& other : black) seen = seen || other == area;
        if (!seen) black.push_back(area);
    }
    return black;
}
