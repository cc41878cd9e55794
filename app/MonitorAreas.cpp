// Asking the platform for its monitors.
#include "app/MonitorAreas.h"

#include <windows.h>

#include "app/CalendarPainting.h"
#include "framework/MemoryExhaustion.h"

namespace tembori {
namespace {

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return TRUE;
  // No exception may cross the platform's enumeration: out of memory, the list stays short.
  return UnlessMemoryRunsOut(
      [&] {
        reinterpret_cast<std::vector<MonitorArea>*>(areas)->push_back(
            {FromWinRect(info.rcMonitor), FromWinRect(info.rcWork)});
        return TRUE;
      },
      [] { return FALSE; });
}

}  // namespace

std::vector<MonitorArea> QueryMonitorAreas() {
  std::vector<MonitorArea> areas;
  EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

}  // namespace tembori
