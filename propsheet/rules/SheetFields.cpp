// Copying the settings into the pages' fields and back through one list of pairs, so that
// both directions always cover the same fields.
#include "propsheet/rules/SheetFields.h"

namespace tembori {
namespace {

// Visits every settings field with the page field that mirrors it.
template <typename Visit>
void ForEachPair(Settings& s, SheetFields& fields, Visit visit) {
  General1Fields& g1 = fields.general1;
  visit(s.DispToday, g1.DispToday);
  visit(s.TodaysFace, g1.TodaysFace);
  visit(s.Language, g1.Language);
  visit(s.WeekdayOff, g1.WeekdayOff);
  visit(s.MemoTime, g1.MemoTime);

  General2Fields& g2 = fields.general2;
  visit(s.Squeeze, g2.Squeeze);
  visit(s.NoFrame, g2.NoFrame);
  visit(s.MemoFile, g2.MemoFile);
  visit(s.TopMost, g2.TopMost);
  visit(s.Tray, g2.Tray);
  visit(s.Circ, g2.Circ);
  visit(s.CircColor, g2.CircColor);
  visit(s.SunFirst, g2.SunFirst);
  visit(s.HolidayLaw, g2.HolidayLaw);
  visit(s.EraYear, g2.EraYear);
  visit(s.Rokuyo, g2.Rokuyo);

  FontFields& font = fields.font;
  visit(s.TypeFace, font.TypeFace);
  visit(s.PointSize, font.PointSize);
  visit(s.CharSet, font.CharSet);
  visit(s.PitchAndFamily, font.PitchAndFamily);

  ColorFields& color = fields.color;
  visit(s.BackColor, color.BackColor);
  visit(s.HolidayColor, color.HolidayColor);
  visit(s.TodayColor, color.TodayColor);
  visit(s.OrdinaryColor, color.OrdinaryColor);
  visit(s.Transparent, color.Transparent);
}

}  // namespace

SheetFields FieldsFromSettings(const Settings& settings) {
  SheetFields fields;
  Settings source = settings;
  ForEachPair(source, fields, [](const auto& setting, auto& field) { field = setting; });
  return fields;
}

void CopyFieldsIntoSettings(const SheetFields& fields, Settings& settings) {
  SheetFields source = fields;
  ForEachPair(settings, source, [](auto& setting, const auto& field) { setting = field; });
}

}  // namespace tembori
