// The bare program the benchmark measures the calendar against: one window that paints a
// line of text, and, on the calendar's Properties command, an empty four-page property sheet.
// Built with -DBARE_SAME_IMPORTS it also imports from every library the calendar imported at
// start (the shell, the common dialogs, the input method and the registry), so that the cost
// of loading them counts on both sides.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "BareIds.h"

#ifdef BARE_SAME_IMPORTS
#include <commdlg.h>
#include <imm.h>
#include <shellapi.h>
#endif

namespace {

constexpr char kClassName[] = "BareBenchWindow";

#ifdef BARE_SAME_IMPORTS
// Referenced through a volatile table, so that the linker keeps one import of each library.
using AnyFunction = void (*)();
volatile AnyFunction keptImports[] = {
    reinterpret_cast<AnyFunction>(&Shell_NotifyIconA),
    reinterpret_cast<AnyFunction>(&ChooseColorA),
    reinterpret_cast<AnyFunction>(&ImmGetContext),
    reinterpret_cast<AnyFunction>(&RegOpenKeyExA),
};
#endif

INT_PTR CALLBACK EmptyPage(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

void OpenSheet(HWND owner) {
  PROPSHEETPAGEA pages[4] = {};
  for (int index = 0; index < 4; ++index) {
    pages[index].dwSize = sizeof pages[index];
    pages[index].hInstance = GetModuleHandleA(nullptr);
    pages[index].pszTemplate = MAKEINTRESOURCEA(IDD_BARE_PAGE1 + index);
    pages[index].pfnDlgProc = &EmptyPage;
  }
  PROPSHEETHEADERA header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE;
  header.hwndParent = owner;
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = "Bare sheet";
  header.nPages = 4;
  header.ppsp = pages;
  PropertySheetA(&header);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window, &paint);
      TextOutA(dc, 8, 8, "bare", 4);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == ID_BARE_PROPERTIES) OpenSheet(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
  const HWND window = CreateWindowExA(0, kClassName, "Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 240, 200, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
