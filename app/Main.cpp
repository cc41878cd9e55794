// The program's entry point and its one application object.
#include <windows.h>

#include "app/CalendarApp.h"

namespace {

// Constructed before the entry point runs, so the settings hold their defaults from the start.
tembori::CalendarApp application;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  return application.Run(showCommand);
}
