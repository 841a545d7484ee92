#include "Calendar.h"

#include "Angles.h"

#include <cstdio>
#include <ctime>

namespace kyr {

TYmd SplitDateValue(Extended x) { return SplitYmd(static_cast<int>(Round(10000 * x))); }

Extended MakeDateValue(int year, int month, int day) {
    return static_cast<Extended>(year * 10000 + month * 100 + day) / 10000;
}

TYmd SplitYmd(int n) { return {n / 10000, (n / 100) % 100, n % 100}; }

int DayNumber1900(int day, int month, int year, bool julian) {
    const int e = 12 * year + month - 3;
    int n = 2 * (month < 3) + (5 * e + 2 * month + 1) / 12 + day + e / 48 - 9904 +
            30 * (month - 3) + 360 * (year - 1900);
    if (!julian)
        n += e / 4800 - e / 1200 + 2;
    return n;
}

Extended JulianDay0(int year, int month, bool gregorian, int day) {
    if (month < 3) {
        year -= 1;
        month += 12;
    }
    Extended b = 0;
    if (gregorian) {
        const Extended a = Int(year / 100.0L);
        b = 2 - a + Int(a / 4);
    }
    return Int(365.25L * (year + 4716)) + Int(30.6001L * (month + 1)) + day + b - 1524.5L;
}

Extended JulianDayFromYmd(int n, bool gregorian) {
    const TYmd d = SplitYmd(n);
    return JulianDay0(d.Year, d.Month, gregorian, d.Day);
}

int YmdFromJulianDay(int switchDay, Extended jd) {
    const long long z = Trunc(jd + 0.5L);
    long long a = z;
    if (z >= switchDay) {
        const long long alpha = Trunc((z - 1867216.25L) / 36524.25L);
        a = z + 1 + alpha - Trunc(alpha / 4.0L);
    }
    const long long b = a + 1524;
    const long long c = Trunc((b - 122.1L) / 365.25L);
    const long long d = Trunc(365.25L * c);
    const long long e = Trunc((b - d) / 30.6001L);
    const long long day = Trunc(jd + 0.5L - z + b - d - Trunc(30.6001L * e));
    const long long month = e > 13 ? e - 13 : e - 1;
    const long long year = c - 4716 + (month < 3 ? 1 : 0);
    return static_cast<int>(year * 10000 + month * 100 + day);
}

int DayOfWeek(Extended jd) { return static_cast<int>(Trunc(jd + 1.5L) % 7); }

namespace {

std::string FormatTm(const std::tm &tm, const char *format) {
    char text[128];
    const std::size_t n = std::strftime(text, sizeof text, format, &tm);
    return std::string(text, n);
}

TDateOrder ChosenDateOrder = TDateOrder::DayMonthYear;

} // namespace

void SetDateOrder(TDateOrder order) { ChosenDateOrder = order; }

TDateOrder DateOrder() { return ChosenDateOrder; }

std::string DateText(int ymd, TDateOrder order) {
    TYmd d = SplitYmd(ymd);
    if (d.Year < 1 || d.Year > 9999)
        d.Year = 2000;
    if (d.Month < 1 || d.Month > 12)
        d.Month = 11;
    if (d.Day < 1 || d.Day > 31)
        d.Day = 16;
    // Not the locale's %x: it gives two-digit years, and the settings choose the order.
    char text[16];
    const int first = order == TDateOrder::MonthDayYear ? d.Month : d.Day;
    const int second = order == TDateOrder::MonthDayYear ? d.Day : d.Month;
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", first, second, d.Year);
    return text;
}

std::string YmdToDateString(int n) { return DateText(n, ChosenDateOrder); }

std::string DateTimeString(Extended date, Extended time) {
    const std::string datePart = YmdToDateString(static_cast<int>(Round(10000 * date)));
    const long long hms = Round(10000 * time);
    std::tm tm{};
    tm.tm_hour = static_cast<int>(hms / 10000);
    tm.tm_min = static_cast<int>((hms / 100) % 100);
    tm.tm_sec = static_cast<int>(hms % 100);
    return datePart + " " + FormatTm(tm, "%X");
}

} // namespace kyr
