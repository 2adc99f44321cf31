// MonitorList: the monitors of the desktop as the system reports them, for the screen saver's layout.
// Degrades: a system that cannot enumerate monitors gives the one primary screen.
#pragma once
#include <vector>

#include "app/MonitorLayout.h"

std::vector<Monitor> SystemMonitors();
