// The text of the memo pop-up: memos first, then the names of the days.
#include "app/MemoPopupText.h"

#include "app/DayNameText.h"
#include "framework/ResourceText.h"

namespace tembori {

std::optional<std::string> PopupTextForDay(MemoStore& store, const MonthCalendar& calendar,
                                           int day) {
  std::string text;
  if (store.ReadMemo(day, text)) return text;
  const std::string_view listed = calendar.ListedName(day);
  if (!listed.empty()) return std::string(listed);
  DayName name = DayName::None;
  if (calendar.GetDayName(day, name)) return LoadResourceString(DayNameStringId(name));
  return std::nullopt;
}

}  // namespace tembori
