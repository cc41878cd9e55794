#!/usr/bin/python3
# Writes client.ics with python3-icalendar, as another program would write its calendar:
# the memo import is tested against it. Run again only when the cases below change.
from datetime import date, datetime, timedelta, timezone
from pathlib import Path

from icalendar import Calendar, Event, Todo

calendar = Calendar()
calendar.add("prodid", "-//python3-icalendar test data//EN")
calendar.add("version", "2.0")


def event(uid, summary, start, **extra):
    item = Event()
    item.add("uid", uid)
    item.add("dtstamp", datetime(2026, 1, 1, tzinfo=timezone.utc))
    item.add("dtstart", start)
    if summary is not None:
        item.add("summary", summary)
    for name, value in extra.items():
        item.add(name.replace("_", "-"), value)
    calendar.add_component(item)


event("a@client", "歯医者, 午後; 予約済み", date(2026, 7, 3), dtend=date(2026, 7, 4))
# 23:30 in UTC-5 is 13:30 the next day in Japan.
event("b@client", "Call with Chicago", datetime(2026, 7, 9, 23, 30, tzinfo=timezone(timedelta(hours=-5))))
event("c@client", "結婚記念日", date(2001, 11, 22), rrule={"freq": "yearly"})
event("d@client", "🍣 寿司 with 😀 friends", date(2026, 7, 20))
event("e@client", None, date(2026, 7, 21), description="説明だけの予定\n二行目")
event("f@client", "夏休み", date(2026, 8, 10), dtend=date(2026, 8, 13))
event("g@client", "四半期の報告", date(2026, 7, 31), rrule={"freq": "monthly", "interval": 3})
event("h@client", "長い" * 40, date(2026, 7, 22))
todo = Todo()
todo.add("uid", "i@client")
todo.add("summary", "本を返す")
todo.add("due", date(2026, 7, 25))
calendar.add_component(todo)

Path(__file__).with_name("client.ics").write_bytes(calendar.to_ical())
