#!/usr/bin/env bash
# Writes the test data of the old calendar: the new moons and the Sun's 15° steps from 1900 to
# 2100 as the npm package astronomy-engine finds them, the months of the old calendar that its
# instants give (the rules worked out here again, apart from the program's own code), and the
# days that lie within two minutes of a deciding instant's midnight. C++ initialisers with the
# package's licence at the top; the tests read only the file it writes, this script alone
# needs npm and node.
#   usage: tools/ephemeris-data/make-ephemeris-data.sh [OUTPUT]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
output=${1:-tests/native/data/Ephemeris.inc}
package=astronomy-engine
version=2.1.19

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "$package@$version" >/dev/null && tar xzf ./*.tgz)

PACKAGE_DIR=$work/package PACKAGE="$package" VERSION=$version node - >"$output" <<'SCRIPT'
const fs = require("fs");
const path = require("path");
const dir = process.env.PACKAGE_DIR;
const A = require(path.join(dir, "astronomy.js"));
// The licence is the comment at the top of the library.
const source = fs.readFileSync(path.join(dir, "astronomy.js"), "utf8");
const licence = source.slice(source.indexOf("MIT License"), source.indexOf("*/")).trimEnd()
  .split("\n").map((line) => line.trim());

const JST = 9 * 3600 * 1000;
const DAY = 86400 * 1000;
const jstDay = (date) => Math.floor((date.getTime() + JST) / DAY);  // days since 1970-01-01 JST
const ymd = (day) => {
  const d = new Date(day * DAY);
  return d.getUTCFullYear() * 10000 + (d.getUTCMonth() + 1) * 100 + d.getUTCDate();
};
// Minutes from the instant to the nearest JST midnight.
const fromMidnight = (date) => {
  const minutes = (((date.getTime() + JST) % DAY) + DAY) % DAY / 60000;
  return Math.min(minutes, 1440 - minutes);
};

const from = new Date(Date.UTC(1899, 9, 1));
const to = new Date(Date.UTC(2102, 1, 1));  // to the month of the solstice of 2101

// A new moon is the moment the Moon's and the Sun's apparent longitudes of date agree;
// MoonPhase leaves out the Sun's aberration, so its answer only brackets that moment.
const elongation = (t) => {
  const d = A.EclipticGeoMoon(t).lon - A.SunPosition(t).elon;
  return ((d + 180) % 360 + 360) % 360 - 180;
};
const newMoons = [];
for (let t = A.SearchMoonPhase(0, from, 40); t.date < to; t = A.SearchMoonPhase(0, t.AddDays(1), 40)) {
  newMoons.push(A.Search(elongation, t.AddDays(-0.1), t.AddDays(0.1), { dt_tolerance_seconds: 0.01 }).date);
}
const firstLongitude = Math.ceil(A.SunPosition(from).elon / 15) * 15 % 360;
const terms = [];  // {date, longitude}
for (let lon = firstLongitude, t = from; ; lon = (lon + 15) % 360) {
  const found = A.SearchSunLongitude(lon, t, 20);
  if (found.date >= to) break;
  terms.push({ date: found.date, longitude: lon });
  t = found.AddDays(10);
}

// The months: the one holding the winter solstice is the 11th; with 13 months to the next
// such month, the first without a principal term repeats the number before it.
const starts = newMoons.map(jstDay);
const monthIndexOf = (day) => {
  let i = starts.length - 1;
  while (starts[i] > day) --i;
  return i;
};
const principal = terms.filter((t) => t.longitude % 30 === 0).map((t) => jstDay(t.date));
const holdsPrincipal = (i) => principal.some((d) => d >= starts[i] && d < starts[i + 1]);
const solstices = terms.filter((t) => t.longitude === 270).map((t) => monthIndexOf(jstDay(t.date)));
const months = [];
for (let s = 0; s + 1 < solstices.length; ++s) {
  const first = solstices[s], next = solstices[s + 1];
  let leap = -1;
  if (next - first === 13) {
    for (let i = first + 1; i < next; ++i) if (!holdsPrincipal(i)) { leap = i; break; }
  }
  let number = 11;
  for (let i = first; i < next; ++i) {
    if (i !== first && i !== leap) number = number % 12 + 1;
    months.push([ymd(starts[i]), number, i === leap ? 1 : 0]);
  }
}
const inRange = (v) => v >= 19000101 && v <= 21001231;
// Keep the month that holds 1 January 1900 and every later one up to 2100.
const firstMonth = months.findIndex((m, i) => i + 1 < months.length && months[i + 1][0] > 19000101);
const shownMonths = months.slice(firstMonth).filter((m) => m[0] <= 21001231);

// A new moon next to midnight leaves open every day of the month it may begin, from the day
// before it; a term, the two days it may fall on and the leap month it may decide.
const undecided = new Set();
const nearMidnight = (date) => fromMidnight(date) <= 2;
const dayAfterMidnight = (date) => jstDay(new Date(date.getTime() + 2 * 60000));
newMoons.forEach((date, i) => {
  if (!nearMidnight(date)) return;
  const end = i + 1 < starts.length ? starts[i + 1] : dayAfterMidnight(date) + 30;
  for (let day = dayAfterMidnight(date) - 1; day < end; ++day) undecided.add(ymd(day));
});
for (const term of terms) {
  if (!nearMidnight(term.date)) continue;
  const day = dayAfterMidnight(term.date);
  undecided.add(ymd(day - 1));
  undecided.add(ymd(day));
}

const seconds = (date) => Math.round(date.getTime() / 1000);
const list = (values, perLine) => {
  const lines = [];
  for (let i = 0; i < values.length; i += perLine) lines.push("    " + values.slice(i, i + perLine).join(", ") + ",");
  return lines;
};
const lines = [
  `// New moons and the Sun's apparent longitude at every 15 degrees, 1900 to 2100, as the npm`,
  `// package ${process.env.PACKAGE} ${process.env.VERSION} finds them (SearchMoonPhase, SearchSunLongitude),`,
  `// in seconds since 1970-01-01 00:00 UT; the months of the old calendar that follow from`,
  `// them in Japan Standard Time as {first day yyyymmdd, month, leap}; and the days next to a`,
  `// midnight that lies within two minutes of one of the instants, which the instants leave open.`,
  `// Written by tools/ephemeris-data/make-ephemeris-data.sh; do not edit. The package's licence:`,
  `//`,
  ...licence.map((line) => (line ? `// ${line}` : `//`)),
  ``,
  `constexpr long long kEphemerisNewMoons[] = {`,
  ...list(newMoons.map(seconds), 8),
  `};`,
  `constexpr int kEphemerisFirstTermLongitude = ${firstLongitude};`,
  `constexpr long long kEphemerisTerms[] = {`,
  ...list(terms.map((t) => seconds(t.date)), 8),
  `};`,
  `constexpr EphemerisMonth kEphemerisMonths[] = {`,
  ...list(shownMonths.map((m) => `{${m[0]}, ${m[1]}, ${m[2]}}`), 6),
  `};`,
  `constexpr int kEphemerisUndecidedDays[] = {`,
  ...list([...undecided].sort().filter(inRange), 8),
  `};`,
];
process.stdout.write(lines.join("\n") + "\n");
SCRIPT
echo "wrote $output"
