#include "ChartRun.h"

#include "Angles.h"
#include "Horoscope.h"
#include "ProgramDirectory.h"
#include "UsageError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numbers>
#include <unistd.h>

namespace kyr::cli {
namespace {

constexpr Extended Pi = std::numbers::pi_v<Extended>;

TEST(NormalizedDegrees, LandsInZeroTo360) {
    const std::pair<Extended, double> cases[] = {
        {0, 0}, {Pi, 180}, {-Pi / 2, 270}, {2 * Pi, 0}, {5 * Pi, 180},
        // The true pi, not the program's shortened factor: 1 radian is 57.29577951 degrees.
        {1, 57.295779513082323},
    };
    for (const auto &[radians, degrees] : cases)
        EXPECT_NEAR(NormalizedDegrees(radians), degrees, 1e-9) << radians;
    for (const Extended radians : {-1e-30L, 2 * Pi - 1e-19L, -2 * Pi}) {
        const double degrees = NormalizedDegrees(radians);
        EXPECT_GE(degrees, 0) << radians;
        EXPECT_LT(degrees, 360) << radians;
    }
}

TEST(BirthTimeValue, KeepsSecondsAsFractionalMinutes) {
    for (const int seconds : {0, 59, 43200, 12 * 3600 + 30 * 60 + 30, 86399}) {
        EXPECT_NEAR(HmToHours(BirthTimeValue(seconds)) * 3600, seconds, 1e-9L) << seconds;
    }
    EXPECT_NEAR(BirthTimeValue(14 * 3600 + 30 * 60), 14.30L, 1e-15L);
}

TEST(ZoneFields, GiveTheUniversalTimeOfTheOffset) {
    // {offset, dst} in minutes.
    const std::pair<int, int> cases[] = {{0, 0},    {60, 60},  {-300, 0}, {330, 0},
                                         {-720, 0}, {720, 60}, {780, 0},  {840, 60},
                                         {-956, 0}, {-902, 0}};
    for (const auto &[offset, dst] : cases) {
        const TZoneFields f = ZoneFields(offset, dst);
        EXPECT_NEAR((HmToHours(f.ZoneTime) - HmToHours(f.SummerTime)) * 60, -offset - dst, 1e-9L)
            << offset << " " << dst;
        EXPECT_GE(f.ZoneTime, -12);
        EXPECT_LE(f.ZoneTime, 12);
        EXPECT_GE(f.SummerTime, -12);
        EXPECT_LE(f.SummerTime, 12);
    }
    // Within the horoscope's range the zone is the negated offset itself.
    EXPECT_NEAR(ZoneFields(330, 60).ZoneTime, -5.30L, 1e-15L);
    EXPECT_NEAR(ZoneFields(330, 60).SummerTime, 1.0L, 1e-15L);
}

TEST(FindOrbSet, MatchesInAnyCaseAndListsTheKnownSets) {
    const std::vector<TOrbRow> rows = {{"Strong", 1, {}}, {"Medium", 1, {}}, {"Medium", 2, {}}};
    EXPECT_EQ(FindOrbSet(rows, "medium"), "Medium");
    EXPECT_EQ(FindOrbSet(rows, "STRONG"), "Strong");
    try {
        FindOrbSet(rows, "Heavy");
        ADD_FAILURE();
    } catch (const EUsageError &e) {
        EXPECT_STREQ(e.what(), "--orbs: unknown orb set 'Heavy' (known: Medium, Strong)");
    }
}

// orbs.txt lies beside the program; when it is damaged the fault is the file's, and so is
// the message, even though --orbs was not given.
TEST(ComputeChart, ADamagedOrbFileIsNamedAsSuch) {
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / ("kyr-orbs-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    const std::string path = (directory / "orbs.txt").string();
    const std::string strong = "Strong 1 10 0 0 6 8 8 0 0 10\n";
    const struct {
        std::string Text;
        std::string Message;
    } cases[] = {
        {"", "the orb-set file " + path + " is damaged or has no sets"},
        {"# only a comment\n\n", "the orb-set file " + path + " is damaged or has no sets"},
        {"Medium 1 10 0\n",
         "the orb-set file " + path + " is damaged: orb sets, line 1: expected a set name"},
        {strong, "the orb-set file " + path + " is damaged: it has no set 'Medium', the default"},
    };
    SetProgramDirectory(directory.string());
    TChartRequest request;
    request.UniversalTime = true;
    request.Date = {2000, 1, 1};
    for (const auto &c : cases) {
        std::ofstream(path, std::ios::trunc) << c.Text;
        try {
            ComputeChart(request);
            ADD_FAILURE() << c.Message;
        } catch (const EUsageError &e) {
            ADD_FAILURE() << "a command-line fault: " << e.what();
        } catch (const std::runtime_error &e) {
            EXPECT_TRUE(std::string(e.what()).starts_with(c.Message)) << e.what();
        }
    }
    // A set asked for by name that the file lacks is still the command line's fault.
    std::ofstream(path, std::ios::trunc) << strong;
    request.OrbSet = "Heavy";
    request.OrbSetGiven = true;
    EXPECT_THROW(ComputeChart(request), EUsageError);
    SetProgramDirectory("");
    std::filesystem::remove_all(directory);
}

TEST(MaxDaylightSavingMinutes, IsWhatTheOffsetLeavesOfTwelveHours) {
    const std::pair<int, int> cases[] = {{-720, 720}, {0, 720}, {720, 720}, {765, 675},
                                         {840, 600}};
    for (const auto &[offset, most] : cases) {
        EXPECT_EQ(MaxDaylightSavingMinutes(offset), most) << offset;
        // The most is what the horoscope takes, and a minute more is not.
        const TZoneFields edge = ZoneFields(offset, most);
        EXPECT_LE(edge.SummerTime, 12) << offset;
        EXPECT_GT(ZoneFields(offset, most + 1).SummerTime, 12) << offset;
    }
}

TChartRequest LocalRequest() {
    TChartRequest r;
    r.Date = {1990, 5, 17};
    r.Seconds = 14 * 3600 + 30 * 60;
    r.UtcOffsetMinutes = 120;
    r.DstMinutes = 60;
    r.Latitude = 40.43L;
    r.Longitude = 74.0022L;
    r.HouseSystem = HouseKoch;
    r.Transits = TYearSpan{2024, 2026};
    return r;
}

TEST(ConfigureHoroscope, SetsTheBirthDataInTheProgramsConventions) {
    THoroscope h;
    ConfigureHoroscope(h, LocalRequest());
    EXPECT_NEAR(h.BirthDate(), 1990.0517L, 1e-12L);
    EXPECT_NEAR(h.BirthTime(), 14.30L, 1e-12L);
    EXPECT_NEAR(h.ZoneTime(), -2.0L, 1e-12L);
    EXPECT_NEAR(h.SummerTime(), 1.0L, 1e-12L);
    EXPECT_NEAR(h.Latitude(), 40.43L, 1e-12L);
    EXPECT_NEAR(h.Longitude(), 74.0022L, 1e-12L);
    EXPECT_EQ(h.HouseSystem(), HouseKoch);
    EXPECT_EQ(h.Options(), OptionAspects | OptionTransits);
    EXPECT_EQ(h.FromYear(), 2024);
    EXPECT_EQ(h.ToYear(), 2026);
    EXPECT_FALSE(h.Active());
    // 14:30 at UTC+2 with an hour of daylight saving is 11:30 UT.
    EXPECT_NEAR(h.Moment.JulianDay, 2448028.5L + 11.5L / 24, 1e-9L);
}

TEST(ConfigureHoroscope, UniversalTimeIgnoresOffsets) {
    TChartRequest r = LocalRequest();
    r.UniversalTime = true;
    r.Date = {2000, 1, 1};
    r.Seconds = 43200;
    r.Transits.reset();
    THoroscope h;
    ConfigureHoroscope(h, r);
    EXPECT_EQ(h.ZoneTime(), 0);
    EXPECT_EQ(h.SummerTime(), 0);
    EXPECT_EQ(h.Options(), OptionAspects);
    EXPECT_NEAR(h.Moment.JulianDay, 2451545.0L, 1e-9L);
}

TEST(ConfigureHoroscope, GregorianStartChoosesTheCalendar) {
    TChartRequest r = LocalRequest();
    r.Date = {1550, 3, 1};
    THoroscope gregorian, julian;
    ConfigureHoroscope(julian, r); // the reform's start by default
    r.GregorianStart = {1522, 1, 1};
    ConfigureHoroscope(gregorian, r);
    // In 1550 the Julian calendar ran ten days behind.
    EXPECT_NEAR(julian.Moment.JulianDay - gregorian.Moment.JulianDay, 10, 1e-9L);
}

TEST(ConfigureHoroscope, LeavesRangeChecksToTheHoroscope) {
    TChartRequest r = LocalRequest();
    r.Latitude = 90.01L;
    THoroscope h;
    EXPECT_THROW(
        {
            try {
                ConfigureHoroscope(h, r);
            } catch (const EHoroscopeException &e) {
                EXPECT_STREQ(e.what(), "Incorrect Latitude Value!");
                throw;
            }
        },
        EHoroscopeException);
}

} // namespace
} // namespace kyr::cli
