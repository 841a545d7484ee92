#include "InputParsing.h"
#include "UsageError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kyr::cli {
namespace {

// Runs the parser on each bad text and checks that the message names the option.
template <typename Parse>
void ExpectRejected(Parse parse, const std::vector<std::string> &texts) {
    for (const std::string &text : texts) {
        try {
            parse(text, "--opt");
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const EUsageError &e) {
            EXPECT_TRUE(std::string(e.what()).starts_with("--opt: '" + text + "'")) << e.what();
        }
    }
}

TEST(ParseDate, AcceptsCalendarDates) {
    EXPECT_EQ(ParseDate("2000-01-01", "--date"), (TDate{2000, 1, 1}));
    EXPECT_EQ(ParseDate("1999-12-31", "--date"), (TDate{1999, 12, 31}));
    // A leap day the Julian calendar has; DateExists decides later.
    EXPECT_EQ(ParseDate("1700-02-29", "--date"), (TDate{1700, 2, 29}));
}

TEST(ParseDate, RejectsMalformedAndImpossibleDates) {
    ExpectRejected(ParseDate, {"", "2000-1-01", "20000101", "2000/01/01", "2000-13-01",
                               "2000-00-10", "2000-04-31", "2001-02-30", "0000-01-01",
                               "2000-01-01 ", "2000-01-01x"});
}

TEST(DateExists, FollowsTheCalendarInForce) {
    const TDate start{1582, 10, 15};
    EXPECT_FALSE(DateExists({1700, 2, 29}, start));
    EXPECT_TRUE(DateExists({1700, 2, 29}, {1752, 9, 14}));
    EXPECT_TRUE(DateExists({1600, 2, 29}, start));
    EXPECT_TRUE(DateExists({2000, 2, 29}, start));
    EXPECT_FALSE(DateExists({2001, 2, 29}, {2100, 1, 1}));
}

TEST(ParseClockTime, GivesSecondsSinceMidnight) {
    EXPECT_EQ(ParseClockTime("00:00", "--time"), 0);
    EXPECT_EQ(ParseClockTime("9:05", "--time"), 9 * 3600 + 5 * 60);
    EXPECT_EQ(ParseClockTime("12:30:15", "--time"), 12 * 3600 + 30 * 60 + 15);
    EXPECT_EQ(ParseClockTime("23:59:59", "--time"), 86399);
    ExpectRejected(ParseClockTime,
                   {"", "12", "12:0", "24:00", "12:60", "12:00:60", "-1:00", "12:00:00:00",
                    "123:00"});
}

TEST(ParseUniversalMoment, TakesABlankOrT) {
    const TUniversalMoment blank = ParseUniversalMoment("2000-01-01 12:00", "--ut");
    EXPECT_EQ(blank.Date, (TDate{2000, 1, 1}));
    EXPECT_EQ(blank.Seconds, 43200);
    EXPECT_EQ(ParseUniversalMoment("1990-05-17T06:07:08", "--ut").Seconds, 6 * 3600 + 7 * 60 + 8);
    ExpectRejected(ParseUniversalMoment, {"2000-01-01", "12:00", "2000-01-01  12:00",
                                          "2000-01-01 25:00", "2000-02-30 12:00"});
}

TEST(ParseUtcOffset, EastIsPositive) {
    EXPECT_EQ(ParseUtcOffset("+05:30", "--utc-offset"), 330);
    EXPECT_EQ(ParseUtcOffset("-05:00", "--utc-offset"), -300);
    EXPECT_EQ(ParseUtcOffset("+00:00", "--utc-offset"), 0);
    EXPECT_EQ(ParseUtcOffset("+14:00", "--utc-offset"), 840);
    EXPECT_EQ(ParseUtcOffset("-12:00", "--utc-offset"), -720);
    ExpectRejected(ParseUtcOffset,
                   {"", "05:00", "+5:00", "+0500", "Z", "+14:01", "-12:30", "+05:60"});
}

TEST(ParseDaylightSaving, AcceptsUpToTwelveHours) {
    EXPECT_EQ(ParseDaylightSaving("01:00", "--dst"), 60);
    EXPECT_EQ(ParseDaylightSaving("0:30", "--dst"), 30);
    EXPECT_EQ(ParseDaylightSaving("12:00", "--dst"), 720);
    ExpectRejected(ParseDaylightSaving, {"", "1", "-01:00", "+01:00", "12:01", "01:60"});
}

struct TCoordinateCase {
    const char *Text;
    Extended Dms;
};

TEST(ParseLatitude, NorthIsPositive) {
    const TCoordinateCase cases[] = {
        {"51.5", 51.30L},        {"-33.8675", -33.5203L}, {"+0.25", 0.15L},
        {"0", 0},                {"40N43", 40.43L},       {"33S5203", -33.5203L},
        {"40n4330", 40.4330L},   {"90", 90},              {".5", 0.30L},
        // Above the limit: the horoscope rejects it, not the parser.
        {"91", 91},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(ParseLatitude(c.Text, "--lat"), c.Dms, 1e-12L) << c.Text;
    ExpectRejected(ParseLatitude, {"", "north", "40E43", "40W43", "40N4", "40N61", "40N4360",
                                   "1e5", "51.5.1", "--5", "40N43'30", "nan"});
}

TEST(ParseLongitude, EastPositiveInWestPositiveOut) {
    const TCoordinateCase cases[] = {
        {"-74.006", 74.0022L},   {"151.207", -151.1225L}, {"0", 0},
        {"74W00", 74.0L},        {"151E1225", -151.1225L}, {"180", -180},
        {"-180", 180},           {"2e00", -2.0L},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(ParseLongitude(c.Text, "--lon"), c.Dms, 1e-12L) << c.Text;
    ExpectRejected(ParseLongitude, {"", "74N00", "74S00", "east", "74W6", "1e2"});
}

TEST(DegreesToProgramDms, RoundsToTheNearestSecond) {
    const std::pair<double, Extended> cases[] = {
        {51.5, 51.30L},
        {-0.5, -0.30L},
        // 40°43' exactly as a binary fraction falls just short of the minute.
        {40.0 + 43.0 / 60, 40.43L},
        {-(33.0 + 52.0 / 60 + 3.0 / 3600), -33.5203L},
        // 10°59'59.9" rounds into the next degree.
        {10.99997, 11.0L},
        {0.6 / 3600, 0.0001L},
        {0.4 / 3600, 0.0L},
    };
    for (const auto &[degrees, dms] : cases)
        EXPECT_NEAR(DegreesToProgramDms(degrees), dms, 1e-12L) << degrees;
}

TEST(ParseYearSpan, OneToThreeYearsWithin1500To2100) {
    for (const auto &[text, from, to] : {std::tuple{"2000-2001", 2000, 2001},
                                         std::tuple{"2000-2003", 2000, 2003},
                                         std::tuple{"1500-1501", 1500, 1501},
                                         std::tuple{"2097-2100", 2097, 2100}}) {
        const TYearSpan span = ParseYearSpan(text, "--transits");
        EXPECT_EQ(span.FromYear, from) << text;
        EXPECT_EQ(span.ToYear, to) << text;
    }
    ExpectRejected(ParseYearSpan, {"", "2000", "2000-2000", "2000-1999", "2000-2004",
                                   "1499-1500", "2099-2101", "00-01", "2000..2001"});
}

// Each scanner reads a long value in one pass and refuses it as a whole, naming the option.
TEST(InputParsing, RefusesValuesOfAnyLengthWithoutCrashing) {
    const std::string digits(30000, '7');
    ExpectRejected(ParseDate, {digits, "2000-01-" + digits});
    ExpectRejected(ParseClockTime, {digits, "12:" + digits, "12:00:" + digits});
    ExpectRejected(ParseUniversalMoment, {"2000-01-01 " + digits});
    ExpectRejected(ParseUtcOffset, {"+" + digits});
    ExpectRejected(ParseDaylightSaving, {digits + ":00"});
    ExpectRejected(ParseLatitude, {digits + "N00", "40N" + digits, digits + "x"});
    ExpectRejected(ParseLongitude, {"." + digits + "."});
    ExpectRejected(ParseYearSpan, {digits + "-2001"});
    ExpectRejected(ParseWheelSize, {digits, digits + "x"});
}

TEST(ParseWheelSize, WholePixelsFromMinToMax) {
    EXPECT_EQ(ParseWheelSize("100", "--size"), 100);
    EXPECT_EQ(ParseWheelSize("0800", "--size"), 800);
    EXPECT_EQ(ParseWheelSize("8000", "--size"), 8000);
    ExpectRejected(ParseWheelSize, {"", "99", "8001", "000008001", "+800", "800 ", "8e2"});
}

TEST(ParseHouseSystem, KnowsThreeSystemsInAnyCase) {
    EXPECT_EQ(ParseHouseSystem("placidus", "--houses"), HousePlacidus);
    EXPECT_EQ(ParseHouseSystem("Koch", "--houses"), HouseKoch);
    EXPECT_EQ(ParseHouseSystem("EQUAL", "--houses"), HouseEqual);
    ExpectRejected(ParseHouseSystem, {"", "regiomontanus", "0", "placidus "});
}

} // namespace
} // namespace kyr::cli
