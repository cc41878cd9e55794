// The calendar window's remembered position, kept in "Software\Tembori\Config\Position" as
// the four edges "Left", "Top", "Right" and "Bottom" (signed pixels, REG_DWORD).
#pragma once

#include <optional>
#include <vector>

#include "app/geometry/Geometry.h"
#include "settings/KeyValueStore.h"

namespace tembori {

inline constexpr char kPositionKey[] = "Software\\Tembori\\Config\\Position";

// Reads the remembered rectangle (a value that cannot be read counts as 0), brings it back
// onto the virtual screen, moves it onto a monitor when a window of the given size there
// would show on none, and stores it 16 pixels further right and down for a second copy of
// the program started meanwhile. Nothing when the key can be neither opened nor created.
std::optional<Rect> RestoreWindowPosition(KeyValueStore& store, const Rect& virtualScreen,
                                          const std::vector<MonitorArea>& monitors, int windowWidth,
                                          int windowHeight);

// Writes the four edges in that order and stops at the first write that fails; false when
// the key could not be created or a write failed.
bool SaveWindowPosition(KeyValueStore& store, const Rect& window);

}  // namespace tembori
