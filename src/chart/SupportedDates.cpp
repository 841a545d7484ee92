#include "SupportedDates.h"

#include "Angles.h"
#include "Calendar.h"
#include "Ephemeris.h"
#include "HoroscopeException.h"

#include <algorithm>
#include <filesystem>

namespace kyr {

namespace {

// The first Gregorian day of the reform, as the day number YmdFromJulianDay switches at.
const int ReformDay = static_cast<int>(Trunc(JulianDay0(1582, 10, true, 15) + 0.5L));

} // namespace

void RequireEphemerisLength(const std::string &path, unsigned long long byteCount) {
    if (byteCount == 0)
        throw EHoroscopeException(path + ": the ephemeris file is empty");
    // One evaluation reads four whole records.
    if (byteCount < static_cast<unsigned long long>(EphemerisBufferSize))
        throw EHoroscopeException(path + ": the ephemeris file is too short (" +
                                  std::to_string(byteCount) + " bytes; a chart needs " +
                                  std::to_string(EphemerisBufferSize) + ")");
}

TSupportedDates SupportedDates() {
    const Extended fileFirst = EphemerisFirstJulianDay(), fileEnd = EphemerisEndJulianDay();
    if (!(fileEnd > fileFirst)) {
        std::error_code error;
        const auto size = std::filesystem::file_size(EphemerisPath(), error);
        RequireEphemerisLength(EphemerisPath(), error ? 0 : size);
    }
    // Before the reform the year's first day is Julian, as the program counts it.
    return {std::max(fileFirst, JulianDay0(FirstSupportedYear, 1, false, 1)),
            std::min(fileEnd, JulianDay0(LastSupportedYear + 1, 1, true, 1))};
}

std::string CalendarDateText(Extended jd) {
    const TYmd d = SplitYmd(YmdFromJulianDay(ReformDay, jd));
    static const char *const months[] = {"January", "February", "March",     "April",
                                         "May",     "June",     "July",      "August",
                                         "September", "October", "November", "December"};
    return std::to_string(d.Day) + " " + months[(d.Month + 11) % 12] + " " +
           std::to_string(d.Year) + (Trunc(jd + 0.5L) < ReformDay ? " (Julian)" : "");
}

std::string OutsideSupportedDatesMessage(const TSupportedDates &dates) {
    return "Date outside the ephemeris: charts can be computed from " +
           CalendarDateText(dates.First) + " to " + CalendarDateText(dates.End - 1) + ".";
}

} // namespace kyr
