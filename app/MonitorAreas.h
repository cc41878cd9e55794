// The monitors of the desktop, as the window's placement needs them.
#pragma once

#include <vector>

#include "app/geometry/Geometry.h"

namespace tembori {

// Every monitor with its work area, in the platform's order; empty when they cannot be had.
std::vector<MonitorArea> QueryMonitorAreas();

}  // namespace tembori
