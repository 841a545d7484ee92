#include "InputParsing.h"

#include "Angles.h"
#include "TextScanner.h"
#include "UsageError.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace kyr::cli {

namespace {

[[noreturn]] void Reject(std::string_view option, std::string_view text, std::string_view why) {
    throw EUsageError(std::string(option) + ": '" + std::string(text) + "' " + std::string(why));
}

// The forms of the values, one scan each. Each reads a whole form from the scanner's place
// and says whether it was there; what follows is left to the caller.
bool ScanDate(TTextScanner &s, TDate &date) {
    return s.TakeNumber(4, 4, date.Year) && s.Take('-') && s.TakeNumber(2, 2, date.Month) &&
           s.Take('-') && s.TakeNumber(2, 2, date.Day);
}

struct TClock {
    int Hours = 0, Minutes = 0, Seconds = 0;
};

// H:MM or HH:MM, then optionally :SS.
bool ScanClock(TTextScanner &s, TClock &clock) {
    if (!(s.TakeNumber(1, 2, clock.Hours) && s.Take(':') && s.TakeNumber(2, 2, clock.Minutes)))
        return false;
    return !s.Take(':') || s.TakeNumber(2, 2, clock.Seconds);
}

// [+-] then digits with an optional fraction, or a fraction alone (".5").
bool ScanDecimal(TTextScanner &s) {
    char sign = 0;
    s.TakeOneOf("+-", sign);
    if (s.SkipDigits() > 0) {
        if (s.Take('.'))
            s.SkipDigits();
        return true;
    }
    return s.Take('.') && s.SkipDigits() > 0;
}

TDate CheckedDate(const TDate &date, std::string_view text, std::string_view option) {
    if (date.Year < 1 || date.Month < 1 || date.Month > 12 || date.Day < 1 ||
        date.Day > DaysInMonth(date.Year, date.Month, true))
        Reject(option, text, "is not a calendar date");
    return date;
}

int CheckedSeconds(const TClock &clock, std::string_view text, std::string_view option) {
    if (clock.Hours > 23 || clock.Minutes > 59 || clock.Seconds > 59)
        Reject(option, text, "is not a time of day between 00:00:00 and 23:59:59");
    return 3600 * clock.Hours + 60 * clock.Minutes + clock.Seconds;
}

// One coordinate: positiveLetter and negativeLetter are the hemispheres of the program's
// sign; decimal input counts decimalPositive as positive.
Extended ParseCoordinate(std::string_view text, std::string_view option, char positiveLetter,
                         char negativeLetter, char decimalPositive, const char *form) {
    if (TTextScanner decimal(text); ScanDecimal(decimal) && decimal.AtEnd()) {
        const double degrees = std::strtod(std::string(text).c_str(), nullptr);
        const Extended dms = DegreesToProgramDms(degrees);
        return decimalPositive == positiveLetter ? dms : -dms;
    }
    // Degrees, hemisphere letter, two digits of minutes and optionally two of seconds.
    TTextScanner s(text);
    int degrees = 0, minutes = 0, seconds = 0;
    char letter = 0;
    if (s.TakeNumber(1, 3, degrees) && s.TakeOneOf("NSEWnsew", letter) &&
        s.TakeNumber(2, 2, minutes) && (s.AtEnd() || s.TakeNumber(2, 2, seconds)) && s.AtEnd()) {
        letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
        if (letter != positiveLetter && letter != negativeLetter)
            Reject(option, text, std::string("needs the hemisphere letter ") + positiveLetter +
                                     " or " + negativeLetter);
        if (minutes > 59 || seconds > 59)
            Reject(option, text, "has minutes or seconds beyond 59");
        const Extended dms = degrees + minutes / 100.0L + seconds / 10000.0L;
        return letter == positiveLetter ? dms : -dms;
    }
    Reject(option, text, std::string("is neither decimal degrees nor of the form ") + form);
}

} // namespace

bool IsLeapYear(int year, bool julian) {
    return year % 4 == 0 && (julian || year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month, bool julian) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year, julian) ? 29 : days[month - 1];
}

bool DateExists(const TDate &date, const TDate &gregorianStart) {
    return date.Day <= DaysInMonth(date.Year, date.Month, date < gregorianStart);
}

TDate ParseDate(std::string_view text, std::string_view option) {
    TTextScanner s(text);
    TDate date;
    if (!(ScanDate(s, date) && s.AtEnd()))
        Reject(option, text, "is not a date of the form YYYY-MM-DD");
    return CheckedDate(date, text, option);
}

int ParseClockTime(std::string_view text, std::string_view option) {
    TTextScanner s(text);
    TClock clock;
    if (!(ScanClock(s, clock) && s.AtEnd()))
        Reject(option, text, "is not a time of the form HH:MM or HH:MM:SS");
    return CheckedSeconds(clock, text, option);
}

TUniversalMoment ParseUniversalMoment(std::string_view text, std::string_view option) {
    TTextScanner s(text);
    TDate date;
    TClock clock;
    char separator = 0;
    if (!(ScanDate(s, date) && s.TakeOneOf(" T", separator) && ScanClock(s, clock) && s.AtEnd()))
        Reject(option, text, "is not a moment of the form \"YYYY-MM-DD HH:MM[:SS]\"");
    return {CheckedDate(date, text, option), CheckedSeconds(clock, text, option)};
}

int ParseUtcOffset(std::string_view text, std::string_view option) {
    TTextScanner s(text);
    char sign = 0;
    int hours = 0, minutes = 0;
    if (!(s.TakeOneOf("+-", sign) && s.TakeNumber(2, 2, hours) && s.Take(':') &&
          s.TakeNumber(2, 2, minutes) && s.AtEnd()))
        Reject(option, text, "is not an offset of the form +HH:MM or -HH:MM");
    const int offset = (sign == '-' ? -1 : 1) * (60 * hours + minutes);
    if (minutes > 59 || offset < -12 * 60 || offset > 14 * 60)
        Reject(option, text, "is not an offset between -12:00 and +14:00");
    return offset;
}

int ParseDaylightSaving(std::string_view text, std::string_view option) {
    TTextScanner s(text);
    int hours = 0, minutes = 0;
    if (!(s.TakeNumber(1, 2, hours) && s.Take(':') && s.TakeNumber(2, 2, minutes) && s.AtEnd()))
        Reject(option, text, "is not a duration of the form HH:MM");
    if (minutes > 59 || 60 * hours + minutes > 12 * 60)
        Reject(option, text, "is not a duration between 00:00 and 12:00");
    return 60 * hours + minutes;
}

Extended ParseLatitude(std::string_view text, std::string_view option) {
    return ParseCoordinate(text, option, 'N', 'S', 'N', "DDNMM[SS] or DDSMM[SS]");
}

Extended ParseLongitude(std::string_view text, std::string_view option) {
    return ParseCoordinate(text, option, 'W', 'E', 'E', "DDDEMM[SS] or DDDWMM[SS]");
}

TYearSpan ParseYearSpan(std::string_view text, std::string_view option) {
    TTextScanner s(text);
    TYearSpan span;
    if (!(s.TakeNumber(4, 4, span.FromYear) && s.Take('-') && s.TakeNumber(4, 4, span.ToYear) &&
          s.AtEnd()))
        Reject(option, text, "is not a span of years of the form FROM-TO");
    if (span.FromYear < 1500 || span.ToYear > 2100)
        Reject(option, text, "reaches outside the years 1500 to 2100");
    if (span.ToYear <= span.FromYear || span.ToYear > span.FromYear + 3)
        Reject(option, text, "must span one to three years (FROM < TO <= FROM + 3)");
    return span;
}

int ParseHouseSystem(std::string_view text, std::string_view option) {
    std::string lower(text);
    for (char &c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "placidus")
        return HousePlacidus;
    if (lower == "koch")
        return HouseKoch;
    if (lower == "equal")
        return HouseEqual;
    Reject(option, text, "is not a house system (placidus, koch or equal)");
}

TWheelFormat ParseWheelFormat(std::string_view fileName, std::string_view option) {
    std::string extension = std::filesystem::path(fileName).extension().string();
    for (char &c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".png")
        return TWheelFormat::Png;
    if (extension == ".svg")
        return TWheelFormat::Svg;
    if (extension == ".pdf")
        return TWheelFormat::Pdf;
    Reject(option, fileName, "does not end in .png, .svg or .pdf, the image formats");
}

int ParseWheelSize(std::string_view text, std::string_view option) {
    TTextScanner s(text);
    const std::size_t digits = s.SkipDigits();
    if (digits == 0 || !s.AtEnd())
        Reject(option, text, "is not a whole number of pixels");
    // More digits than any size has are out of range, not an overflow.
    int size = MaxWheelSize + 1;
    if (digits <= 5)
        TTextScanner(text).TakeNumber(1, 5, size);
    if (size < MinWheelSize || size > MaxWheelSize)
        Reject(option, text,
               "is not a size from " + std::to_string(MinWheelSize) + " to " +
                   std::to_string(MaxWheelSize) + " pixels");
    return size;
}

Extended DegreesToProgramDms(double degrees) {
    // DegreesToDms truncates to whole seconds and expects a non-negative value: half a second
    // added rounds instead, and keeps values such as 40.716667 (40°43') from losing a minute
    // to the binary fraction.
    const Extended dms = DegreesToDms(std::fabs(static_cast<Extended>(degrees)) + 1.0L / 7200);
    return degrees < 0 ? -dms : dms;
}

std::string FormatDate(const TDate &date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.Year, date.Month, date.Day);
    return text;
}

} // namespace kyr::cli
