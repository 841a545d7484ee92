// Clock readings at a place around a change of summer time: a reading in the hour the clocks
// are put back names two moments, one in the hour they are put forward names none. And the
// other way round, the place's clock reading of a moment in universal time.
#pragma once

#include "PlaceOffsets.h"

namespace kyr {

enum class TClockReading {
    Single,   ///< one moment
    Repeated, ///< two moments: before the clocks were put back, and after
    Skipped,  ///< no moment: the clocks jumped over it
};

struct TClockMoments {
    TClockReading Reading = TClockReading::Single;
    /// The offsets of the only moment, or of the earlier one (the summer time before the
    /// change). For a skipped reading, the offsets the tables give it.
    TPlaceOffsets Earlier;
    /// The later moment of a repeated reading (the offsets after the change); else Earlier.
    TPlaceOffsets Later;
};

/// OffsetsForPlace of the place, date (YYYYMMDD) and clock time (HHMMSS), with what the
/// summer-time change of that day, if any, makes of the reading. Only summer changes are
/// looked at (the zone table changes at midnight), and only with summerSwitch on.
TClockMoments ClockMomentsForPlace(TDataCollection &data, const TAtlasPlace &place,
                                   long long date, long long time, bool zoneSwitch = true,
                                   bool summerSwitch = true);

/// A date (YYYYMMDD) and a time of day (HHMMSS).
struct TDateTimeNumbers {
    long long Date = 0;
    long long Time = 0;
    bool operator==(const TDateTimeNumbers &) const = default;
};

/// The universal time of a clock reading with these offsets: clock + zone − summer.
TDateTimeNumbers UniversalMoment(const TDateTimeNumbers &clock, const TPlaceOffsets &offsets);

/// The place's clock reading at a moment of universal time, with the offsets in force then;
/// in a repeated hour the reading that belongs to that moment.
struct TLocalMoment {
    TDateTimeNumbers Clock;
    TPlaceOffsets Offsets;
};
TLocalMoment LocalMomentForPlace(TDataCollection &data, const TAtlasPlace &place,
                                 const TDateTimeNumbers &universal);

} // namespace kyr
