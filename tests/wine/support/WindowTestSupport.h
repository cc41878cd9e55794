// Helpers for the tests of the real calendar window: the program's registry state, the
// application with a fixed today running in this process, pictures of its client area, and
// a driver that answers modal dialogs from inside their modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/CalendarApp.h"
#include "app/CalendarWindow.h"
#include "calendar/Clock.h"

namespace tembori::test {

// Every test starts from no stored state at all: the first run.
void DeleteProgramKeys();

struct ConfigNumber {
  const char* name;
  DWORD value;
};
// REG_DWORD values of the Config key.
void PutConfig(std::initializer_list<ConfigNumber> values);
// A REG_SZ value of the Config key ("TypeFace", "PointSize").
void PutConfigText(const char* name, const std::string& text);

// The four edges under Config\Position; Read fails when any of them is missing.
void PutPosition(const RECT& window);
bool ReadPosition(RECT& window);

// A Wednesday whose month holds a national holiday (the 3rd), a holiday on a Sunday with its
// substitute day (the 23rd and 24th) and a first day on a Saturday.
SystemTime NovemberTwelfth2003();

class FixedClock : public Clock {
 public:
  explicit FixedClock(const SystemTime& now) : now_(now) {}
  SystemTime LocalTime() const override { return now_; }

 private:
  SystemTime now_;
};

// Handles every message that is waiting or arrives within a short quiet spell; a WM_QUIT
// left by a destroyed main window is dropped.
void PumpMessages();

// The application object, started as the program starts (settings from the registry, the
// window created, shown and painted), in front of every other window. The window is
// destroyed at the end if the test has not closed it.
class RunningCalendar {
 public:
  explicit RunningCalendar(const SystemTime& today = NovemberTwelfth2003());
  ~RunningCalendar();

  CalendarApp& App() { return *app_; }
  CalendarWindow& Window();
  HWND Handle() const { return handle_; }
  bool Started() const { return started_; }

  // Invalidates everything, background included, and lets the window paint.
  void Repaint();
  // WM_CLOSE, as the close box sends it.
  void Close();

 private:
  FixedClock clock_;
  std::unique_ptr<CalendarApp> app_;
  bool started_ = false;
  HWND handle_ = nullptr;
};

// A child control's window rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, int controlId);
inline bool SameRect(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}

// The client area as it is on the screen, children included, in COLORREF values.
class ClientPicture {
 public:
  explicit ClientPicture(HWND window);

  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const;
  // Pixels of exactly this colour in the part of `area` inside the picture.
  int Count(const RECT& area, COLORREF colour) const;
  // Pixels of any other colour: the ink drawn over a plain background.
  int CountOther(const RECT& area, COLORREF background) const;
  // The pixels of `area`, row by row, for comparing two pictures.
  std::vector<COLORREF> Part(const RECT& area) const;

 private:
  template <typename Predicate>
  int CountWhere(const RECT& area, Predicate predicate) const;

  int width_ = 0, height_ = 0;
  std::vector<COLORREF> pixels_;
};

// Answers the next dialog that this thread shows: a thread timer, which fires inside the
// dialog's modal loop, finds the dialog, hands it to `inspect` and clicks its button
// `buttonId`. Gives up after a few seconds without a dialog. One driver at a time.
class DialogDriver {
 public:
  DialogDriver(int buttonId, std::function<void(HWND dialog)> inspect);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  bool Answered() const { return answered_; }

 private:
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);

  const int buttonId_;
  const std::function<void(HWND)> inspect_;
  UINT_PTR timer_ = 0;
  int ticksLeft_;
  bool answered_ = false;
};

// The text of a window, as the ANSI functions give it.
std::string WindowText(HWND window);

}  // namespace tembori::test
