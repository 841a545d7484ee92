#include "ClockMoments.h"

#include "Calendar.h"
#include "IndexScope.h"
#include "KyrTableImpl.h"

#include <cmath>

namespace kyr {

namespace {

// H.MM as signed seconds.
long long OffsetSeconds(Extended value) {
    const Extended magnitude = std::fabs(value);
    const long long hours = static_cast<long long>(magnitude);
    const long long seconds =
        (hours * 60 + std::llround((magnitude - hours) * 100)) * 60;
    return value < 0 ? -seconds : seconds;
}

long long SecondsOfDay(long long time) {
    return time / 10000 * 3600 + time / 100 % 100 * 60 + time % 100;
}

// The summer definition's change on the date: its clock reading (HHMM, on the clock that ran
// before it) and the amount from then on. None when the day has no row.
struct TSummerChange {
    long long FromTime = 0;
    Extended After = 0;
};

std::optional<TSummerChange> SummerChangeOn(TDataCollection &data, const std::string &summerName,
                                            long long date) {
    std::string id;
    {
        TIndexScope scope(data.SummerIdTable, "Summer");
        if (!data.SummerIdTable.FindKey({summerName}))
            return std::nullopt;
        id = CutToCharacters(data.SummerIdTable.FieldByName("SummerID").AsString(), 10);
    }
    TIndexScope scope(data.SummerTable, "");
    if (!data.SummerTable.FindKey({id, date}))
        return std::nullopt;
    return TSummerChange{data.SummerTable.FieldByName("FromTime").AsInteger(),
                         data.SummerTable.FieldByName("TimeDiff").AsInteger() / 100.0L};
}

bool SameOffsets(const TPlaceOffsets &a, const TPlaceOffsets &b) {
    return OffsetSeconds(a.ZoneTime) == OffsetSeconds(b.ZoneTime) &&
           OffsetSeconds(a.SummerTime) == OffsetSeconds(b.SummerTime);
}

// The reading shifted by a number of seconds, across midnight into other days.
TDateTimeNumbers Shifted(const TDateTimeNumbers &moment, long long seconds) {
    long long total = SecondsOfDay(moment.Time) + seconds;
    long long days = total >= 0 ? total / 86400 : -((-total + 86399) / 86400);
    total -= days * 86400;
    long long date = moment.Date;
    if (days != 0) {
        const Extended jd = JulianDayFromYmd(static_cast<int>(date), true) + days;
        date = YmdFromJulianDay(0, jd);
    }
    return {date, total / 3600 * 10000 + total / 60 % 60 * 100 + total % 60};
}

} // namespace

TClockMoments ClockMomentsForPlace(TDataCollection &data, const TAtlasPlace &place,
                                   long long date, long long time, bool zoneSwitch,
                                   bool summerSwitch) {
    TClockMoments moments;
    moments.Earlier = OffsetsForPlace(data, place, date, time, zoneSwitch, summerSwitch);
    moments.Later = moments.Earlier;
    if (!summerSwitch || place.SummerName.empty())
        return moments;
    const std::optional<TSummerChange> change = SummerChangeOn(data, place.SummerName, date);
    if (!change)
        return moments;
    // The amount before the change: the reading just before its own clock time.
    const Extended before = data.SummerTimeFor(place.SummerName, date, -1);
    const long long jump = OffsetSeconds(change->After) - OffsetSeconds(before);
    const long long at = SecondsOfDay(change->FromTime * 100);
    const long long reading = SecondsOfDay(time);
    if (jump < 0 && reading >= at + jump && reading < at) {
        moments.Reading = TClockReading::Repeated;
        moments.Earlier.SummerTime = before;
        moments.Later.SummerTime = change->After;
    } else if (jump > 0 && reading >= at && reading < at + jump) {
        moments.Reading = TClockReading::Skipped;
    }
    return moments;
}

TDateTimeNumbers UniversalMoment(const TDateTimeNumbers &clock, const TPlaceOffsets &offsets) {
    return Shifted(clock, OffsetSeconds(offsets.ZoneTime) - OffsetSeconds(offsets.SummerTime));
}

TLocalMoment LocalMomentForPlace(TDataCollection &data, const TAtlasPlace &place,
                                 const TDateTimeNumbers &universal) {
    // Guess the offsets, read the clock they give, and take that reading's offsets until they
    // agree; a repeated reading agrees with either of its moments.
    TPlaceOffsets offsets;
    if (!place.ZoneName.empty())
        offsets.ZoneTime =
            ZoneTimeForPlace(data, place.ZoneName, universal.Date, place.Longitude);
    TLocalMoment local;
    for (int step = 0; step < 4; ++step) {
        local.Clock = Shifted(universal, OffsetSeconds(offsets.SummerTime) -
                                             OffsetSeconds(offsets.ZoneTime));
        const TClockMoments moments =
            ClockMomentsForPlace(data, place, local.Clock.Date, local.Clock.Time);
        local.Offsets = offsets;
        if (moments.Reading != TClockReading::Skipped &&
            (SameOffsets(moments.Earlier, offsets) || SameOffsets(moments.Later, offsets)))
            return local;
        offsets = moments.Earlier;
    }
    return local;
}

} // namespace kyr
