// kyr-chart on historical dates: the calendar a date is read in comes from --gregorian-start,
// else from the --place's country, else the reform of 1582; checked against day numbers
// computed here.
#include "IndependentCalendar.h"
#include "RunKyrChart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace kyr::test {
namespace {

class HistoricalCalendarRun : public TKyrChartTest {};

// The number after "key": in the JSON text; NaN when missing.
double JsonNumber(const std::string &json, const std::string &key) {
    const auto at = json.find("\"" + key + "\": ");
    return at == std::string::npos ? std::nan("") : std::atof(json.c_str() + at + key.size() + 4);
}

TEST_F(HistoricalCalendarRun, DatesBeforeTheChangeAreReadAsJulian) {
    const std::vector<std::string> greenwich = {"--lat", "51.5", "--lon", "0"};
    struct TCase {
        std::vector<std::string> Where;
        int Year, Month, Day;
        bool Julian;
    };
    const auto at = [](const char *place) { return std::vector<std::string>{"--place", place}; };
    const TCase cases[] = {
        {at("United Kingdom, London"), 1700, 6, 1, true}, // England changed in September 1752
        {at("United Kingdom, London"), 1760, 6, 1, false},
        {at("Russia, Moscow"), 1900, 6, 1, true}, // Russia in February 1918
        {at("Russia, Moscow"), 1920, 6, 1, false},
        {at("Italy, Rome"), 1580, 6, 1, true}, // Italy with the reform, October 1582
        {at("Italy, Rome"), 1590, 6, 1, false},
        {at("Greece, Athens"), 1920, 6, 1, true}, // Greece in March 1923
        {at("Greece, Athens"), 1925, 6, 1, false},
        {greenwich, 1580, 6, 1, true}, // without a place: the reform's
        {greenwich, 1590, 6, 1, false},
        {greenwich, 1700, 6, 1, false},
        {greenwich, 1920, 6, 1, false},
        // --gregorian-start decides, with or without a place.
        {{"--lat", "51.5", "--lon", "0", "--gregorian-start", "1752-09-14"}, 1700, 6, 1, true},
        {{"--place", "United Kingdom, London", "--gregorian-start", "1582-10-15"}, 1700, 6, 1,
         false},
    };
    for (const TCase &c : cases) {
        char moment[32];
        std::snprintf(moment, sizeof moment, "%04d-%02d-%02d 12:00", c.Year, c.Month, c.Day);
        std::vector<std::string> args = {"--ut", moment, "--json"};
        args.insert(args.end(), c.Where.begin(), c.Where.end());
        const std::string what = std::string(moment) + " " + c.Where[1];
        const TRun json = RunKyrChart(args);
        ASSERT_EQ(json.Status, 0) << what << ": " << json.Err;
        const long day = c.Julian ? JulianCalendarDayNumber(c.Year, c.Month, c.Day)
                                  : GregorianDayNumber(c.Year, c.Month, c.Day);
        EXPECT_NEAR(JsonNumber(json.Out, "julian_day"), day, 1e-6) << what;
        EXPECT_NE(json.Out.find(c.Julian ? "\"calendar\": \"julian\","
                                         : "\"calendar\": \"gregorian\","),
                  std::string::npos)
            << what << "\n" << json.Out;

        args.erase(args.begin() + 2); // the same as text
        const TRun text = RunKyrChart(args);
        ASSERT_EQ(text.Status, 0) << what << ": " << text.Err;
        EXPECT_NE(text.Out.find(c.Julian ? "\nCalendar   Julian" : "\nCalendar   Gregorian"),
                  std::string::npos)
            << what << "\n" << text.Out;
    }
}

TEST_F(HistoricalCalendarRun, TheSunOfAJulianBirthInLondon) {
    // 1 June 1700 in London is 12 June by the Gregorian reckoning: the Sun at 81°21', not 70°50'.
    const TRun london = RunKyrChart(
        {"--ut", "1700-06-01 12:00", "--place", "United Kingdom, London", "--json"});
    ASSERT_EQ(london.Status, 0) << london.Err;
    const auto sun = london.Out.find("{\"name\": \"Sun\"");
    ASSERT_NE(sun, std::string::npos) << london.Out;
    EXPECT_NEAR(JsonNumber(london.Out.substr(sun), "longitude"), 81 + 21 / 60.0, 1 / 60.0);
}

TEST_F(HistoricalCalendarRun, ALeapDayOnlyTheJulianCalendarHasIsADayAtAJulianPlace) {
    EXPECT_EQ(RunKyrChart({"--ut", "1700-02-29 12:00", "--place", "United Kingdom, London"})
                  .Status,
              0);
    const TRun greenwich = RunKyrChart({"--ut", "1700-02-29 12:00", "--lat", "51.5", "--lon", "0"});
    EXPECT_EQ(greenwich.Status, 2);
    EXPECT_EQ(greenwich.Err, "kyr-chart: 1700-02-29 does not exist in the Gregorian calendar\n");
}

} // namespace
} // namespace kyr::test
