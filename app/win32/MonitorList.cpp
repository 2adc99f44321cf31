// MonitorList: EnumDisplayMonitors and GetMonitorInfo, as the system reports its monitors.
#include "app/win32/MonitorList.h"

#include <windows.h>

namespace {
BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM list)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(handle, &info)) {
        const RECT& r = info.rcMonitor;
        Monitor monitor = {{r.left, r.top, r.right, r.bottom}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
        reinterpret_cast<std::vector<Monitor>*>(list)->push_back(monitor);
    }
    return TRUE;
}
}  // namespace

std::vector<Monitor> SystemMonitors()
{
    std::vector<Monitor> monitors;
    if (!EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors)) || monitors.empty()) {
        monitors.clear();
        Monitor screen = {{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, true};
        monitors.push_back(screen);
    }
    return monitors;
}
