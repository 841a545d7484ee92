#include "CommandLine.h"
#include "UsageError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kyr::cli {
namespace {

using TArgs = std::vector<std::string>;

const TArgs Place = {"--lat", "51.5", "--lon", "0"};

TArgs With(TArgs args, const TArgs &more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(ParseCommandLine, UniversalTimeWithDefaults) {
    const TChartRequest r = ParseCommandLine(With({"--ut", "2000-01-01 12:00"}, Place));
    EXPECT_TRUE(r.UniversalTime);
    EXPECT_EQ(r.Date, (TDate{2000, 1, 1}));
    EXPECT_EQ(r.Seconds, 43200);
    EXPECT_EQ(r.HouseSystem, HousePlacidus);
    EXPECT_EQ(r.OrbSet, "Medium");
    EXPECT_EQ(r.GregorianStart, (TDate{1582, 10, 15}));
    EXPECT_FALSE(r.Transits);
    EXPECT_FALSE(r.Json);
    EXPECT_FALSE(r.Help);
}

TEST(ParseCommandLine, LocalTimeAndEveryOption) {
    const TChartRequest r = ParseCommandLine(
        {"--date", "1990-05-17", "--time", "14:30", "--utc-offset", "+02:00", "--dst", "01:00",
         "--lat=40N43", "--lon", "-74.006", "--houses", "koch", "--orbs", "Weak",
         "--gregorian-start", "1582-10-15", "--transits", "2024-2026", "--json"});
    EXPECT_FALSE(r.UniversalTime);
    EXPECT_EQ(r.Date, (TDate{1990, 5, 17}));
    EXPECT_EQ(r.Seconds, 14 * 3600 + 30 * 60);
    EXPECT_EQ(r.UtcOffsetMinutes, 120);
    EXPECT_EQ(r.DstMinutes, 60);
    EXPECT_NEAR(r.Latitude, 40.43L, 1e-12L);
    EXPECT_NEAR(r.Longitude, 74.0022L, 1e-12L);
    EXPECT_EQ(r.HouseSystem, HouseKoch);
    EXPECT_EQ(r.OrbSet, "Weak");
    EXPECT_EQ(r.GregorianStart, (TDate{1582, 10, 15}));
    ASSERT_TRUE(r.Transits);
    EXPECT_EQ(r.Transits->FromYear, 2024);
    EXPECT_EQ(r.Transits->ToYear, 2026);
    EXPECT_TRUE(r.Json);
}

TEST(ParseCommandLine, AnAtlasPlaceStandsForCoordinatesAndOffsets) {
    const TChartRequest local = ParseCommandLine(
        {"--date", "1941-08-06", "--time", "04:16", "--place", "USA, New York City"});
    EXPECT_EQ(local.Place, "USA, New York City");
    EXPECT_FALSE(local.UniversalTime);
    const TChartRequest universal =
        ParseCommandLine({"--ut", "2000-01-01 12:00", "--place=United Kingdom, London"});
    EXPECT_EQ(universal.Place, "United Kingdom, London");
    EXPECT_TRUE(universal.UniversalTime);
    const TChartRequest find = ParseCommandLine({"--find-place", "USA, Spring"});
    ASSERT_TRUE(find.FindPlace);
    EXPECT_EQ(*find.FindPlace, "USA, Spring");
}

TEST(ParseCommandLine, HelpNeedsNothingElse) {
    EXPECT_TRUE(ParseCommandLine({"--help"}).Help);
    EXPECT_TRUE(ParseCommandLine({"--json", "-h", "--bogus"}).Help);
}

TEST(ParseCommandLine, LeapDayOfTheCalendarInForce) {
    // 1700 is a leap year only in the Julian calendar.
    const TArgs julian = With({"--ut", "1700-02-29 12:00", "--gregorian-start", "1752-09-14"},
                              Place);
    EXPECT_EQ(ParseCommandLine(julian).Date, (TDate{1700, 2, 29}));
    EXPECT_THROW(ParseCommandLine(With({"--ut", "1700-02-29 12:00"}, Place)), EUsageError);
}

TEST(ParseCommandLine, RejectsBadCommandLines) {
    const struct {
        TArgs Args;
        const char *Message;
    } cases[] = {
        {With({"--bogus"}, Place), "unknown option '--bogus'"},
        {{"--ut"}, "--ut needs a value"},
        {With({"--ut", "2000-01-01 12:00", "--json=yes"}, Place), "--json takes no value"},
        {With({"--ut", "2000-01-01 12:00", "--lat", "10"}, Place), "--lat is given twice"},
        {Place, "no moment given"},
        {With({"--ut", "2000-01-01 12:00", "--utc-offset", "+01:00"}, Place),
         "does not combine"},
        {With({"--date", "2000-01-01", "--time", "12:00"}, Place), "needs --utc-offset"},
        {With({"--time", "12:00", "--utc-offset", "+01:00"}, Place), "needs --date"},
        {{"--ut", "2000-01-01 12:00", "--lat", "51.5"}, "needs --lon"},
        {{"--ut", "2000-01-01 12:00", "--lon", "0"}, "needs --lat"},
        {With({"--ut", "2000-01-01 12:00", "--gregorian-start", "1700-02-29"}, Place),
         "not a Gregorian calendar date"},
        {With({"--ut", "2000-01-01 12:00", "--orbs", ""}, Place), "orb set name is empty"},
        {With({"--ut", "2000-01-01 12:00", "--transits", "2000-2005"}, Place),
         "one to three years"},
        {{"--ut", "2000-01-01 12:00", "--place", "London"}, "is not \"STATE, PLACE\""},
        {With({"--ut", "2000-01-01 12:00", "--place", "USA, Boston"}, Place),
         "does not combine with --lat or --lon"},
        {{"--date", "2000-01-01", "--time", "12:00", "--utc-offset", "+01:00", "--place",
          "USA, Boston"},
         "does not combine with --utc-offset or --dst"},
        {{"--date", "2000-01-01", "--place", "USA, Boston"}, "needs --time"},
        {{"--place", "USA, Boston"}, "no moment given"},
        {{"--find-place", "Spring", "--json"}, "takes no other option"},
    };
    for (const auto &c : cases) {
        try {
            ParseCommandLine(c.Args);
            ADD_FAILURE() << "accepted: " << c.Message;
        } catch (const EUsageError &e) {
            EXPECT_NE(std::string(e.what()).find(c.Message), std::string::npos) << e.what();
        }
    }
}

} // namespace
} // namespace kyr::cli
