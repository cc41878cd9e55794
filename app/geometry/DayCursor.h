// The keyboard's day cursor on the grid: which day a key chooses, and which month then has to
// be shown. Dates stay within the calendar's years; a move that would leave them stays put.
#pragma once

namespace tembori {

struct CursorDate {
  int year = 0, month = 0, day = 0;
};
inline bool operator==(const CursorDate& a, const CursorDate& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

enum class CursorKey {
  Left,      // a day back
  Right,     // a day on
  Up,        // a week back
  Down,      // a week on
  PageUp,    // the same day a month back, or that month's last day
  PageDown,  // the same day a month on, or that month's last day
  YearUp,    // Ctrl+Page Up: the same day a year back
  YearDown,  // Ctrl+Page Down: the same day a year on
  Home,      // the first of the month
  End,       // the last of the month
};

int DaysInMonthOf(int year, int month);

CursorDate MoveDayCursor(const CursorDate& from, CursorKey key);

// Where the cursor starts when the grid takes the focus: today when today's month is shown,
// else the 1st.
CursorDate FirstCursorDate(int shownYear, int shownMonth, const CursorDate& today);

}  // namespace tembori
