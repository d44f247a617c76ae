#!/usr/bin/python3
"""The calendar files checked against an independent iCalendar implementation.

1. A store with every repeat interval is exported; the file is parsed and every event
   expanded over ten years by the independent library, and each day must hold exactly the
   reminders (text, continuation lines, type) that GetItems shows on it.
2. A calendar written by that library (timed, all-day, multi-day, repeating, with a time
   zone) is imported; every day of the import's horizon must show what the library expands.
"""
import datetime
import os
import subprocess
import sys
import tempfile
from collections import Counter

import icalendar
import pytz
import recurring_ical_events

HELPER = sys.argv[1]
CODE_PAGE = "cp1252"  # the native build's stand-in for the system code page


def helper(*arguments):
    result = subprocess.run([HELPER, *arguments], capture_output=True)
    if result.returncode != 0:
        sys.exit("helper %s failed: %s" % (arguments, result.stderr.decode(errors="replace")))
    return result.stdout.decode(CODE_PAGE)


def shown(store, first, last):
    """Day -> Counter of (first line, continuation lines) as GetItems marks them up."""
    days = {}
    for row in helper("dump", store, first.isoformat(), last.isoformat()).splitlines():
        fields = row.split("\t")
        reminders = []
        for line in fields[1:]:
            if line.startswith("|"):
                text = line.lstrip("|0123456789")
                if text.startswith("{") and "}" in text:
                    text = text[text.index("}") + 1:]
                reminders[-1][1].append(text)
            else:
                colour = ""
                if line.startswith("{") and "}" in line:
                    colour, line = line[1:line.index("}")], line[line.index("}") + 1:]
                reminders.append((line, [], colour))
        days[datetime.date.fromisoformat(fields[0])] = Counter(
            (text, tuple(more)) for text, more, _ in reminders)
    return days


def as_date(value):
    return value if not isinstance(value, datetime.datetime) else value.date()


def expanded_days(calendar, first, last, local_time):
    """Day -> Counter of (summary, description lines) from the independent expansion."""
    days = {}
    for event in recurring_ical_events.of(calendar).between(first, last + datetime.timedelta(days=1)):
        start = event["DTSTART"].dt
        summary = str(event.get("SUMMARY", ""))
        if isinstance(start, datetime.datetime):
            local = local_time(start)
            summary = "%d:%02d %s" % (local.hour, local.minute, summary)
            begin = local.date()
            end = local_time(event["DTEND"].dt) if "DTEND" in event else local
            stop = end.date() if end.time() != datetime.time(0) or end == local else end.date() - datetime.timedelta(days=1)
        else:
            begin = start
            stop = (event["DTEND"].dt - datetime.timedelta(days=1)) if "DTEND" in event else start
            stop = max(stop, begin)  # the library gives an all-day event without an end its start as end
        more = tuple(str(event["DESCRIPTION"]).split("\n")) if "DESCRIPTION" in event else ()
        day = begin
        while day <= stop:
            if first <= day <= last:
                days.setdefault(day, Counter())[(summary, more)] += 1
            day += datetime.timedelta(days=1)
    return days


def compare(expected, actual, what):
    faults = []
    for day in sorted(set(expected) | set(actual)):
        if expected.get(day, Counter()) != actual.get(day, Counter()):
            faults.append("%s: expected %s, shown %s" % (day, dict(expected.get(day, {})), dict(actual.get(day, {}))))
    if faults:
        print("%s: %d days differ" % (what, len(faults)))
        for fault in faults[:20]:
            print("  " + fault)
        return False
    print("%s: %d days with reminders agree" % (what, len(expected)))
    return True


def exported_file_agrees(work):
    store = os.path.join(work, "exported")
    os.makedirs(store)
    helper("seed", store)
    path = os.path.join(work, "all.ics")
    helper("export", store, path)
    with open(path, "rb") as file:
        raw = file.read()
    for line in raw.split(b"\r\n"):
        assert len(line) <= 75, "a line longer than 75 octets: %r" % line
    calendar = icalendar.Calendar.from_ical(raw)
    uids = [str(event["UID"]) for event in calendar.walk("VEVENT")]
    assert len(uids) == len(set(uids)), "identifiers repeat"
    first, last = datetime.date(2007, 1, 1), datetime.date(2016, 12, 31)
    expected = expanded_days(calendar, first, last, None)
    actual = {day: Counter({(text, more): n for (text, more), n in reminders.items()})
              for day, reminders in shown(store, first, last).items()}
    # A type shows as a category: the window shows its colour, not its name.
    return compare(expected, actual, "export")


def foreign_calendar():
    calendar = icalendar.Calendar()
    calendar.add("prodid", "-//Round trip//EN")
    calendar.add("version", "2.0")
    zone = icalendar.Timezone()
    zone.add("tzid", "America/New_York")
    for kind, start, before, after, rule in (
            (icalendar.TimezoneDaylight, datetime.datetime(2007, 3, 11, 2), -5, -4, {"freq": "yearly", "bymonth": 3, "byday": "2SU"}),
            (icalendar.TimezoneStandard, datetime.datetime(2007, 11, 4, 2), -4, -5, {"freq": "yearly", "bymonth": 11, "byday": "1SU"})):
        part = kind()
        part.add("dtstart", start)
        part.add("tzoffsetfrom", datetime.timedelta(hours=before))
        part.add("tzoffsetto", datetime.timedelta(hours=after))
        part.add("rrule", rule)
        zone.add_component(part)
    calendar.add_component(zone)
    new_york = pytz.timezone("America/New_York")

    def event(uid, summary, start, end=None, rule=None, description=None, **more):
        item = icalendar.Event()
        item.add("uid", uid)
        item.add("dtstamp", datetime.datetime(2007, 3, 1, tzinfo=pytz.utc))
        item.add("summary", summary)
        item.add("dtstart", start)
        if end is not None:
            item.add("dtend", end)
        if rule:
            item.add("rrule", rule)
        if description:
            item.add("description", description)
        for key, value in more.items():
            item.add(key, value)
        calendar.add_component(item)

    event("a", "All day, with; marks", datetime.date(2007, 3, 5))
    event("b", "Dentist", datetime.datetime(2007, 3, 6, 9, 30), datetime.datetime(2007, 3, 6, 10, 0),
          description="Bring the card\nFloor 2")
    event("c", "Call Anna", datetime.datetime(2007, 3, 7, 23, 15, tzinfo=pytz.utc))
    event("d", "New York", new_york.localize(datetime.datetime(2007, 6, 10, 22, 0)))
    event("e", "Trip", datetime.date(2007, 4, 20), datetime.date(2007, 4, 24))
    event("f", "Night shift", datetime.datetime(2007, 5, 1, 22, 0), datetime.datetime(2007, 5, 2, 6, 0))
    event("g", "Weekly", datetime.date(2007, 1, 2), rule={"freq": "weekly"})
    event("h", "Rent", datetime.date(2007, 1, 31), rule={"freq": "monthly", "bymonthday": [28, 29, 30, 31], "bysetpos": -1})
    event("i", "Course", datetime.date(2007, 3, 12), rule={"freq": "daily", "count": 10},
          exdate=datetime.date(2007, 3, 14))
    event("j", "Last Friday", datetime.date(2007, 3, 30), rule={"freq": "monthly", "byday": "-1FR"})
    event("k", "Stand-up", new_york.localize(datetime.datetime(2007, 3, 5, 9, 0)),
          rule={"freq": "weekly", "byday": ["MO", "WE", "FR"], "until": datetime.datetime(2007, 12, 31, tzinfo=pytz.utc)})
    event("l", "Caf\u00e9 \u65e5\u672c", datetime.date(2007, 3, 8))
    event("m", "Leap", datetime.date(2008, 2, 29), rule={"freq": "yearly", "bymonth": 2, "bymonthday": [28, 29], "bysetpos": -1})
    return calendar


def imported_file_agrees(work):
    store = os.path.join(work, "imported")
    os.makedirs(store)
    calendar = foreign_calendar()
    path = os.path.join(work, "foreign.ics")
    with open(path, "wb") as file:
        file.write(calendar.to_ical())
    today = datetime.date(2007, 3, 5)
    summary = helper("import", store, path, today.isoformat())
    print(summary.strip())
    again = helper("import", store, path, today.isoformat())
    assert again.startswith("Added 0 reminders"), again
    first, last = today - datetime.timedelta(days=366), today + datetime.timedelta(days=731)

    def local_time(moment):
        # The native stand-in's user lives at UTC; floating times are taken as they are.
        if moment.tzinfo is None:
            return moment
        return moment.astimezone(pytz.utc).replace(tzinfo=None)

    expected = expanded_days(calendar, first, last, local_time)
    # Characters the code page cannot hold become "?".
    for counter in expected.values():
        for key in list(counter):
            text = key[0].encode(CODE_PAGE, errors="replace").decode(CODE_PAGE)
            if text != key[0]:
                counter[(text, key[1])] += counter.pop(key)
    return compare(expected, shown(store, first, last), "import")


with tempfile.TemporaryDirectory() as work:
    results = [exported_file_agrees(work), imported_file_agrees(work)]
sys.exit(0 if all(results) else 1)
