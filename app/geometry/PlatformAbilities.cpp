// The one place where the old platform is told apart.
#include "app/geometry/PlatformAbilities.h"

namespace tembori {

PlatformAbilities PlatformAbilitiesFor(bool windows95Family, bool ntFamily, unsigned major,
                                       unsigned minor) {
  PlatformAbilities abilities;
  // The old wheel's message exists only on Windows 95 itself (4.0 of that family) and on NT
  // whose version word, the low word of GetVersion, is exactly 3 (3.0, not 3.51).
  const unsigned versionWord = (major & 0xFFu) | ((minor & 0xFFu) << 8);
  abilities.registeredWheelMessage = versionWord == (windows95Family ? 4u : 3u);
  if (ntFamily && major == 3) {
    abilities.trayIcon = false;
    abilities.transparentBackground = false;
    abilities.threeDColours = false;
    abilities.nonClientMetrics = false;
    abilities.fontsByCharacterSet = false;
    abilities.clientBorder = 2;
    abilities.captionHeight = 27;
  }
  return abilities;
}

}  // namespace tembori
