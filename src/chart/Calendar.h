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
/// The order of day, month and year in the dates the program shows.
enum class TDateOrder { DayMonthYear, MonthDayYear };
/// The order of every shown date, from the settings (USDateFormat); day first until set.
void SetDateOrder(TDateOrder order);
TDateOrder DateOrder();
/// A shown date with its four-digit year: "14/03/1879" day first, "03/14/1879" month first.
/// Impossible parts of the integer YYYYMMDD are replaced (year 2000, month 11, day 16).
std::string DateText(int ymd, TDateOrder order);
/// DateText in the chosen order.
std::string YmdToDateString(int n);
/// YmdToDateString of a date value and the locale's time text of an H.MMSS time.
std::string DateTimeString(Extended date, Extended time);

} // namespace kyr
