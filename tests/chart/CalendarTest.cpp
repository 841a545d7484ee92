// Day numbers, Julian days and the date encodings.
#include "Calendar.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace kyr;

namespace {

TEST(DayNumber1900, CountsFromTheFirstOfJanuary1900) {
    struct Case {
        int day, month, year;
        bool julian;
        int expected;
    };
    const Case cases[] = {
        {1, 1, 1900, false, 0},      {31, 12, 1899, false, -1},  {1, 1, 2000, false, 36524},
        {1, 1, 1900, true, 12},      {31, 12, 1899, true, 11},   {1, 1, 2000, true, 36537},
        {1, 3, 1900, false, 59},     {29, 2, 2000, false, 36583}, {15, 10, 1582, false, -115860},
        {4, 10, 1582, true, -115861},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DayNumber1900(c.day, c.month, c.year, c.julian), c.expected)
            << c.year << "-" << c.month << "-" << c.day << (c.julian ? " julian" : "");
}

TEST(JulianDay, KnownDatesInBothCalendars) {
    struct Case {
        int year, month, day;
        bool gregorian;
        double expected;
    };
    const Case cases[] = {
        {2000, 1, 1, true, 2451544.5},  {1900, 1, 1, true, 2415020.5},
        {1582, 10, 15, true, 2299160.5}, {1582, 10, 4, false, 2299159.5},
        {1499, 12, 20, true, 2268911.5}, {1957, 10, 4, true, 2436115.5},
        {1600, 3, 1, true, 2305507.5},   {1500, 2, 28, false, 2268990.5},
    };
    for (const auto &c : cases) {
        EXPECT_DOUBLE_EQ(static_cast<double>(JulianDay0(c.year, c.month, c.gregorian, c.day)),
                         c.expected)
            << c.year << "-" << c.month << "-" << c.day;
        const int ymd = c.year * 10000 + c.month * 100 + c.day;
        EXPECT_DOUBLE_EQ(static_cast<double>(JulianDayFromYmd(ymd, c.gregorian)), c.expected);
        if (c.gregorian) {
            EXPECT_EQ(YmdFromJulianDay(1500, c.expected), ymd);
        }
    }
}

TEST(JulianDay, RoundTripsEveryDayOfSixCenturies) {
    for (Extended jd = 2268911.5L; jd < 2488069.5L; jd += 1) {
        const int ymd = YmdFromJulianDay(1500, jd);
        ASSERT_EQ(JulianDayFromYmd(ymd, true), jd) << ymd;
        // Any moment of the day gives the same date.
        ASSERT_EQ(YmdFromJulianDay(1500, jd + 0.999L), ymd);
    }
}

TEST(DateValue, SplitsThroughTheRoundedInteger) {
    struct Case {
        Extended value;
        int year, month, day;
    };
    const Case cases[] = {{1650.0307L, 1650, 3, 7},
                          {2050.0105L, 2050, 1, 5},
                          {1941.0806L, 1941, 8, 6},
                          {1999.1231L, 1999, 12, 31}};
    for (const auto &c : cases) {
        const TYmd d = SplitDateValue(c.value);
        EXPECT_EQ(d.Year, c.year);
        EXPECT_EQ(d.Month, c.month);
        EXPECT_EQ(d.Day, c.day);
        const TYmd back = SplitDateValue(MakeDateValue(c.year, c.month, c.day));
        EXPECT_EQ(back.Day, c.day);
    }
}

TEST(DayOfWeek, CountsFromSunday) {
    EXPECT_EQ(DayOfWeek(2451544.5L), 6); // Saturday, 1 January 2000
    EXPECT_EQ(DayOfWeek(2451545.5L), 0);
    EXPECT_EQ(DayOfWeek(2451545.0L), 6); // noon is still Saturday
}

TEST(DateTexts, FourDigitYearsInTheChosenOrder) {
    // The C library's short date would give "03/14/79" under any locale; the year must stay whole.
    std::setlocale(LC_TIME, "en_GB.UTF-8");
    const struct {
        int Ymd;
        const char *DayFirst, *MonthFirst;
    } cases[] = {
        {18790314, "14/03/1879", "03/14/1879"},
        {18750726, "26/07/1875", "07/26/1875"},
        {20260105, "05/01/2026", "01/05/2026"},
        {15000121, "21/01/1500", "01/21/1500"},
        {20001340, "16/11/2000", "11/16/2000"}, // impossible parts replaced
        {12340101, "01/01/1234", "01/01/1234"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(DateText(c.Ymd, TDateOrder::DayMonthYear), c.DayFirst) << c.Ymd;
        EXPECT_EQ(DateText(c.Ymd, TDateOrder::MonthDayYear), c.MonthFirst) << c.Ymd;
    }
    std::setlocale(LC_TIME, "C");
    EXPECT_EQ(DateOrder(), TDateOrder::DayMonthYear); // until the settings choose
    EXPECT_EQ(YmdToDateString(18790314), "14/03/1879");
    EXPECT_EQ(DateTimeString(1941.0806L, 4.1630L), "06/08/1941 04:16:30");
    SetDateOrder(TDateOrder::MonthDayYear);
    EXPECT_EQ(YmdToDateString(18790314), "03/14/1879");
    EXPECT_EQ(DateTimeString(1941.0806L, 4.1630L), "08/06/1941 04:16:30");
    SetDateOrder(TDateOrder::DayMonthYear);
}

} // namespace
