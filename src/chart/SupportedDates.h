// The dates charts can be computed for, stated the same way by every message and dialog: the
// days the ephemeris file covers, clipped to the years the program supports.
#pragma once

#include "ChartTypes.h"

#include <string>

namespace kyr {

/// Birth years the program takes (the name dialog, the name files, the transit spans).
constexpr int FirstSupportedYear = 1500;
constexpr int LastSupportedYear = 2099;

/// Julian days (UT) from First, inclusive, to End, exclusive.
struct TSupportedDates {
    Extended First = 0;
    Extended End = 0;
    bool Contains(Extended jd) const { return jd >= First && jd < End; }
};

/// Refuses an ephemeris file of byteCount bytes that is empty or holds no computable day,
/// with an EHoroscopeException naming path.
void RequireEphemerisLength(const std::string &path, unsigned long long byteCount);

/// The supported dates of the open ephemeris file. EHoroscopeException when it is too short.
TSupportedDates SupportedDates();

/// "21 January 1600", or in the Julian calendar and marked so before the Gregorian reform of
/// 15 October 1582: "12 January 1500 (Julian)".
std::string CalendarDateText(Extended jd);

/// "Date outside the ephemeris: charts can be computed from FIRST to LAST." for the dates.
std::string OutsideSupportedDatesMessage(const TSupportedDates &dates);

} // namespace kyr
