// What the settings sheet works on: the settings, where they are saved, how failures are
// shown, the calendar window that shows them, and the help for the sheet's controls.
#pragma once

#include <windows.h>

#include <functional>

#include "propsheet/rules/ApplySettings.h"
#include "settings/ErrorReporter.h"
#include "settings/KeyValueStore.h"
#include "settings/Settings.h"

namespace tembori {

struct SheetEnvironment {
  Settings& settings;
  KeyValueStore& store;
  ErrorReporter& reporter;
  CalendarOperations& calendar;
  // Windows NT 3.x: no tray icon and no transparent background to offer.
  bool isNT3 = false;
  // Answers a help request (F1, or the caption's help button and a click) that reaches the
  // sheet from any of its pages; without it the request goes unanswered.
  std::function<void(const HELPINFO&)> contextHelp;
};

}  // namespace tembori
