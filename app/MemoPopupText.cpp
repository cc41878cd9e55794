// The text of the memo pop-up: memos first, then the names of the days, then the marks of
// the old calendar.
#include "app/MemoPopupText.h"

#include "app/CalendarMarkText.h"
#include "app/DayNameText.h"
#include "framework/ResourceText.h"

namespace tembori {
namespace {

// `text` and `mark` with a full-width space between them, or `mark` alone after no text.
void AppendMark(std::string& text, const std::string& mark) {
  if (!text.empty()) text += "　";
  text += mark;
}

}  // namespace

std::optional<std::string> PopupTextForDay(MemoStore& store, const MonthCalendar& calendar, int day,
                                           bool marks) {
  std::string text;
  bool found = store.ReadMemo(day, text);
  if (!found) {
    DayName name = DayName::None;
    const std::string_view listed = calendar.ListedName(day);
    if (!listed.empty()) {
      text = listed;
      found = true;
    } else if (calendar.GetDayName(day, name)) {
      text = LoadResourceString(DayNameStringId(name));
      found = true;
    }
  }
  if (!marks) return found ? std::optional<std::string>(text) : std::nullopt;
  AppendMark(text, LoadResourceString(RokuyoStringId(RokuyoOf(calendar.OldDateOf(day)))));
  const SolarTerm term = calendar.SolarTermOf(day);
  if (term != NoSolarTerm) AppendMark(text, LoadResourceString(SolarTermStringId(term)));
  return text;
}

}  // namespace tembori
