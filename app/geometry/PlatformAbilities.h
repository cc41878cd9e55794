// What the running system offers the calendar, decided once from its version by the
// application and handed to the window and the settings sheet. Only Windows NT 3.x lacks
// any of it: its shell has no notification area, no 3-D colours and no non-client metrics,
// and its window frame is narrower.
#pragma once

namespace tembori {

struct PlatformAbilities {
  bool trayIcon = true;                 // an icon in the shell's notification area
  bool transparentBackground = true;    // the desktop painted behind the grid
  bool threeDColours = true;            // the 3-D system colours; else the fixed grey look
  bool nonClientMetrics = true;         // the small caption font; else the icon title font
  bool fontsByCharacterSet = true;      // font lists enumerated per character set
  bool registeredWheelMessage = false;  // the old wheel's "MSWHEEL_ROLLMSG"
  int clientBorder = 0;                 // pixels between the client edge and the sunken box
  int captionHeight = 29;  // at 96 DPI: how far the grid moves when the frame goes or comes
};

// The abilities of a system by its version: its family (the Windows 95 family, or NT) and
// its major and minor version numbers.
PlatformAbilities PlatformAbilitiesFor(bool windows95Family, bool ntFamily, unsigned major,
                                       unsigned minor);

}  // namespace tembori
