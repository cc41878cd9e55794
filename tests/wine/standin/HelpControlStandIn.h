// A stand-in for the HTML Help control, for the help tests: a DLL that exports the viewer's
// entry point at ordinal 14 and records every call instead of showing anything. Its record
// is read through the functions below, looked up by name in the loaded DLL.
#pragma once

#include <windows.h>

namespace tembori_test {

struct StandInCall {
  HWND window;
  char file[MAX_PATH];
  UINT command;
  DWORD_PTR data;
  // For a pop-up request (command 17): the topic that the table given as data holds for the
  // window's control identifier (0 when none).
  DWORD topic;
};

using StandInCallCountFunction = int (*)();
using StandInCallAtFunction = const StandInCall* (*)(int index);
// Forgets the calls so far.
using StandInResetFunction = void (*)();

constexpr char kStandInFileName[] = "help_standin.dll";

}  // namespace tembori_test
