// Helpers for the tests of the real calendar window: the program's registry state, the
// application running in this process with a fixed today, pictures of its client area, and
// a driver that answers modal dialogs from inside their modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/CalendarApp.h"
#include "app/CalendarWindow.h"
#include "calendar/Clock.h"

namespace tembori::test {

// No stored state at all: the first run.
void DeleteProgramKeys();

struct RegistryNumber {
  const char* name;
  DWORD value;
};
// REG_DWORD values under HKEY_CURRENT_USER\`key`, which is created when missing.
void PutNumbers(const char* key, const std::vector<RegistryNumber>& values);
// A REG_SZ value of the Config key ("TypeFace", "PointSize").
void PutConfigText(const char* name, const std::string& text);
// A REG_DWORD value under HKEY_CURRENT_USER\`key`; nothing when it is missing or no REG_DWORD.
std::optional<DWORD> ReadNumber(const char* key, const char* name);

// Handles every message that is waiting or arrives within a short quiet spell; a WM_QUIT
// left by a destroyed main window is dropped.
void PumpMessages();

// The application started as the program starts (settings from the registry, the window
// created, shown and painted), in front of every other window, on Wednesday 12 November
// 2003: the 3rd is a national holiday, the 23rd one on a Sunday with the 24th as its
// substitute, and the 1st a Saturday. The window is destroyed at the end if still there.
class RunningCalendar {
 public:
  RunningCalendar();
  ~RunningCalendar();

  CalendarApp& App() { return app_; }
  CalendarWindow& Window();
  HWND Handle() const { return handle_; }

 private:
  class FixedClock : public Clock {
   public:
    SystemTime LocalTime() const override { return {2003, 11, 3, 12, 12, 0, 0, 0}; }
  };
  FixedClock clock_;
  CalendarApp app_{clock_};
  HWND handle_ = nullptr;
};

// A child control's window rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, int controlId);
inline bool SameRect(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}
// The text of a window, as the ANSI functions give it.
std::string WindowText(HWND window);

// The client area as it is on the screen, children included, in COLORREF values.
class ClientPicture {
 public:
  explicit ClientPicture(HWND window);

  COLORREF At(int x, int y) const;
  // Pixels of exactly this colour in the part of `area` inside the picture.
  int Count(const RECT& area, COLORREF colour) const;
  // The pixels of `area`, row by row, for comparing two pictures.
  std::vector<COLORREF> Part(const RECT& area) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<DWORD> pixels_;  // as the screen has them: 0x00RRGGBB
};

// Calls `open`, which shows a modal dialog on this thread; from inside the dialog's modal
// loop, hands the dialog to `inspect` and clicks its button `buttonId`. False when no dialog
// showed.
bool AnswerDialog(const std::function<void()>& open, int buttonId,
                  const std::function<void(HWND dialog)>& inspect);

}  // namespace tembori::test
