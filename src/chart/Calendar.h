// Calendar arithmetic: day numbers, Julian days and the date value encodings.
#pragma once

#include "ChartTypes.h"

#include <string>

namespace kyr {

/// Julian day of the ephemeris epoch, 0 h UT of 20 December 1499 (Gregorian).
constexpr Extended EphemerisEpoch = 2268911.5L;

struct TYmd {
    int Year = 0;
    int Month = 0;
    int Day = 0;
};

/// Splits a date value YYYY.MMDD through its rounded integer form.
TYmd SplitDateValue(Extended x);
/// Builds the date value YYYY.MMDD.
Extended MakeDateValue(int year, int month, int day);
/// Splits an integer YYYYMMDD.
TYmd SplitYmd(int n);
/// Days since 1 January 1900 in the Julian or Gregorian calendar.
int DayNumber1900(int day, int month, int year, bool julian);
/// Julian day of 0 h UT of the given date.
Extended JulianDay0(int year, int month, bool gregorian, int day);
/// Julian day of 0 h UT of an integer YYYYMMDD.
Extended JulianDayFromYmd(int n, bool gregorian);
/// Integer YYYYMMDD of a Julian day; Gregorian from Julian day switchDay on.
int YmdFromJulianDay(int switchDay, Extended jd);
/// 0 = Sunday .. 6 = Saturday.
int DayOfWeek(Extended jd);
/// The locale's short date text of an integer YYYYMMDD, impossible parts replaced.
std::string YmdToDateString(int n);
/// The locale's short date and time texts of a date value and an H.MMSS time.
std::string DateTimeString(Extended date, Extended time);

} // namespace kyr
