// The names in iCalendar files that this program acts on: components, properties, parameters,
// rule parts and the values among them that it compares. Looked up once, compared as numbers.
#pragma once

#include <string_view>

namespace tembori {

enum class ICalName {
  Other,
  // Components.
  Calendar,
  Event,
  ToDo,
  Journal,
  TimeZone,
  Standard,
  Daylight,
  // Properties.
  Begin,
  End,
  Start,
  Due,
  Summary,
  Description,
  Rule,
  ZoneId,  // also a parameter
  OffsetTo,
  // A parameter and its value.
  ValueType,
  Date,
  // Rule parts and their values.
  Frequency,
  Yearly,
  Interval,
  ByMonth,
  ByMonthDay,
  ByDay,
  WeekStart,
  // Weekdays, Sunday first.
  Sunday,
  Monday,
  Tuesday,
  Wednesday,
  Thursday,
  Friday,
  Saturday,
};

// `upper` as written in upper case; Other for a name not listed.
ICalName ICalNameOf(std::string_view upper);

}  // namespace tembori
