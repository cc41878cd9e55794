// Loading the HTML Help control at run time, so that the program starts without it.
#include "help/HtmlHelpLoader.h"

#include <cstring>

namespace tembori {
namespace {

using HtmlHelpEntry = HWND(WINAPI*)(HWND window, LPCSTR file, UINT command, DWORD_PTR data);

constexpr char kHelpControlKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr char kHelpControlFileName[] = "hhctrl.ocx";
constexpr WORD kHtmlHelpOrdinal = 14;

// The process's one loader state: the control once loaded (never freed), its entry point
// once found, and whether loading failed, which is final.
HMODULE helpControl = nullptr;
HtmlHelpEntry htmlHelp = nullptr;
bool helpUnavailable = false;

HtmlHelpEntry FindEntry(HMODULE module) {
  const FARPROC entry = GetProcAddress(module, MAKEINTRESOURCEA(kHtmlHelpOrdinal));
  // Through void*: the entry's real type is known only by its ordinal.
  return reinterpret_cast<HtmlHelpEntry>(reinterpret_cast<void*>(entry));
}

// The control by its full path in the system directory: a bare name would be looked for in
// the program's directory first, where anyone could have put a file of that name.
HMODULE LoadFromSystemDirectory() {
  char path[kHelpControlPathSize] = {};
  const UINT length = GetSystemDirectoryA(path, kHelpControlPathSize);
  if (length == 0 || length + sizeof kHelpControlFileName >= kHelpControlPathSize) return nullptr;
  path[length] = '\\';
  std::memcpy(path + length + 1, kHelpControlFileName, sizeof kHelpControlFileName);
  return LoadLibraryA(path);
}

}  // namespace

bool FindHtmlHelpControl(char (&path)[kHelpControlPathSize]) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kHelpControlKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  char stored[kHelpControlPathSize] = {};
  DWORD type = REG_NONE;
  DWORD size = kHelpControlPathSize;
  const bool found = RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(stored),
                                      &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  // A stored string need not end with a zero byte, and the path goes on to LoadLibraryA: one
  // that fills the buffer without it is no path.
  if (!found) return false;
  if (size < kHelpControlPathSize) {
    stored[size] = '\0';
  } else if (stored[kHelpControlPathSize - 1] != '\0') {
    return false;
  }
  if (type != REG_EXPAND_SZ) {
    std::memcpy(path, stored, sizeof path);
    return true;
  }
  // Systems register the control as "%SystemRoot%\..."; a path that does not fit once
  // expanded is none.
  const DWORD expanded = ExpandEnvironmentStringsA(stored, path, kHelpControlPathSize);
  return expanded != 0 && expanded <= kHelpControlPathSize;
}

HWND CallHtmlHelp(HWND window, const char* file, UINT command, DWORD_PTR data) {
  if (helpControl == nullptr && !helpUnavailable) {
    char path[kHelpControlPathSize] = {};
    if (FindHtmlHelpControl(path)) helpControl = LoadLibraryA(path);
    if (helpControl == nullptr) helpControl = LoadFromSystemDirectory();
    if (helpControl == nullptr) {
      helpUnavailable = true;
      return nullptr;
    }
  }
  if (htmlHelp == nullptr && !helpUnavailable) {
    htmlHelp = FindEntry(helpControl);
    if (htmlHelp == nullptr) helpUnavailable = true;
  }
  if (helpUnavailable) return nullptr;
  return htmlHelp(window, file, command, data);
}

}  // namespace tembori
