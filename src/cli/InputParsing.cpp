#include "InputParsing.h"

#include "Angles.h"
#include "UsageError.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>

namespace kyr::cli {

namespace {

[[noreturn]] void Reject(std::string_view option, std::string_view text, std::string_view why) {
    throw EUsageError(std::string(option) + ": '" + std::string(text) + "' " + std::string(why));
}

bool Match(std::string_view text, const std::regex &pattern, std::cmatch &parts) {
    return std::regex_match(text.data(), text.data() + text.size(), parts, pattern);
}

int Number(const std::cmatch &parts, int index) {
    return parts[index].matched ? std::atoi(parts[index].str().c_str()) : 0;
}

TDate DateFromParts(const std::cmatch &parts, int first, std::string_view text,
                    std::string_view option) {
    const TDate date{Number(parts, first), Number(parts, first + 1), Number(parts, first + 2)};
    if (date.Year < 1 || date.Month < 1 || date.Month > 12 || date.Day < 1 ||
        date.Day > DaysInMonth(date.Year, date.Month, true))
        Reject(option, text, "is not a calendar date");
    return date;
}

int SecondsFromParts(const std::cmatch &parts, int first, std::string_view text,
                     std::string_view option) {
    const int h = Number(parts, first), m = Number(parts, first + 1), s = Number(parts, first + 2);
    if (h > 23 || m > 59 || s > 59)
        Reject(option, text, "is not a time of day between 00:00:00 and 23:59:59");
    return 3600 * h + 60 * m + s;
}

const std::regex DatePattern(R"((\d{4})-(\d{2})-(\d{2}))");
const std::regex ClockPattern(R"((\d{1,2}):(\d{2})(?::(\d{2}))?)");
const std::regex MomentPattern(R"((\d{4})-(\d{2})-(\d{2})[ T](\d{1,2}):(\d{2})(?::(\d{2}))?)");
const std::regex OffsetPattern(R"(([+-])(\d{2}):(\d{2}))");
const std::regex DurationPattern(R"((\d{1,2}):(\d{2}))");
const std::regex DecimalPattern(R"([+-]?(\d+(\.\d*)?|\.\d+))");
// Degrees, hemisphere letter, two digits of minutes and optionally two of seconds.
const std::regex SexagesimalPattern(R"((\d{1,3})([NSEWnsew])(\d{2})(\d{2})?)");
const std::regex SpanPattern(R"((\d{4})-(\d{4}))");
const std::regex SizePattern(R"((\d+))");

// One coordinate: positiveLetter and negativeLetter are the hemispheres of the program's
// sign; decimal input counts decimalPositive as positive.
Extended ParseCoordinate(std::string_view text, std::string_view option, char positiveLetter,
                         char negativeLetter, char decimalPositive, const char *form) {
    std::cmatch parts;
    if (Match(text, DecimalPattern, parts)) {
        const double degrees = std::strtod(std::string(text).c_str(), nullptr);
        const Extended dms = DegreesToProgramDms(degrees);
        return decimalPositive == positiveLetter ? dms : -dms;
    }
    if (Match(text, SexagesimalPattern, parts)) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(parts[2].str()[0])));
        if (letter != positiveLetter && letter != negativeLetter)
            Reject(option, text, std::string("needs the hemisphere letter ") + positiveLetter +
                                     " or " + negativeLetter);
        const int minutes = Number(parts, 3), seconds = Number(parts, 4);
        if (minutes > 59 || seconds > 59)
            Reject(option, text, "has minutes or seconds beyond 59");
        const Extended dms = Number(parts, 1) + minutes / 100.0L + seconds / 10000.0L;
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
    std::cmatch parts;
    if (!Match(text, DatePattern, parts))
        Reject(option, text, "is not a date of the form YYYY-MM-DD");
    return DateFromParts(parts, 1, text, option);
}

int ParseClockTime(std::string_view text, std::string_view option) {
    std::cmatch parts;
    if (!Match(text, ClockPattern, parts))
        Reject(option, text, "is not a time of the form HH:MM or HH:MM:SS");
    return SecondsFromParts(parts, 1, text, option);
}

TUniversalMoment ParseUniversalMoment(std::string_view text, std::string_view option) {
    std::cmatch parts;
    if (!Match(text, MomentPattern, parts))
        Reject(option, text, "is not a moment of the form \"YYYY-MM-DD HH:MM[:SS]\"");
    return {DateFromParts(parts, 1, text, option), SecondsFromParts(parts, 4, text, option)};
}

int ParseUtcOffset(std::string_view text, std::string_view option) {
    std::cmatch parts;
    if (!Match(text, OffsetPattern, parts))
        Reject(option, text, "is not an offset of the form +HH:MM or -HH:MM");
    const int minutes = 60 * Number(parts, 2) + Number(parts, 3);
    const int offset = parts[1].str() == "-" ? -minutes : minutes;
    if (Number(parts, 3) > 59 || offset < -12 * 60 || offset > 14 * 60)
        Reject(option, text, "is not an offset between -12:00 and +14:00");
    return offset;
}

int ParseDaylightSaving(std::string_view text, std::string_view option) {
    std::cmatch parts;
    if (!Match(text, DurationPattern, parts))
        Reject(option, text, "is not a duration of the form HH:MM");
    const int minutes = 60 * Number(parts, 1) + Number(parts, 2);
    if (Number(parts, 2) > 59 || minutes > 12 * 60)
        Reject(option, text, "is not a duration between 00:00 and 12:00");
    return minutes;
}

Extended ParseLatitude(std::string_view text, std::string_view option) {
    return ParseCoordinate(text, option, 'N', 'S', 'N', "DDNMM[SS] or DDSMM[SS]");
}

Extended ParseLongitude(std::string_view text, std::string_view option) {
    return ParseCoordinate(text, option, 'W', 'E', 'E', "DDDEMM[SS] or DDDWMM[SS]");
}

TYearSpan ParseYearSpan(std::string_view text, std::string_view option) {
    std::cmatch parts;
    if (!Match(text, SpanPattern, parts))
        Reject(option, text, "is not a span of years of the form FROM-TO");
    const TYearSpan span{Number(parts, 1), Number(parts, 2)};
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
    std::cmatch parts;
    if (!Match(text, SizePattern, parts))
        Reject(option, text, "is not a whole number of pixels");
    // More digits than any size has are out of range, not an overflow.
    const int size = text.size() > 5 ? MaxWheelSize + 1 : Number(parts, 1);
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
