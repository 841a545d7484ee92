#!/usr/bin/env python3
"""Zone and summer-time histories of the atlas, from the system's tz database.

Reads what places.mjs wrote (the places and the zones they use) and writes
  places.tsv.gz   STATES and PLACES, as places.mjs made them
  zones.tsv.gz    ZONEID, ZONE, SUMMERID and SUMMER: one definition of each per zone in use
and the fixtures of the offset test: random places and local moments, and moments at the
edges of changes, with the UTC offset the tz database gives there.

The transitions come from the zone's TZif file; after the last one the file's closing rule
string is followed to 2100 through zoneinfo. Each period's UTC offset is split into a standard
offset (ZONE rows, from a date on) and a daylight-saving amount (SUMMER rows, from a local
clock reading on). The split is derived from the offsets themselves, not from zoneinfo's dst():
the isdst flags only tell which neighbour is the standard time, and negative daylight saving
(Europe/Dublin, Morocco, Namibia) is turned around into positive summer time over the other
offset. Offsets are rounded to the nearest minute.

Standard time can only change at midnight in the ZONE table, and SUMMER has one row per day.
A change of standard time in the middle of a day is therefore written as the new zone row on
a day boundary plus summer-time rows that bridge the hours in between, so that zone time minus
summer time gives the tz database's offset at every local minute outside the skipped or
repeated hour of a change. The generator checks that at every point where either changes.
Only the standard library is used.
"""

import argparse
import bisect
import datetime as dt
import gzip
import random
import struct
import sys
import zoneinfo
from pathlib import Path

UTC = dt.timezone.utc
EPOCH = dt.datetime(1970, 1, 1, tzinfo=UTC)
DAY = 1440  # minutes
FIRST = dt.datetime(1500, 1, 1, tzinfo=UTC)
HORIZON = dt.datetime(2101, 1, 1, tzinfo=UTC)
FIRST_SECONDS = int((FIRST - EPOCH).total_seconds())
HORIZON_SECONDS = int((HORIZON - EPOCH).total_seconds())
NEVER = -(10**12)  # a local minute before every other

FIXTURE_PAIRS = 10000
FIXTURE_SEED = 1850
FIXTURE_FIRST = dt.datetime(1850, 1, 1)
FIXTURE_LAST = dt.datetime(2037, 12, 31, 23, 59)


class Period:
    """A stretch of constant UTC offset, from Start (UTC seconds; None: since always)."""

    def __init__(self, start, offset, isdst, abbr):
        self.Start = start
        self.Offset = offset  # seconds east of Greenwich
        self.IsDst = isdst
        self.Abbr = abbr
        self.Minutes = (offset + 30) // 60  # nearest minute, halves upwards
        self.Standard = None  # minutes east


# --- Reading the tz database ---------------------------------------------------------------

def read_tzif(path):
    """(type before the first transition, [(UTC seconds, type)], footer) of a TZif file,
    version 2 or later; a type is (offset seconds east, isdst, abbreviation)."""
    data = path.read_bytes()
    if data[:4] != b"TZif" or data[4] < ord("2"):
        raise ValueError(f"{path}: not a TZif file of version 2 or later")

    def counts(at):
        return struct.unpack(">6l", data[at + 20:at + 44])

    isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt = counts(0)
    at = 44 + timecnt * 5 + typecnt * 6 + charcnt + leapcnt * 8 + isstdcnt + isutcnt
    isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt = counts(at)
    at += 44
    times = struct.unpack(f">{timecnt}q", data[at:at + 8 * timecnt])
    at += 8 * timecnt
    indexes = data[at:at + timecnt]
    at += timecnt
    raw_types = [struct.unpack(">lBB", data[at + 6 * i:at + 6 * i + 6]) for i in range(typecnt)]
    at += 6 * typecnt
    chars = data[at:at + charcnt]
    at += charcnt + leapcnt * 12 + isstdcnt + isutcnt
    footer = data[at:].strip(b"\n").decode("ascii")

    def abbreviation(start):
        return chars[start:chars.index(b"\0", start)].decode("ascii")

    types = [(offset, bool(isdst), abbreviation(a)) for offset, isdst, a in raw_types]
    return types[0], [(t, types[i]) for t, i in zip(times, indexes)], footer


def footer_offsets(footer):
    """(standard offset seconds east, daylight offset or None) of a POSIX TZ string."""
    at = 0

    def name():
        nonlocal at
        if footer[at] == "<":
            at = footer.index(">", at) + 1
        else:
            while at < len(footer) and footer[at].isalpha():
                at += 1

    def offset():
        nonlocal at
        sign = 1
        if footer[at] in "+-":
            sign = -1 if footer[at] == "-" else 1
            at += 1
        start = at
        while at < len(footer) and (footer[at].isdigit() or footer[at] == ":"):
            at += 1
        parts = [int(p) for p in footer[start:at].split(":")] + [0, 0]
        # POSIX offsets are positive west.
        return -sign * (parts[0] * 3600 + parts[1] * 60 + parts[2])

    name()
    standard = offset()
    if at >= len(footer) or footer[at] == ",":
        return standard, None
    name()
    daylight = standard + 3600
    if at < len(footer) and footer[at] != ",":
        daylight = offset()
    return standard, daylight


def reference_longitudes(tzdir):
    """Longitude (seconds of arc, east positive) of each zone's reference place, from zone.tab."""
    longitudes = {}
    for line in (tzdir / "zone.tab").read_text(encoding="utf-8").splitlines():
        if line.startswith("#"):
            continue
        _, coordinates, name = line.split("\t")[:3]
        at = max(coordinates.rfind("+"), coordinates.rfind("-"))
        text = coordinates[at + 1:]
        degrees, minutes, seconds = int(text[:3]), int(text[3:5]), int(text[5:7] or 0)
        sign = -1 if coordinates[at] == "-" else 1
        longitudes[name] = sign * (degrees * 3600 + minutes * 60 + seconds)
    return longitudes


def mean_time(longitude):
    """Local mean time of a longitude (seconds of arc, east positive), seconds east."""
    return round(longitude / 15)


def utc_offset(zone, seconds):
    moment = dt.datetime.fromtimestamp(seconds, UTC).astimezone(zone)
    return int(moment.utcoffset().total_seconds()), moment.tzname()


# The tz database's mark of a place without local time (not yet inhabited).
UNINHABITED = "-00"


def periods_of(name, tzdir, longitudes):
    path = tzdir / name
    first_type, transitions, footer = read_tzif(path)
    with path.open("rb") as f:
        zone = zoneinfo.ZoneInfo.from_file(f, key=name)
    periods = [Period(None, *first_type)]
    for start, (offset, isdst, abbr) in transitions:
        if start < FIRST_SECONDS:
            periods[0] = Period(None, offset, isdst, abbr)
        elif start < HORIZON_SECONDS:
            periods.append(Period(start, offset, isdst, abbr))

    # The explicit transitions must be what zoneinfo sees too.
    for i, p in enumerate(periods):
        probe = FIRST_SECONDS if p.Start is None else p.Start
        if utc_offset(zone, probe)[0] != p.Offset:
            raise ValueError(f"{name}: the TZif reading disagrees with zoneinfo at {probe}")

    # A birth there before the place had a clock of its own still had the sun: local mean
    # time of the zone's reference place, as for every other zone before standard time.
    for i, p in enumerate(periods):
        if p.Abbr == UNINHABITED and name in longitudes:
            periods[i] = Period(p.Start, mean_time(longitudes[name]), False, "LMT")

    # After the last transition, follow the closing rule to 2100.
    standard, daylight = footer_offsets(footer)
    if daylight is not None:
        step = 7 * 86400
        t = (periods[-1].Start or FIRST_SECONDS) + 1
        current = utc_offset(zone, t)[0]
        while t < HORIZON_SECONDS:
            nxt = min(t + step, HORIZON_SECONDS)
            offset, _ = utc_offset(zone, nxt)
            if offset != current:
                low, high = t, nxt  # offset(low) == current, offset(high) differs
                while high - low > 1:
                    middle = (low + high) // 2
                    if utc_offset(zone, middle)[0] == current:
                        low = middle
                    else:
                        high = middle
                offset, abbr = utc_offset(zone, high)
                periods.append(Period(high, offset, offset != standard, abbr))
                current = offset
            t = nxt
    return periods, daylight is not None


# --- Splitting into standard time and summer time --------------------------------------------

def split_standard(periods, rule_has_dst):
    """Sets each period's standard offset (minutes east)."""
    n = len(periods)
    minutes = [p.Minutes for p in periods]

    def nearest_standard(i, step, daylight):
        j = i + step
        while 0 <= j < n:
            if not daylight[j]:
                return minutes[j]
            j += step
        return None

    flags = [p.IsDst for p in periods]
    negative = [False] * n
    for i in range(n):
        if flags[i]:
            before = nearest_standard(i, -1, flags)
            after = nearest_standard(i, 1, flags)
            below_before = before is None or minutes[i] < before
            below_after = after is None or minutes[i] < after
            if (before is not None or after is not None) and below_before and below_after:
                negative[i] = True

    # Negative summer time: that period is the standard time, and the standard periods
    # between two of them are summer time over it.
    daylight = [flags[i] and not negative[i] for i in range(n)]
    standard = [None] * n
    for i in range(n):
        if flags[i] or negative[i]:
            continue
        left = i > 0 and negative[i - 1]
        right = (i + 1 < n and negative[i + 1]) or (i == n - 1 and rule_has_dst)
        if left and right and minutes[i] > minutes[i - 1]:
            daylight[i] = True
            standard[i] = minutes[i - 1]

    for i in range(n):
        if standard[i] is not None:
            continue
        if not daylight[i]:
            standard[i] = minutes[i]
            continue
        # Over the standard time before it; when that gives no plausible amount (the zone
        # changed its standard time during the summer, or crossed the date line), over the
        # one after it, whichever amount is smaller and positive.
        before = nearest_standard(i, -1, daylight)
        if before is not None and 0 < minutes[i] - before <= 180:
            standard[i] = before
            continue
        amounts = [minutes[i] - s for s in (before, nearest_standard(i, 1, daylight))
                   if s is not None and minutes[i] > s]
        standard[i] = minutes[i] - min(amounts) if amounts else minutes[i]
    for p, s in zip(periods, standard):
        p.Standard = s


class Segment:
    """From local clock minute Start on (the clock that ran before the change), the total
    offset Total and the standard offset Standard, minutes east."""

    def __init__(self, start, total, standard, lmt):
        self.Start, self.Total, self.Standard, self.Lmt = start, total, standard, lmt


def segments_of(periods):
    segments = []
    for i, p in enumerate(periods):
        lmt = p.Abbr == "LMT"
        if p.Start is None:
            start = NEVER
        else:
            start = (p.Start + periods[i - 1].Minutes * 60 + 30) // 60
        if segments and (segments[-1].Total, segments[-1].Standard, segments[-1].Lmt) == \
                (p.Minutes, p.Standard, lmt):
            continue
        if segments and (segments[-1].Standard, segments[-1].Lmt) != (p.Standard, lmt):
            # Clock readings that a change skips or repeats may take either offset: when they
            # reach a midnight, the change of standard time moves there and needs no bridge
            # (a day repeated at the date line).
            jump = p.Minutes - segments[-1].Total
            low, high = (start, start + jump) if jump > 0 else (start + jump, start)
            midnight = high // DAY * DAY
            if low <= midnight and midnight > segments[-1].Start:
                start = midnight
        if segments and start <= segments[-1].Start:
            raise ValueError("transitions closer than the change of offset")
        segments.append(Segment(start, p.Minutes, p.Standard, lmt))
    return segments


# --- ZONE and SUMMER rows -----------------------------------------------------------------------

class Tables:
    """The rows of one zone: zone rows (day, standard minutes east, lmt) and summer rows
    (local minute, summer minutes), days and minutes counted from 1970-01-01."""

    def __init__(self, segments):
        self.Segments = segments
        self.Starts = [s.Start for s in segments]

    def total_at(self, minute):
        return self.Segments[bisect.bisect_right(self.Starts, minute) - 1].Total

    @staticmethod
    def zone_at(zone_days, zone_values, day):
        return zone_values[bisect.bisect_right(zone_days, day) - 1][0]

    def summer_changes(self, zone_days, zone_values, low=FIRST_SECONDS // 60, high=None):
        """The changes of total − zone standard offset within [low, high): [(minute, amount)],
        with the amount in force at low first."""
        points = {s.Start for s in self.Segments[1:]}
        points.update(d * DAY for d in zone_days[1:])
        points = sorted(p for p in points if p > low and (high is None or p < high))
        changes = []
        last = None
        for p in [low] + points:
            amount = self.total_at(p) - self.zone_at(zone_days, zone_values, p // DAY)
            if amount != last:
                changes.append((p, amount))
                last = amount
        return changes

    def faults(self, zone_days, zone_values, low_day, high_day):
        """How badly the rows fit within those days: negative or too large summer amounts,
        and days with more than one summer change (the table keeps one per day)."""
        changes = self.summer_changes(zone_days, zone_values, low_day * DAY, high_day * DAY)
        faults = sum(1 for _, a in changes if a < 0 or a >= DAY)
        per_day = {}
        for minute, _ in changes[1:]:
            per_day[minute // DAY] = per_day.get(minute // DAY, 0) + 1
        return faults + sum(n - 1 for n in per_day.values())

    def build(self):
        segments = self.Segments
        first_day = FIRST_SECONDS // 86400
        zone_days = [first_day]
        zone_values = [(segments[0].Standard, segments[0].Lmt)]
        for j in range(1, len(segments)):
            value = (segments[j].Standard, segments[j].Lmt)
            if value == (segments[j - 1].Standard, segments[j - 1].Lmt):
                continue
            day, time = divmod(segments[j].Start, DAY)
            # Midnight changes fit as they are; otherwise the next midnight (summer rows
            # bridge the rest of the day) or the midnight before it.
            choices = [day] if time == 0 else [day + 1, day - 1, day, day + 2, day - 2]
            best = None
            for choice in choices:
                if choice <= zone_days[-1]:
                    continue
                days, values = zone_days + [choice], zone_values + [value]
                cost = self.faults(days, values, choice - 3, choice + 4)
                if best is None or cost < best[0]:
                    best = (cost, choice)
                if cost == 0:
                    break
            if best is None:  # two changes on one day: the later one holds
                zone_values[-1] = value
            else:
                zone_days.append(best[1])
                zone_values.append(value)

        summer = []
        for minute, amount in self.summer_changes(zone_days, zone_values):
            if minute == FIRST_SECONDS // 60:
                if amount != 0:
                    summer.append((FIRST_SECONDS // 60, amount))
                continue
            if summer and summer[-1][0] // DAY == minute // DAY:
                summer[-1] = (minute, amount)  # one row a day: the later change holds
                if amount == (summer[-2][1] if len(summer) > 1 else 0):
                    summer.pop()
            elif amount != (summer[-1][1] if summer else 0):
                summer.append((minute, amount))
        for minute, amount in summer:
            if not 0 <= amount < DAY:
                raise ValueError(f"a summer amount of {amount} minutes on day {minute // DAY}")
        self.ZoneDays, self.ZoneValues, self.Summer = zone_days, zone_values, summer
        return self

    def inexact_minutes(self):
        """Minutes of local time (1500..2100) at which the rows differ from the tz database,
        outside the hours that the changes skip or repeat."""
        points = {s.Start for s in self.Segments[1:]}
        points.update(d * DAY for d in self.ZoneDays[1:])
        points.update(m for m, _ in self.Summer)
        points = sorted(points | {FIRST_SECONDS // 60, HORIZON_SECONDS // 60})
        summer_minutes = [m for m, _ in self.Summer]
        bad = 0
        for a, b in zip(points, points[1:]):
            if a < FIRST_SECONDS // 60 or a >= HORIZON_SECONDS // 60:
                continue
            zone = self.zone_at(self.ZoneDays, self.ZoneValues, a // DAY)
            i = bisect.bisect_right(summer_minutes, a) - 1
            table = zone + (self.Summer[i][1] if i >= 0 else 0)
            if table != self.total_at(a):
                bad += b - a - self.changing_minutes(a, b)
        return bad

    def changing_minutes(self, a, b):
        """Minutes of [a, b) that lie in a skipped or repeated stretch of clock readings."""
        n = 0
        for j in range(1, len(self.Segments)):
            s = self.Segments[j]
            jump = abs(s.Total - self.Segments[j - 1].Total)
            low, high = (s.Start - jump, s.Start) if s.Total < self.Segments[j - 1].Total \
                else (s.Start, s.Start + jump)
            n += max(0, min(b, high) - max(a, low))
        return min(n, b - a)


# --- Output -------------------------------------------------------------------------------------

def day_text(day):
    d = dt.date(1970, 1, 1) + dt.timedelta(days=day)
    return f"{d.year:04d}{d.month:02d}{d.day:02d}"


def hours_minutes(minutes):
    """±(hours·100 + minutes)."""
    sign = -1 if minutes < 0 else 1
    m = abs(minutes)
    return sign * (m // 60 * 100 + m % 60)


def read_sections(text):
    sections, current = {}, None
    for line in text.splitlines():
        if not line or line.startswith("#"):
            continue
        if line.startswith("["):
            current = sections.setdefault(line[1:-1], [])
        else:
            current.append(line.split("\t"))
    return sections


def write_gzip(path, text):
    # No name and no time stamp in the header, so that the same text gives the same bytes.
    with open(path, "wb") as raw:
        with gzip.GzipFile(filename="", mode="wb", fileobj=raw, compresslevel=9, mtime=0) as f:
            f.write(text.encode("utf-8"))


def tz_version(tzdir):
    try:
        first = (tzdir / "tzdata.zi").read_text().splitlines()[0]
        return first.split()[-1]
    except (OSError, IndexError):
        return "unknown"


class Fixtures:
    """The offset test's fixtures: places and local moments with the UTC offset that zoneinfo
    gives there, and whether the moment is one the tables cannot be held to."""

    HEADER = [
        "# place, zone, date YYYYMMDD, time HHMMSS, UTC offset in seconds east, and a mark: 1",
        "# when the moment lies in the skipped or repeated stretch of a change (or within a",
        "# minute of a change to an offset with seconds), 2 when the tz database gives the",
        "# place no local time yet (-00; the atlas keeps the local mean time of the zone's",
        "# reference place there), else 0.",
    ]

    def __init__(self, tzdir, states, version):
        self.TzDir, self.States, self.Version = tzdir, states, version
        self.Zones = {}

    def line(self, row, zone_name, local):
        if zone_name not in self.Zones:
            with (self.TzDir / zone_name).open("rb") as f:
                self.Zones[zone_name] = zoneinfo.ZoneInfo.from_file(f, key=zone_name)
        zone = self.Zones[zone_name]
        moment = local.replace(tzinfo=zone)
        offset = int(moment.utcoffset().total_seconds())
        changing = offset != int(moment.replace(fold=1).utcoffset().total_seconds())
        for near in (-1, 1):
            other = int((local + dt.timedelta(minutes=near)).replace(tzinfo=zone)
                        .utcoffset().total_seconds())
            changing = changing or (other != offset and (other % 60 or offset % 60))
        mark = "2" if moment.tzname() == UNINHABITED else "1" if changing else "0"
        return "\t".join([self.States[row[0]], row[1], zone_name, local.strftime("%Y%m%d"),
                          local.strftime("%H%M%S"), str(offset), mark])

    def random_pairs(self, places, zone_names):
        rng = random.Random(FIXTURE_SEED)

        def below(n):
            while True:
                r = rng.getrandbits(n.bit_length())
                if r < n:
                    return r

        span = int((FIXTURE_LAST - FIXTURE_FIRST).total_seconds()) // 60 + 1
        lines = [
            f"# {FIXTURE_PAIRS} random places and local clock moments (1850-2037) with the UTC",
            f"# offset that the tz database {self.Version} gives there, written by",
            "# tools/atlas/histories.py. Columns: state,",
        ] + self.HEADER
        for _ in range(FIXTURE_PAIRS):
            row = places[below(len(places))]
            local = FIXTURE_FIRST + dt.timedelta(minutes=below(span))
            lines.append(self.line(row, zone_names[row[4]], local))
        return "\n".join(lines) + "\n"

    def change_pairs(self, places, zone_changes):
        """Moments at the edges of changes (1850-2037), where a summer row's start or a zone
        row's day shows: every change of standard time, and one change of summer time a zone
        chosen at random. Per change the last minute before the skipped or repeated stretch,
        its first minute and the first minute after it."""
        rng = random.Random(FIXTURE_SEED)
        first_place = {}
        for row in places:
            first_place.setdefault(row[4], row)
        lines = [
            "# Places of each zone and local clock moments at the edges of changes (1850-2037)",
            f"# with the UTC offset that the tz database {self.Version} gives there, written by",
            "# tools/atlas/histories.py. Columns: state,",
        ] + self.HEADER
        low = int((FIXTURE_FIRST.replace(tzinfo=UTC) - EPOCH).total_seconds())
        high = int((FIXTURE_LAST.replace(tzinfo=UTC) - EPOCH).total_seconds())
        for zone_id, zone_name, changes in zone_changes:
            # Whole minutes only: elsewhere the tables round.
            usable = [c for c in changes if low <= c[0] <= high and c[0] % 60 == 0
                      and c[1] % 60 == 0 and c[2] % 60 == 0 and c[1] != c[2]]
            chosen = [c for c in usable if c[3]]
            summer = [c for c in usable if not c[3]]
            if summer:
                chosen.append(summer[rng.randrange(len(summer))])
            for start, before, after, _ in sorted(chosen):
                reading = start + before  # the clock before the change
                jump = after - before
                stretch = (reading, reading + jump) if jump > 0 else (reading + jump, reading)
                for seconds in (stretch[0] - 60, stretch[0], stretch[1]):
                    local = dt.datetime(1970, 1, 1) + dt.timedelta(seconds=seconds)
                    lines.append(self.line(first_place[zone_id], zone_name, local))
        return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    source = parser.add_mutually_exclusive_group(required=True)
    source.add_argument("--work", type=Path, help="what places.mjs wrote")
    source.add_argument("--from", dest="committed", type=Path,
                        help="atlas sources to take the places and zones from instead, to check "
                             "that the histories and the fixture reproduce")
    parser.add_argument("--out", required=True, type=Path, help="data/atlas")
    parser.add_argument("--fixtures", required=True, type=Path,
                        help="folder of the offset test's fixtures")
    parser.add_argument("--tzdir", default="/usr/share/zoneinfo", type=Path)
    args = parser.parse_args()

    version = tz_version(args.tzdir)
    longitudes = reference_longitudes(args.tzdir)
    if args.work:
        places_text = (args.work / "places.tsv").read_text(encoding="utf-8")
        zone_rows = [line.split("\t")[:3] for line in
                     (args.work / "zones.tsv").read_text(encoding="utf-8").splitlines() if line]
    else:
        places_text = gzip.decompress((args.committed / "places.tsv.gz").read_bytes()).decode()
        zones_text = gzip.decompress((args.committed / "zones.tsv.gz").read_bytes()).decode()
        zone_rows = read_sections(zones_text)["ZONEID"]
    out_zoneid, out_zone, out_summerid, out_summer = [], [], [], []
    inexact = {}
    zone_changes = []
    for zone_id, name, gregorian in zone_rows:
        periods, rule_has_dst = periods_of(name, args.tzdir, longitudes)
        split_standard(periods, rule_has_dst)
        zone_changes.append((zone_id, name, [
            (p.Start, q.Offset, p.Offset, p.Standard != q.Standard)
            for q, p in zip(periods, periods[1:])]))
        tables = Tables(segments_of(periods)).build()
        bad = tables.inexact_minutes()
        if bad:
            inexact[name] = bad
        out_zoneid.append(f"{zone_id}\t{name}\t{gregorian}")
        out_summerid.append(f"{zone_id}\t{name}")
        for day, (standard, lmt) in zip(tables.ZoneDays, tables.ZoneValues):
            out_zone.append(f"{zone_id}\t{day_text(day)}\t{hours_minutes(-standard)}\t"
                            f"{'True' if lmt else 'False'}")
        for minute, amount in tables.Summer:
            day, time = divmod(minute, DAY)
            out_summer.append(f"{zone_id}\t{day_text(day)}\t{hours_minutes(time)}\t"
                              f"{hours_minutes(amount)}")

    if inexact:
        for name, minutes in sorted(inexact.items()):
            print(f"{name}: {minutes} minutes that the rows cannot give exactly", file=sys.stderr)
        sys.exit("histories.py: nothing written")

    header = [
        "# Time-zone and summer-time histories of the atlas: one definition of each per IANA zone",
        f"# in use, named by the zone, from the tz database {version}, to 2100. Written by",
        "# tools/atlas/histories.py; regenerate rather than edit.",
        "# Offsets are hours * 100 + minutes, zone offsets WEST positive; dates are YYYYMMDD;",
        "# a summer row holds from the local clock reading FromTime (HHMM) on, TimeDiff 0 ends",
        "# a summer period. LocalMeanTime marks zone rows that keep the local mean time of the",
        "# zone's reference place.",
    ]
    text = "\n".join(header + [
        "", "[ZONEID]", "# ZoneID, ZoneName, GregDate", *out_zoneid,
        "", "[ZONE]", "# ZoneID, StartDate, TimeDelta, LocalMeanTime", *out_zone,
        "", "[SUMMERID]", "# SummerID, SummerName", *out_summerid,
        "", "[SUMMER]", "# SummerID, FromDate, FromTime, TimeDiff", *out_summer]) + "\n"
    args.out.mkdir(parents=True, exist_ok=True)
    write_gzip(args.out / "zones.tsv.gz", text)

    write_gzip(args.out / "places.tsv.gz", places_text)

    sections = read_sections(places_text)
    states = {row[0]: row[1] for row in sections["STATES"]}
    zone_names = {row[0]: row[1] for row in zone_rows}
    fixtures = Fixtures(args.tzdir, states, version)
    args.fixtures.mkdir(parents=True, exist_ok=True)
    (args.fixtures / "zone-offsets.tsv").write_text(
        fixtures.random_pairs(sections["PLACES"], zone_names), encoding="utf-8")
    (args.fixtures / "zone-changes.tsv").write_text(
        fixtures.change_pairs(sections["PLACES"], zone_changes), encoding="utf-8")

    print(f"tz database {version}: {len(out_zoneid)} zones, {len(out_zone)} ZONE rows, "
          f"{len(out_summer)} SUMMER rows")


if __name__ == "__main__":
    main()
