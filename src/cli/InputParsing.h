// Parsing of the command line's values: dates, clock times, offsets, coordinates, spans.
// Each parser throws EUsageError with a message naming the option.
#pragma once

#include "ChartTypes.h"

#include <string>
#include <string_view>

namespace kyr::cli {

struct TDate {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    friend auto operator<=>(const TDate &, const TDate &) = default;
};

struct TUniversalMoment {
    TDate Date;
    int Seconds = 0; ///< seconds since midnight
};

struct TYearSpan {
    int FromYear = 0;
    int ToYear = 0;
};

/// YYYY-MM-DD with month 1..12 and a day the month can have in either calendar
/// (29 February in every fourth year); DateExists settles the calendar.
TDate ParseDate(std::string_view text, std::string_view option);
/// HH:MM or HH:MM:SS, 00:00:00 .. 23:59:59; the result is seconds since midnight.
int ParseClockTime(std::string_view text, std::string_view option);
/// "YYYY-MM-DD HH:MM[:SS]"; a 'T' may stand for the blank.
TUniversalMoment ParseUniversalMoment(std::string_view text, std::string_view option);
/// ±HH:MM, east of Greenwich positive, -12:00 .. +14:00; the result is minutes.
int ParseUtcOffset(std::string_view text, std::string_view option);
/// HH:MM of daylight saving in force, 00:00 .. 12:00; the result is minutes.
int ParseDaylightSaving(std::string_view text, std::string_view option);
/// Latitude as the program holds it (D.MMSS, north positive) from decimal degrees, north
/// positive, or from DDhMM[SS] with h = N or S. The range is left to the horoscope.
Extended ParseLatitude(std::string_view text, std::string_view option);
/// Longitude as the program holds it (D.MMSS, WEST positive) from decimal degrees, EAST
/// positive, or from DDDhMM[SS] with h = E or W. The range is left to the horoscope.
Extended ParseLongitude(std::string_view text, std::string_view option);
/// FROM-TO with 1500 <= FROM < TO <= FROM + 3 and TO <= 2100.
TYearSpan ParseYearSpan(std::string_view text, std::string_view option);
/// placidus, koch or equal, in any case.
int ParseHouseSystem(std::string_view text, std::string_view option);

enum class TWheelFormat { Png, Svg, Pdf };
/// The image format of a file name by its ending, .png, .svg or .pdf, in any case.
TWheelFormat ParseWheelFormat(std::string_view fileName, std::string_view option);
/// A whole number of pixels from MinWheelSize to MaxWheelSize.
int ParseWheelSize(std::string_view text, std::string_view option);
constexpr int MinWheelSize = 100;
constexpr int MaxWheelSize = 8000;

bool IsLeapYear(int year, bool julian);
int DaysInMonth(int year, int month, bool julian);
/// True when the date is a day of its calendar: Julian before gregorianStart, else Gregorian.
bool DateExists(const TDate &date, const TDate &gregorianStart);

/// Signed decimal degrees to signed D.MMSS, rounded to the nearest second.
Extended DegreesToProgramDms(double degrees);

/// "YYYY-MM-DD".
std::string FormatDate(const TDate &date);

} // namespace kyr::cli
