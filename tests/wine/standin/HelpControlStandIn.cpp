// The recording stand-in for the HTML Help control.
#include "tests/wine/standin/HelpControlStandIn.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using tembori_test::StandInCall;

namespace {

constexpr int kMaxCalls = 128;
StandInCall calls[kMaxCalls];
int callCount = 0;

// Reads the pop-up table as the viewer does: pairs of 32-bit numbers up to a zero control.
void LookUpTopic(StandInCall& call) {
  const DWORD* const table = reinterpret_cast<const DWORD*>(call.data);
  if (table == nullptr) return;
  const DWORD control = static_cast<DWORD>(GetDlgCtrlID(call.window));
  for (const DWORD* pair = table; pair[0] != 0 && call.topic == 0; pair += 2) {
    if (pair[0] == control) call.topic = pair[1];
  }
}

// A program that is not a test program (the released one, started by the release test) has
// no way to hand over the record: with TEMBORI_HELP_STANDIN_LOG set, each call is also
// appended to that file as "window<TAB>file<TAB>command<TAB>data".
void AppendToLog(const StandInCall& call) {
  const char* const path = std::getenv("TEMBORI_HELP_STANDIN_LOG");
  if (path == nullptr || *path == '\0') return;
  if (FILE* const log = std::fopen(path, "a")) {
    std::fprintf(log, "%llu\t%s\t%u\t%llu\n",
                 static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(call.window)),
                 call.file, call.command, static_cast<unsigned long long>(call.data));
    std::fclose(log);
  }
}

}  // namespace

extern "C" {

HWND WINAPI HtmlHelpA(HWND window, LPCSTR file, UINT command, DWORD_PTR data) {
  if (callCount == kMaxCalls) return nullptr;
  StandInCall& call = calls[callCount++];
  call = StandInCall{};
  call.window = window;
  if (file != nullptr) strncpy(call.file, file, sizeof call.file - 1);
  call.command = command;
  call.data = data;
  if (command == 17) LookUpTopic(call);
  AppendToLog(call);
  // Any non-null window handle: the caller only tells null from non-null.
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4711));
}

int StandInCallCount() {
  return callCount;
}

const StandInCall* StandInCallAt(int index) {
  return index >= 0 && index < callCount ? &calls[index] : nullptr;
}

void StandInReset() {
  callCount = 0;
}

}  // extern "C"
