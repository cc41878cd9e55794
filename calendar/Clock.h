// The local clock behind the month model, and the SYSTEMTIME-shaped record it gives,
// so that the core never includes <windows.h> and tests can choose today.
#pragma once

#include <cstdint>

namespace tembori {

// Same members, order and size as Win32 SYSTEMTIME, so the shell can copy it as a whole.
struct SystemTime {
  std::uint16_t wYear = 0;
  std::uint16_t wMonth = 0;
  std::uint16_t wDayOfWeek = 0;
  std::uint16_t wDay = 0;
  std::uint16_t wHour = 0;
  std::uint16_t wMinute = 0;
  std::uint16_t wSecond = 0;
  std::uint16_t wMilliseconds = 0;
};
static_assert(sizeof(SystemTime) == 16, "SystemTime must match SYSTEMTIME");

class Clock {
 public:
  virtual ~Clock() = default;
  virtual SystemTime LocalTime() const = 0;
};

}  // namespace tembori
