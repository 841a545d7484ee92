// Runs the built kyr-chart as a user would and checks its output and exit status.
#include "RunKyrChart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using kyr::test::ShellQuote;
using kyr::test::TRun;

class KyrChart : public kyr::test::TKyrChartTest {
protected:
    TRun Run(const std::vector<std::string> &args) { return RunKyrChart(args); }

    /// Exit status of python3 -m json.tool on the text; -1 without python3.
    int JsonToolStatus(const std::string &text) {
        if (std::system("command -v python3 >/dev/null 2>&1") != 0)
            return -1;
        std::ofstream(FDir / "check.json") << text;
        const std::string command =
            "python3 -m json.tool " + ShellQuote(FDir / "check.json") + " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

const std::vector<std::string> Example = {"--ut", "2000-01-01 12:00", "--lat", "51.5",
                                          "--lon", "0", "--json"};

double BodyLongitude(const std::string &json, const std::string &name) {
    const std::regex pattern("\"name\": \"" + name + "\", \"longitude\": ([0-9.]+)");
    std::smatch match;
    if (!std::regex_search(json, match, pattern))
        return -1;
    return std::stod(match[1]);
}

TEST_F(KyrChart, ReadmeExampleGivesTheSunAndMoonOfJ2000) {
    const TRun run = Run(Example);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_NEAR(BodyLongitude(run.Out, "Sun"), 280.37, 0.01);
    EXPECT_NEAR(BodyLongitude(run.Out, "Moon"), 223.3, 0.05);
    EXPECT_NE(run.Out.find("\"julian_day\": 2451545.000000,"), std::string::npos);
    EXPECT_EQ(JsonToolStatus(run.Out), 0) << run.Out;
}

double JsonNumber(const std::string &json, const std::string &key, int index = 0) {
    const std::regex pattern("\"" + key + "\": \\[?(([-0-9.]+, ){" + std::to_string(index) +
                             "})([-0-9.]+)");
    std::smatch match;
    if (!std::regex_search(json, match, pattern))
        return -1;
    return std::stod(match[3]);
}

// Equal houses put cusp 10 square to the Ascendant; the MC reported stays the Midheaven.
TEST_F(KyrChart, EqualHousesReportTheMidheavenApartFromCusp10) {
    std::vector<std::string> equal = Example;
    equal.insert(equal.end(), {"--houses", "equal"});
    const TRun placidus = Run(Example), run = Run(equal);
    ASSERT_EQ(run.Status, 0) << run.Err;
    const double mc = JsonNumber(run.Out, "mc"), ascendant = JsonNumber(run.Out, "ascendant");
    EXPECT_NEAR(mc, JsonNumber(placidus.Out, "mc"), 1e-6);
    EXPECT_NEAR(mc, 279.609847, 1e-6);
    EXPECT_NEAR(JsonNumber(run.Out, "cusps", 9), std::fmod(ascendant + 270, 360), 1e-5);
    EXPECT_GT(std::fabs(mc - JsonNumber(run.Out, "cusps", 9)), 1);
}

TEST_F(KyrChart, EveryWayOfGivingTheSameMomentAndPlaceAgrees) {
    const std::string expected = Run(Example).Out;
    const std::vector<std::vector<std::string>> same = {
        {"--ut", "2000-01-01T12:00:00", "--lat", "51N30", "--lon", "0E00", "--json"},
        {"--date", "2000-01-01", "--time", "13:00", "--utc-offset", "+01:00", "--lat", "51.5",
         "--lon", "0", "--json"},
        {"--date", "2000-01-01", "--time", "07:00", "--utc-offset", "-06:00", "--dst", "01:00",
         "--lat=51.5", "--lon=0", "--json"},
        {"--date", "2000-01-02", "--time", "02:00", "--utc-offset", "+14:00", "--lat", "51.5",
         "--lon", "0", "--json"},
        {"--date", "2000-01-01", "--time", "01:00", "--utc-offset", "-12:00", "--dst", "01:00",
         "--lat", "51.5", "--lon", "0", "--json"},
    };
    for (const auto &args : same) {
        const TRun run = Run(args);
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out, expected) << args[1] << " " << args[3];
    }
}

std::size_t Count(const std::string &text, const std::string &part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != text.npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST_F(KyrChart, TextAndJsonTellTheSameChart) {
    const std::vector<std::string> args = {"--ut", "2000-01-01 12:00", "--lat", "51.5",
                                           "--lon", "0", "--transits", "2000-2001"};
    const TRun text = Run(args);
    std::vector<std::string> jsonArgs = args;
    jsonArgs.push_back("--json");
    const TRun json = Run(jsonArgs);
    ASSERT_EQ(text.Status, 0) << text.Err;
    ASSERT_EQ(json.Status, 0) << json.Err;
    EXPECT_NE(JsonToolStatus(json.Out), 1) << json.Out;

    // The Sun lies in Capricorn, 270 degrees on; the text truncates to whole minutes.
    const int minutes = static_cast<int>((BodyLongitude(json.Out, "Sun") - 270) * 60);
    char sunLine[64];
    std::snprintf(sunLine, sizeof sunLine, "\nSun         Capricorn    %d°%02d'", minutes / 60,
                  minutes % 60);
    EXPECT_NE(text.Out.find(sunLine), std::string::npos) << sunLine << "\n" << text.Out;

    EXPECT_EQ(Count(text.Out, "deviation"), Count(json.Out, "\"deviation\""));
    ASSERT_NE(json.Out.find("\"transits\": ["), std::string::npos);
    EXPECT_GT(Count(json.Out, "\"natal_point\""), 0u);
    EXPECT_EQ(Count(text.Out, " to 20"), Count(json.Out, "\"natal_point\""));
}

// A birth at an atlas place: the same chart as its coordinates with the offsets in force there
// (the place's own mean time before standard time).
TEST_F(KyrChart, AnAtlasPlaceGivesItsCoordinatesAndOffsets) {
    const struct {
        std::vector<std::string> Place, Explicit;
    } cases[] = {
        {{"--date", "1941-08-06", "--time", "04:16", "--place", "USA, New York City"},
         {"--date", "1941-08-06", "--time", "04:16", "--utc-offset", "-05:00", "--dst", "01:00",
          "--lat", "40N43", "--lon", "74W00"}},
        {{"--date", "1944-06-01", "--time", "12:00", "--place", "united kingdom, london"},
         {"--date", "1944-06-01", "--time", "12:00", "--utc-offset", "+00:00", "--dst", "02:00",
          "--lat", "51N31", "--lon", "0W08"}},
        {{"--date", "1870-01-01", "--time", "12:00", "--place", "USA, Buffalo (New York)"},
         {"--date", "1870-01-01", "--time", "12:00", "--utc-offset", "-05:16", "--lat", "42N53",
          "--lon", "78W53"}},
        {{"--ut", "2000-01-01 12:00", "--place", "Denmark, Copenhagen"},
         {"--ut", "2000-01-01 12:00", "--lat", "55N41", "--lon", "12E34"}},
    };
    for (const auto &c : cases) {
        std::vector<std::string> placeArgs = c.Place, explicitArgs = c.Explicit;
        placeArgs.push_back("--json");
        explicitArgs.push_back("--json");
        const TRun place = Run(placeArgs);
        ASSERT_EQ(place.Status, 0) << place.Err;
        EXPECT_EQ(place.Out, Run(explicitArgs).Out) << c.Place.back();
    }
    const TRun text = Run({"--date", "1944-06-01", "--time", "12:00", "--place",
                           "United Kingdom, London"});
    EXPECT_NE(text.Out.find("UTC+00:00, daylight saving 02:00"), std::string::npos) << text.Out;
    EXPECT_NE(text.Out.find("United Kingdom, London (Europe/London)"), std::string::npos);
}

TEST_F(KyrChart, FindPlaceListsPlacesWithCoordinatesAndZones) {
    const TRun run = Run({"--find-place", "USA, Springfield (I"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("USA, Springfield (Illinois)  39N48  089W39  America/Chicago\n"),
              std::string::npos)
        << run.Out;
    const std::string prefix = "USA, Springfield (I";
    for (std::size_t at = 0; at < run.Out.size(); at = run.Out.find('\n', at) + 1)
        EXPECT_EQ(run.Out.compare(at, prefix.size(), prefix), 0) << run.Out.substr(at);

    const TRun many = Run({"--find-place", "s"});
    EXPECT_EQ(many.Status, 0);
    EXPECT_NE(many.Out.find("... and more"), std::string::npos);

    const TRun none = Run({"--find-place", "Xyzzyq"});
    EXPECT_EQ(none.Status, 1);
    EXPECT_EQ(none.Out, "");
    EXPECT_EQ(none.Err, "kyr-chart: no place of the atlas begins with 'Xyzzyq'\n");
}

TEST_F(KyrChart, HelpGoesToStandardOutput) {
    const TRun run = Run({"--help"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_TRUE(run.Out.starts_with("Usage: kyr-chart ")) << run.Out;
    EXPECT_EQ(run.Err, "");
}

TEST_F(KyrChart, BadInputGivesOneMessageAndAnExitStatus) {
    const std::vector<std::string> place = {"--lat", "51.5", "--lon", "0"};
    const auto at = [&](const std::string &ut, std::vector<std::string> more) {
        std::vector<std::string> args = {"--ut", ut};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const struct {
        std::vector<std::string> Args;
        int Status;
        std::string Message;
    } cases[] = {
        {{}, 2, "no moment given"},
        {{"--bogus"}, 2, "unknown option '--bogus' (see --help)"},
        {{"--ut"}, 2, "--ut needs a value"},
        {at("2000-01-01 25:00", place), 2, "--ut: '2000-01-01 25:00' is not a time of day"},
        {at("2000-01-01", place), 2, "--ut: '2000-01-01' is not a moment"},
        {{"--date", "1700-02-29", "--time", "12:00", "--utc-offset", "+01:00", "--lat", "0",
          "--lon", "0"},
         2, "1700-02-29 does not exist in the Gregorian calendar"},
        {at("2000-01-01 12:00", {"--lat", "91", "--lon", "0"}), 2, "Incorrect Latitude Value!"},
        {at("2000-01-01 12:00", {"--lat", "0", "--lon", "-180.5"}), 2,
         "Incorrect Longitude Value!"},
        {at("2000-01-01 12:00", {"--lat", "40E43", "--lon", "0"}), 2,
         "--lat: '40E43' needs the hemisphere letter N or S"},
        {at("2000-01-01 12:00", {"--lat", "0", "--lon", "0", "--transits", "2000-2005"}), 2,
         "--transits: '2000-2005' must span one to three years"},
        {at("2000-01-01 12:00", {"--lat", "0", "--lon", "0", "--houses", "whole"}), 2,
         "--houses: 'whole' is not a house system"},
        {at("2000-01-01 12:00", {"--lat", "0", "--lon", "0", "--orbs", "Heavy"}), 2,
         "--orbs: unknown orb set 'Heavy'"},
        {{"--ut", "2000-01-01 12:00", "--place", "Atlantis, Poseidonia"}, 2,
         "--place: the atlas has no state 'Atlantis'"},
        {{"--ut", "2000-01-01 12:00", "--place", "USA, Poseidonia"}, 2,
         "--place: the atlas has no place 'Poseidonia' in USA"},
        {at("1400-01-01 12:00", place), 1, "Date outside the ephemeris"},
        {at("2500-01-01 12:00", place), 1, "Date outside the ephemeris"},
    };
    for (const auto &c : cases) {
        const TRun run = Run(c.Args);
        EXPECT_EQ(run.Status, c.Status) << c.Message << "\n" << run.Err;
        EXPECT_EQ(run.Out, "") << c.Message;
        EXPECT_TRUE(run.Err.starts_with("kyr-chart: " + c.Message)) << run.Err;
        EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << "one line: " << run.Err;
    }
}

} // namespace
