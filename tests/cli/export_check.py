#!/usr/bin/env python3
"""Reads daylark-cli's exports with libraries that share no code with Daylark.

The iCalendar file is parsed by `icalendar`; each alarm's RRULE, expanded by `dateutil`, must
fall on exactly the days `daylark-cli alarms DAY` names for that alarm, from its own date on,
over a span that crosses both summer-time changes. The Markdown export's task items are read
back by a small task-list parser and must keep the state each task had in the diary.

Usage: export_check.py PATH-TO-daylark-cli
"""

import datetime
import os
import re
import subprocess
import sys
import tempfile

from dateutil import rrule
import icalendar

# New York's rule since 2007, written out so no zone file is needed; with it the exported times
# are floating local times.
RULE_ZONE = "EST5EDT,M3.2.0,M11.1.0"
SPAN_START = datetime.date(2027, 1, 1)
SPAN_END = datetime.date(2028, 3, 31)

# Name, first time, frequency. The names carry iCalendar's special characters; the 02:30 alarm
# falls on the day when 02:30 does not exist (14 March 2027); the yearly one starts in that gap.
ALARMS = [
    ("Dentist", "2027-03-15 09:30", "once"),
    ("Night shift, ward; B\\2", "2027-03-10 02:30", "daily"),
    ("Gym", "2027-03-09 18:00", "weekly"),
    ("Stand-up", "2027-02-26 23:30", "biweekly"),
    ("Rent", "2027-01-31 08:00", "monthly"),
    ("Clocks", "2027-03-14 02:30", "yearly"),
    ("Leap", "2027-11-07 01:30", "birthday"),
    ("Before", "2027-06-15 12:00", "weekly"),
]


def run(cli, env, *args, stdin=None):
    done = subprocess.run([cli, *args], env=env, input=stdin, capture_output=True, check=False)
    if done.returncode != 0:
        sys.exit(f"daylark-cli {' '.join(args)}: exit {done.returncode}: {done.stderr!r}")
    return done.stdout


def days():
    day = SPAN_START
    while day <= SPAN_END:
        yield day
        day += datetime.timedelta(days=1)


def expected_days(cli, env):
    """The days within the span each alarm falls on by daylark-cli, from its own date on."""
    found = {name: set() for name, _, _ in ALARMS}
    own = {name: datetime.date.fromisoformat(at[:10]) for name, at, _ in ALARMS}
    for day in days():
        listing = run(cli, env, "alarms", day.isoformat()).decode("utf-8")
        for line in listing.splitlines():
            name = line.split(" ", 2)[2]
            if day >= own[name]:
                found[name].add(day)
    return found


def exported_days(path):
    with open(path, "rb") as file:
        data = file.read()
    for line in data.split(b"\r\n")[:-1]:
        assert len(line) <= 75, f"line longer than 75 octets: {line!r}"
        assert b"\n" not in line and b"\r" not in line, f"bare line break in {line!r}"
    calendar = icalendar.Calendar.from_ical(data)
    found = {}
    uids = set()
    for event in calendar.walk("VEVENT"):
        name = str(event["SUMMARY"])
        uid = str(event["UID"])
        assert uid not in uids, f"UID {uid} given twice"
        uids.add(uid)
        alarms = event.walk("VALARM")
        assert len(alarms) == 1 and str(alarms[0]["ACTION"]) == "DISPLAY", name
        start = event.decoded("DTSTART")
        until = datetime.datetime.combine(SPAN_END, datetime.time(23, 59, 59))
        if start.tzinfo is not None:
            until = start.tzinfo.localize(until) if hasattr(start.tzinfo, "localize") else \
                until.replace(tzinfo=start.tzinfo)
        if "RRULE" in event:
            rule = event["RRULE"].to_ical().decode("ascii")
            times = rrule.rrulestr(rule, dtstart=start).between(start, until, inc=True)
        else:
            times = [start]
        found[name] = {t.date() for t in times if SPAN_START <= t.date() <= SPAN_END}
    return found


def check_calendar(cli, env, folder):
    path = os.path.join(folder, "alarms.ics")
    run(cli, env, "export", "ics", path)
    got = exported_days(path)
    want = expected_days(cli, env)
    assert set(got) == set(want), f"events {sorted(got)} for alarms {sorted(want)}"
    for name in want:
        missing = sorted(want[name] - got[name])[:5]
        extra = sorted(got[name] - want[name])[:5]
        assert not missing and not extra, f"{name}: missing {missing}, extra {extra}"


TASK_ITEM = re.compile(r"^[ \t]*[-*+] \[([ xX])\](?:[ \t]|$)")


def task_states(markdown):
    """GitHub's task list items: ' ' open, 'x' or 'X' done."""
    return ["done" if m.group(1) in "xX" else "open"
            for m in map(TASK_ITEM.match, markdown.splitlines()) if m]


def check_markdown(cli, env, folder):
    tasks = "{} milk\n{x} bread\n{ } eggs\n{ok} tea\n  {}indented\nplain {} line\n"
    states = ["open", "done", "open", "done", "open"]
    run(cli, env, "list", "Shopping", "-", stdin=tasks.encode())
    run(cli, env, "note", "2030-05-01", "-", stdin=tasks.encode())
    run(cli, env, "add", "-", stdin=tasks.encode())
    out = os.path.join(folder, "markdown")
    run(cli, env, "export", "markdown", out)
    for name in ("lists/Shopping.md", "notes/2030-05-01.md", "today.md"):
        with open(os.path.join(out, name), encoding="utf-8") as file:
            got = task_states(file.read())
        assert got == states, f"{name}: tasks read back as {got}"


def main():
    cli = os.path.abspath(sys.argv[1])
    zones = [RULE_ZONE]
    # A named zone exercises TZID and VTIMEZONE, where the zone files are installed.
    if os.path.exists("/usr/share/zoneinfo/America/New_York"):
        zones.append("America/New_York")
    for zone in zones:
        with tempfile.TemporaryDirectory() as folder:
            env = {"PATH": os.environ.get("PATH", ""), "HOME": folder, "TZ": zone,
                   "DAYLARK_DATA_DIR": os.path.join(folder, "data"),
                   "XDG_CONFIG_HOME": os.path.join(folder, "config")}
            for name, at, every in ALARMS:
                run(cli, env, "alarm", "add", name, "--at", at, "--every", every)
            check_calendar(cli, env, folder)
            if zone == RULE_ZONE:
                check_markdown(cli, env, folder)
    print("exports read back by icalendar, dateutil and a task-list parser")


if __name__ == "__main__":
    main()
