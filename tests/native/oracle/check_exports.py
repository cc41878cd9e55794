#!/usr/bin/python3
# Reads the exports that write_exports made with python3-icalendar, an iCalendar parser of its
# own, and checks every event, date, rule and text, and that each file is valid to it.
import subprocess
import sys
import tempfile
from datetime import date, timedelta
from pathlib import Path

from icalendar import Calendar

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def read(path):
    data = path.read_bytes()
    check(b"\n" not in data.replace(b"\r\n", b""), f"{path.name}: a line ends without CR")
    for line in data.split(b"\r\n"):
        check(len(line) <= 75, f"{path.name}: a line of {len(line)} octets")
        line.decode("utf-8")  # each physical line is whole UTF-8 on its own
    calendar = Calendar.from_ical(data.decode("utf-8"))
    check(calendar.name == "VCALENDAR", f"{path.name}: no VCALENDAR")
    check(str(calendar["VERSION"]) == "2.0", f"{path.name}: version")
    check(str(calendar["PRODID"]).startswith("-//Tembori//Tembori 2.63"), f"{path.name}: PRODID")
    events = {}
    for event in calendar.walk("VEVENT"):
        for name in ("UID", "DTSTAMP", "DTSTART", "DTEND", "SUMMARY"):
            check(name in event, f"{path.name}: an event without {name}")
        start = event.decoded("DTSTART")
        check(type(start) is date, f"{path.name}: {start!r} is no date")
        check(event.decoded("DTEND") == start + timedelta(days=1), f"{path.name}: DTEND")
        rule = event.get("RRULE")
        # The rule as its parts, in whatever order the parser keeps them.
        parts = {name: [str(v) for v in values] for name, values in rule.items()} if rule else None
        events[str(event["SUMMARY"])] = (start, parts, event)
    return events


with tempfile.TemporaryDirectory() as directory:
    subprocess.run([sys.argv[1], directory], check=True)
    folder = Path(directory)

    every_year = read(folder / "memos-every-year.ics")
    check(every_year.keys() == {"元日、初詣に行く; 家族と, 親戚と", "閏日", "ﾒﾓ 表示ソフト\\能力",
                                "大晦日の大掃除をして年越しそばを食べてから除夜の鐘を聞く"},
          f"memos of every year: {sorted(every_year)}")
    for summary, (start, rule, _) in every_year.items():
        if summary == "閏日":
            check(start == date(2028, 2, 29), "29 February starts in 2028")
            check(rule == {"FREQ": ["YEARLY"], "BYMONTH": ["2"], "BYMONTHDAY": ["29"]},
                  f"29 February's rule {rule}")
        else:
            check(start.year == 2026, f"{summary} starts in {start}")
            check(rule == {"FREQ": ["YEARLY"]}, f"{summary}'s rule {rule}")
    check(every_year["元日、初詣に行く; 家族と, 親戚と"][0] == date(2026, 1, 1), "New Year")
    uids = [str(event["UID"]) for (_, _, event) in every_year.values()]
    check(len(set(uids)) == len(uids), "UIDs repeat")

    dated = read(folder / "memos-dated.ics")
    check({summary: value[0] for summary, value in dated.items()} ==
          {"閏日の会議": date(2024, 2, 29), "年末": date(2026, 12, 31), "最後の日": date(2150, 12, 31)},
          f"dated memos: {dated}")
    check(all(rule is None for (_, rule, _) in dated.values()), "a dated memo repeats")

    calendar = Calendar.from_ical((folder / "holidays-2026.ics").read_bytes().decode("utf-8"))
    days = {}
    for event in calendar.walk("VEVENT"):
        days[event.decoded("DTSTART")] = event
        check(str(event["TRANSP"]) == "TRANSPARENT", "a holiday blocks time")
        check(event["CATEGORIES"].to_ical() == b"HOLIDAY", "a holiday without its category")
    sundays = {date(2026, 1, 4) + timedelta(weeks=n) for n in range(52)}
    named = {day for day, event in days.items() if str(event["SUMMARY"]).startswith("day-")}
    # The 18 days of the law, less the substitute day, which is called a day off.
    check(len(named) == 17, f"{len(named)} named holidays")
    check(sundays <= days.keys(), "a Sunday is missing")
    check(len(days) == len(named | sundays | {date(2026, 5, 6), date(2026, 9, 22)}),
          f"{len(days)} days off")
    check(str(days[date(2026, 5, 6)]["SUMMARY"]) == "休日", "the substitute day")

for failure in failures:
    print("FAIL:", failure)
print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
