#!/usr/bin/env python3
"""Checks tembori-cal --kyureki and --sekki over 1900-2100 against the ephemeris test data:
every day's old month, day and 六曜, and every solar term's day, apart from undecided days.
usage: check_old_calendar.py TOOL EPHEMERIS_INC"""
import datetime
import re
import subprocess
import sys

ROKUYO = ["大安", "赤口", "先勝", "友引", "先負", "仏滅"]
TERMS = ["春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至", "小暑", "大暑", "立秋", "処暑", "白露",
         "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒", "立春", "雨水", "啓蟄"]


def array(text, name):
    body = re.search(name + r"\[\] = \{(.*?)\};", text, re.S).group(1)
    return body


def main(tool, inc):
    text = open(inc, encoding="utf-8").read()
    months = [tuple(map(int, m)) for m in re.findall(r"\{(\d{8}), (\d+), (\d)\}", array(text, "kEphemerisMonths"))]
    undecided = set(re.findall(r"\d{8}", array(text, "kEphemerisUndecidedDays")))
    first_longitude = int(re.search(r"kEphemerisFirstTermLongitude = (\d+)", text).group(1))
    terms = [int(v) for v in re.findall(r"-?\d+", array(text, "kEphemerisTerms"))]

    def date(yyyymmdd):
        return datetime.date(yyyymmdd // 10000, yyyymmdd // 100 % 100, yyyymmdd % 100)

    expected = {}
    for i, (start, month, leap) in enumerate(months):
        end = date(months[i + 1][0]) if i + 1 < len(months) else datetime.date(2101, 1, 1)
        day = date(start)
        while day < end:
            number = (day - date(start)).days + 1
            expected[day.isoformat()] = f"{'閏' if leap else ''}{month}\t{number}\t{ROKUYO[(month + number) % 6]}"
            day += datetime.timedelta(days=1)

    faults = []
    compared = 0
    output = subprocess.run([tool, "--kyureki", "1900", "2100"], check=True, capture_output=True).stdout.decode("utf-8")
    for line in output.splitlines():
        day, rest = line.split("\t", 1)
        if day.replace("-", "") in undecided:
            continue
        compared += 1
        if expected.get(day) != rest:
            faults.append(f"{day}: {rest!r}, the ephemeris {expected.get(day)!r}")
    if compared < 73000:
        faults.append(f"only {compared} days compared")

    expected_terms = {}
    jst = datetime.timezone(datetime.timedelta(hours=9))
    for i, seconds in enumerate(terms):
        day = datetime.datetime.fromtimestamp(seconds, jst).date()
        if 1900 <= day.year <= 2100 and day.strftime("%Y%m%d") not in undecided:
            expected_terms[day.isoformat()] = TERMS[(first_longitude // 15 + i) % 24]
    output = subprocess.run([tool, "--sekki", "1900", "2100"], check=True, capture_output=True).stdout.decode("utf-8")
    printed = dict(line.split("\t") for line in output.splitlines())
    for day, name in expected_terms.items():
        if printed.get(day) != name:
            faults.append(f"{day}: term {printed.get(day)!r}, the ephemeris {name!r}")

    for fault in faults[:10]:
        print(fault)
    print(f"{compared} days and {len(expected_terms)} terms compared, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
