// The benchmark's driver: starts each program given, in turn and again for every round, and
// measures it from outside, through its windows and its Unix process:
//   start     from CreateProcess to the main window shown with nothing left to paint
//   cpu       the process's processor time (user and kernel) at that moment
//   rss       its resident memory half a second later, and "resident NAME" the share of
//             each mapped file, of the program's own image and of the anonymous memory
//   open      from the Properties command to the sheet shown and painted (after a first,
//             cold opening that is not counted)
//   font      from asking the sheet for the font page to the page painted
//   close     from Cancel, with the font page shown, to the sheet gone and the window painted
// It prints one line per sample, "measure<TAB>label<TAB>milliseconds or bytes", and the
// number of faces the font page would list. Each counted sheet measure is bracketed by a
// global atom "bench-mark begin|end MEASURE LABEL", added and deleted at once, so that a
// trace of the wine server shows which of the program's requests belong to which measure.
//
//   bench-driver.exe ROUNDS SHEET_ROUNDS FONT_PAGE LABEL=PROGRAM.exe...
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr WPARAM kPropertiesCommand = 32771;

double NowMs() {
  static LARGE_INTEGER frequency{};
  if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// A quarter of a millisecond between polls: fine enough for the page switch, and leaves the
// processor to the program measured.
void Pause() {
  static const HANDLE timer = CreateWaitableTimerA(nullptr, TRUE, nullptr);
  LARGE_INTEGER due;
  due.QuadPart = -2500;
  SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
  WaitForSingleObject(timer, INFINITE);
}

struct WindowSearch {
  DWORD process;
  HWND other;
  bool dialog;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<WindowSearch*>(lParam);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search.process || window == search.other || !IsWindowVisible(window)) return TRUE;
  if (search.dialog) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770") return TRUE;
  }
  search.found = window;
  return FALSE;
}

// A shown top-level window of the process (a dialog other than `other` when `dialog`).
HWND ShownWindow(DWORD process, HWND other, bool dialog) {
  WindowSearch search{process, other, dialog, nullptr};
  EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK FindUnpainted(HWND window, LPARAM unpainted) {
  if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(unpainted) = true;
    return FALSE;
  }
  return TRUE;
}

// Whether the window and all its shown children have nothing left to paint.
bool Painted(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  bool unpainted = false;
  EnumChildWindows(window, &FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  return !unpainted;
}

template <typename Condition>
bool PollUntil(Condition condition, double limitMs = 10000) {
  const double start = NowMs();
  while (!condition()) {
    if (NowMs() - start > limitMs) return false;
    Pause();
  }
  return true;
}

void Mark(const char* edge, const char* measure, const std::string& label, bool counted) {
  if (!counted) return;
  const std::string name = std::string("bench-mark ") + edge + " " + measure + " " + label;
  GlobalDeleteAtom(GlobalAddAtomA(name.c_str()));
}

void Print(const char* measure, const std::string& label, double value) {
  std::printf("%s\t%s\t%.3f\n", measure, label.c_str(), value);
}

// The whole of a file, empty when it cannot be read; the Unix side's through Wine's drive Z:.
std::string WholeFile(const std::string& path) {
  const HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    text.append(buffer, read);
  CloseHandle(file);
  return text;
}

std::string UnixFile(const std::string& path) {
  return WholeFile("Z:" + path);
}

// The Unix process that runs `program`: Wine gives it the Windows command line, and the
// script puts the programs in a folder of this session's own. Wine does not report another
// process's processor time, so it is read from there.
std::string UnixProcess(const std::string& program) {
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return {};
  std::string found;
  do {
    if (entry.cFileName[0] < '1' || entry.cFileName[0] > '9') continue;
    const std::string command = UnixFile(std::string("/proc/") + entry.cFileName + "/cmdline");
    if (command.compare(0, program.size(), program) == 0) found = entry.cFileName;
  } while (found.empty() && FindNextFileA(search, &entry));
  FindClose(search);
  return found;
}

// The processor time of all the process's threads so far.
double ProcessCpuMs(const std::string& process) {
  const std::string tasks = "/proc/" + process + "/task/";
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA(("Z:" + tasks + "*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return -1;
  double nanoseconds = 0;
  do {
    if (entry.cFileName[0] == '.') continue;
    nanoseconds += std::atof(UnixFile(tasks + entry.cFileName + "/schedstat").c_str());
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return nanoseconds / 1e6;
}

double ResidentBytes(const std::string& process) {
  const std::string status = UnixFile("/proc/" + process + "/status");
  const std::size_t line = status.find("VmRSS:");
  if (line == std::string::npos) return -1;
  return std::atof(status.c_str() + line + 6) * 1024;
}

// The program's size in memory, from its headers; 0 when they cannot be read.
unsigned long long ImageSize(const std::string& program) {
  const std::string file = WholeFile(program);
  IMAGE_DOS_HEADER dos{};
  IMAGE_NT_HEADERS headers{};
  if (file.size() < sizeof dos) return 0;
  std::memcpy(&dos, file.data(), sizeof dos);
  const auto at = static_cast<std::size_t>(dos.e_lfanew);
  if (file.size() < at + sizeof headers) return 0;
  std::memcpy(&headers, file.data() + at, sizeof headers);
  return headers.OptionalHeader.SizeOfImage;
}

// Sums the resident memory of the process's mappings by the file's name ("[heap]", "[anon]"
// and the like for the others). Wine reads an image whose sections do not start at page
// boundaries into anonymous memory: whatever lies in the program's image is its "image".
void PrintResidentByMapping(const std::string& process, const std::string& program,
                            const std::string& label) {
  const std::string programFile = program.substr(program.find_last_of('\\') + 1);
  const unsigned long long imageSize = ImageSize(program);
  std::istringstream smaps(UnixFile("/proc/" + process + "/smaps"));
  std::map<std::string, double> bytes;
  std::string line, name;
  unsigned long long imageStart = 0;
  while (std::getline(smaps, line)) {
    unsigned long long start = 0, end = 0;
    int pathAt = 0;
    // Mapping lines begin with an address range, field lines with a name and a colon.
    if (std::sscanf(line.c_str(), "%llx-%llx %*s %*s %*s %*s %n", &start, &end, &pathAt) == 2 &&
        pathAt > 0) {
      const std::string path = line.substr(static_cast<std::size_t>(pathAt));
      name = path.substr(path.find_last_of('/') + 1);
      if (name == programFile && imageStart == 0) imageStart = start;
      if (imageStart != 0 && start >= imageStart && start < imageStart + imageSize) {
        name = "image";
      } else if (path.empty()) {
        name = "[anon]";
      }
    } else if (line.compare(0, 4, "Rss:") == 0) {
      bytes[name] += std::atof(line.c_str() + 4) * 1024;
    }
  }
  for (const auto& [mapping, resident] : bytes) {
    if (resident > 0) Print(("resident " + mapping).c_str(), label, resident);
  }
}

// One opening, font page and closing of the sheet; false when the sheet did not behave.
bool MeasureSheet(DWORD process, HWND main, int fontPage, const std::string& label, bool counted) {
  Mark("begin", "open", label, counted);
  double start = NowMs();
  PostMessageA(main, WM_COMMAND, kPropertiesCommand, 0);
  HWND sheet = nullptr;
  if (!PollUntil([&] {
        if (sheet == nullptr) sheet = ShownWindow(process, main, true);
        return sheet != nullptr && Painted(sheet);
      })) {
    return false;
  }
  if (counted) Print("open", label, NowMs() - start);
  Mark("end", "open", label, counted);

  Mark("begin", "font", label, counted);
  start = NowMs();
  SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(fontPage), 0);
  if (!PollUntil([&] { return Painted(sheet); })) return false;
  if (counted) Print("font", label, NowMs() - start);
  Mark("end", "font", label, counted);

  Mark("begin", "close", label, counted);
  start = NowMs();
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  if (!PollUntil([&] { return !IsWindow(sheet) && Painted(main); })) return false;
  if (counted) Print("close", label, NowMs() - start);
  Mark("end", "close", label, counted);
  return true;
}

bool MeasureProgram(const std::string& label, const std::string& program, int sheetRounds,
                    int fontPage) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  std::string commandLine = "\"" + program + "\"";
  const double start = NowMs();
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &child)) {
    std::fprintf(stderr, "%s cannot be started (%lu)\n", program.c_str(), GetLastError());
    return false;
  }
  WaitForInputIdle(child.hProcess, 10000);
  HWND main = nullptr;
  const bool shown = PollUntil([&] {
    if (main == nullptr) main = ShownWindow(child.dwProcessId, nullptr, false);
    return main != nullptr && Painted(main);
  });
  bool ok = shown;
  if (shown) {
    Print("start", label, NowMs() - start);
    const std::string unixProcess = UnixProcess(program);
    if (!unixProcess.empty()) {
      Print("cpu", label, ProcessCpuMs(unixProcess));
      Sleep(500);
      Print("rss", label, ResidentBytes(unixProcess));
      PrintResidentByMapping(unixProcess, program, label);
    }
    for (int round = 0; ok && round <= sheetRounds; ++round) {
      ok = MeasureSheet(child.dwProcessId, main, fontPage, label, round > 0);
    }
    if (!ok) std::fprintf(stderr, "%s: the sheet did not open, switch or close\n", label.c_str());
    PostMessageA(main, WM_CLOSE, 0, 0);
  } else {
    std::fprintf(stderr, "%s: no window painted\n", label.c_str());
  }
  if (WaitForSingleObject(child.hProcess, 10000) != WAIT_OBJECT_0) {
    std::fprintf(stderr, "%s: still running 10 s after its window was closed\n", label.c_str());
    TerminateProcess(child.hProcess, 1);
    ok = false;
  }
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  return ok;
}

int CALLBACK CountFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM count) {
  const BYTE set = font->lfCharSet;
  if (font->lfFaceName[0] != '@' && (set == ANSI_CHARSET || set == SHIFTJIS_CHARSET)) {
    ++*reinterpret_cast<int*>(count);
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s ROUNDS SHEET_ROUNDS FONT_PAGE LABEL=PROGRAM...\n", argv[0]);
    return 2;
  }
  const int rounds = std::atoi(argv[1]);
  const int sheetRounds = std::atoi(argv[2]);
  const int fontPage = std::atoi(argv[3]);

  int faces = 0;
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  const HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &all, &CountFace, reinterpret_cast<LPARAM>(&faces), 0);
  ReleaseDC(nullptr, screen);
  std::printf("faces\t-\t%d\n", faces);

  int failures = 0;
  // Each round begins one program later, so that every program takes every place in the
  // order: the place alone shifts the times by more than the programs differ.
  const int programs = argc - 4;
  for (int round = 0; round < rounds; ++round) {
    for (int step = 0; step < programs; ++step) {
      const std::string argument = argv[4 + (round + step) % programs];
      const std::size_t equals = argument.find('=');
      if (equals == std::string::npos) return 2;
      if (!MeasureProgram(argument.substr(0, equals), argument.substr(equals + 1), sheetRounds,
                          fontPage)) {
        ++failures;
      }
      std::fflush(stdout);
    }
  }
  return failures == 0 ? 0 : 1;
}
