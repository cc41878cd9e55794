// The bare program the benchmark measures the calendar against: one window that paints a
// line of text, and, on the calendar's Properties command, an empty four-page property sheet.
// Built with -DBARE_SAME_IMPORTS it also imports from every library the calendar imports at
// start (the input method and the registry; the shell, the common dialogs and the
// accessibility libraries it loads on first use), so that the cost of loading them counts on
// both sides. Built with -DBARE_CALENDAR_PAGES and the calendar's
// resources, the sheet has the calendar's own four pages, without its code but for a font
// page that lists the installed faces and the sizes, and the window has the calendar's five
// controls where the calendar has them and paints the calendar's texts in its default font:
// what the platform takes for that window and those pages.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "BareIds.h"

#ifdef BARE_CALENDAR_PAGES
#include <algorithm>
#include <string>
#include <vector>

#include "ResourceIds.h"
#endif

#ifdef BARE_SAME_IMPORTS
#include <imm.h>
#endif

namespace {

constexpr char kClassName[] = "BareBenchWindow";

#ifdef BARE_CALENDAR_PAGES
// The calendar's window as it first shows: its styles, its size at 96 DPI, its controls.
constexpr DWORD kWindowStyle = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr SIZE kWindowSize = {178, 173};
struct Control {
  DWORD exStyle;
  const char* className;
  DWORD style;
  RECT place;
};
constexpr Control kControls[] = {
    {0, "BUTTON", BS_OWNERDRAW, {4, 126, 24, 146}},
    {WS_EX_CLIENTEDGE, "EDIT", WS_TABSTOP, {104, 126, 152, 146}},
    {0, UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_NOTHOUSANDS, {152, 126, 168, 146}},
    {0, "BUTTON", BS_OWNERDRAW, {0, 0, 24, 15}},
    {0, "BUTTON", BS_OWNERDRAW, {148, 0, 172, 15}},
};

void CreateCalendarControls(HWND window) {
  HWND previous = nullptr;
  for (const Control& control : kControls) {
    const HWND made = CreateWindowExA(control.exStyle, control.className, "",
                                      WS_CHILD | WS_VISIBLE | control.style, control.place.left,
                                      control.place.top, control.place.right - control.place.left,
                                      control.place.bottom - control.place.top, window, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    if (lstrcmpA(control.className, UPDOWN_CLASSA) == 0) {
      SendMessageA(made, UDM_SETBUDDY, reinterpret_cast<WPARAM>(previous), 0);
      SendMessageA(made, UDM_SETRANGE32, 1851, 2150);
      SendMessageA(made, UDM_SETPOS32, 0, 2026);
    }
    previous = made;
  }
}

// The heading, the weekday names and the days of a month, in the system's message font.
void PaintCalendarTexts(HDC dc) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  const HFONT font = CreateFontIndirectA(&metrics.lfMessageFont);
  const HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, 50, 2, "2026年 12月", 11);
  const char* const weekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
  for (int day = 0; day < 7; ++day) TextOutA(dc, 8 + 24 * day, 18, weekdays[day], 2);
  for (int day = 1; day <= 31; ++day) {
    char number[3] = {static_cast<char>(day < 10 ? ' ' : '0' + day / 10),
                      static_cast<char>('0' + day % 10), 0};
    const int cell = day + 1;
    TextOutA(dc, 8 + 24 * (cell % 7), 33 + 15 * (cell / 7), number, 2);
  }
  SelectObject(dc, old);
  DeleteObject(font);
}
#else
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;
constexpr SIZE kWindowSize = {240, 200};
#endif

#ifdef BARE_SAME_IMPORTS
// Referenced through a volatile table, so that the linker keeps one import of each library.
using AnyFunction = void (*)();
volatile AnyFunction keptImports[] = {
    reinterpret_cast<AnyFunction>(&ImmGetContext),
    reinterpret_cast<AnyFunction>(&RegOpenKeyExA),
};
#endif

INT_PTR CALLBACK EmptyPage(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

#ifdef BARE_CALENDAR_PAGES
constexpr int kPageTemplates[] = {IDD_PROPGEN1, IDD_PROPGEN2, IDD_PROPFONT, IDD_PROPCOLOR};

int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM faces) {
  const BYTE set = font->lfCharSet;
  if (font->lfFaceName[0] != '@' && (set == ANSI_CHARSET || set == SHIFTJIS_CHARSET)) {
    reinterpret_cast<std::vector<std::string>*>(faces)->push_back(font->lfFaceName);
  }
  return 1;
}

// Adds the texts in one pass, with the list's storage reserved and without redrawing it.
void FillList(HWND list, const std::vector<std::string>& texts) {
  SendMessageA(list, CB_INITSTORAGE, texts.size(), static_cast<LPARAM>(texts.size() * LF_FACESIZE));
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (const std::string& text : texts) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  SendMessageA(list, CB_SETCURSEL, 0, 0);
}

INT_PTR CALLBACK FontPage(HWND page, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  std::vector<std::string> faces;
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  const HDC dc = GetDC(page);
  EnumFontFamiliesExA(dc, &all, &CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  ReleaseDC(page, dc);
  std::sort(faces.begin(), faces.end());
  FillList(GetDlgItem(page, IDC_FACE_LIST), faces);
  FillList(GetDlgItem(page, IDC_SIZE_LIST), {"8", "9", "10", "11", "12", "14", "16", "18", "20",
                                             "22", "24", "26", "28", "36", "48", "72"});
  return TRUE;
}
#endif

void OpenSheet(HWND owner) {
  PROPSHEETPAGEA pages[4] = {};
  for (int index = 0; index < 4; ++index) {
    pages[index].dwSize = sizeof pages[index];
    pages[index].hInstance = GetModuleHandleA(nullptr);
#ifdef BARE_CALENDAR_PAGES
    pages[index].pszTemplate = MAKEINTRESOURCEA(kPageTemplates[index]);
    pages[index].pfnDlgProc = kPageTemplates[index] == IDD_PROPFONT ? &FontPage : &EmptyPage;
#else
    pages[index].pszTemplate = MAKEINTRESOURCEA(IDD_BARE_PAGE1 + index);
    pages[index].pfnDlgProc = &EmptyPage;
#endif
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
#ifdef BARE_CALENDAR_PAGES
      PaintCalendarTexts(dc);
#else
      TextOutA(dc, 8, 8, "bare", 4);
#endif
      EndPaint(window, &paint);
      return 0;
    }
#ifdef BARE_CALENDAR_PAGES
    case WM_CREATE:
      CreateCalendarControls(window);
      return 0;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNTEXT));
      return TRUE;
    }
#endif
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
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
  const HWND window =
      CreateWindowExA(0, kClassName, "Bare", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                      kWindowSize.cx, kWindowSize.cy, nullptr, nullptr, instance, nullptr);
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
