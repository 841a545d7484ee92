// Runs the built kyr-chart with one bad value at a time, of every option that takes one: the
// tool must refuse it with exit status 2 and one short line naming the option, however long
// or odd the value.
#include "RunKyrChart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kyr::test::TRun;

class BadArguments : public kyr::test::TKyrChartTest {
protected:
    /// The option with its value first, then a chart that is fine without that option.
    TRun RunWith(const std::string &option, const std::string &value,
                 const std::vector<std::string> &more) {
        const std::vector<std::string> chart = {"--ut",  "2000-01-01 12:00", "--lat",
                                                "51.5",  "--lon",            "0",
                                                "--wheel", (FDir / "w.png").string()};
        std::vector<std::string> args = {option, value};
        for (std::size_t i = 0; i < chart.size(); i += 2)
            if (chart[i] != option)
                args.insert(args.end(), {chart[i], chart[i + 1]});
        args.insert(args.end(), more.begin(), more.end());
        return RunKyrChart(args);
    }
};

const std::string Digits30000(30000, '7');

TEST_F(BadArguments, EachIsRefusedNamingItsOption) {
    const struct {
        std::string Option;
        std::string Value;
        std::vector<std::string> More = {};
    } cases[] = {
        // Huge values: once these crashed the tool, the parser recursing per character.
        {"--lat", Digits30000},
        {"--lat", "1." + Digits30000},
        {"--size", Digits30000},
        {"--lon", Digits30000},
        {"--ut", "2000-01-01 12:" + Digits30000},
        {"--date", Digits30000},
        {"--time", Digits30000 + ":00"},
        {"--utc-offset", "+" + Digits30000},
        {"--dst", Digits30000},
        {"--transits", Digits30000},
        {"--houses", std::string(5000, 'k')},
        {"--orbs", std::string(5000, 'M')},
        {"--gregorian-start", Digits30000},
        {"--place", "USA, " + std::string(5000, 'x')},
        {"--find-place", std::string(5000, 's')},
        {"--partner-ut", Digits30000},
        {"--partner-lat", Digits30000},
        {"--partner-lon", Digits30000},
        {"--wheel", std::string(5000, 'w') + ".png"},
        // Empty values.
        {"--lat", ""},
        {"--lon", ""},
        {"--size", ""},
        {"--ut", ""},
        {"--date", ""},
        {"--time", ""},
        {"--utc-offset", ""},
        {"--dst", ""},
        {"--transits", ""},
        {"--houses", ""},
        {"--orbs", ""},
        {"--gregorian-start", ""},
        {"--place", ""},
        {"--find-place", ""},
        {"--partner-ut", ""},
        {"--wheel", ""},
        // Garbage.
        {"--lat", "51.5N"},
        {"--lat", "5 1"},
        {"--lon", "0x1F"},
        {"--lon", "--"},
        {"--size", "800px"},
        {"--size", "-800"},
        {"--ut", "2000-01-01\t12:00"},
        {"--date", "2000-01-01-01"},
        {"--time", "12h00"},
        {"--utc-offset", "+01:00:00"},
        {"--dst", "1h"},
        {"--transits", "2024 - 2026"},
        {"--houses", "plac"},
        {"--gregorian-start", "yesterday"},
        {"--partner-lat", "north"},
        {"--wheel", "chart"},
        // Out of range.
        {"--lat", "91"},
        {"--lat", "-90.01"},
        {"--lon", "181"},
        {"--lon", "180W01"},
        {"--size", "99"},
        {"--size", "8001"},
        {"--ut", "2000-02-30 12:00"},
        {"--time", "24:00"},
        {"--utc-offset", "+14:30"},
        {"--dst", "12:01"},
        {"--transits", "1499-1500"},
        {"--transits", "2000-2004"},
        {"--orbs", "Heavy"},
        {"--gregorian-start", "1700-02-29"},
        {"--partner-lon", "-180.5", {"--partner-ut", "1985-07-13 16:00", "--partner-lat", "40"}},
        {"--partner-lat", "90N01", {"--partner-ut", "1985-07-13 16:00", "--partner-lon", "0"}},
    };
    for (const auto &c : cases) {
        const std::string shown = c.Option + " '" + c.Value.substr(0, 30) + "'";
        const TRun run = RunWith(c.Option, c.Value, c.More);
        EXPECT_EQ(run.Status, 2) << shown << "\n" << run.Err;
        EXPECT_EQ(run.Out, "") << shown;
        EXPECT_TRUE(run.Err.starts_with("kyr-chart: ")) << shown << "\n" << run.Err;
        EXPECT_NE(run.Err.find(c.Option), std::string::npos) << shown << "\n" << run.Err;
        EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << "one line: " << run.Err;
        EXPECT_LT(run.Err.size(), 400u) << shown << "\n" << run.Err.substr(0, 400);
    }
}

TEST_F(BadArguments, AHugeValueGivenWithEqualsOrAHugeOptionIsRefusedToo) {
    const struct {
        std::vector<std::string> Args;
        std::string Message;
    } cases[] = {
        {{"--lat=" + Digits30000, "--ut", "2000-01-01 12:00", "--lon", "0"},
         "--lat: the value is 30000 characters long; at most 256 are allowed"},
        {{"--size=" + Digits30000}, "--size: the value is 30000 characters long"},
        {{"--" + std::string(30000, 'x')}, "unknown option '--xxxxxxxx"},
    };
    for (const auto &c : cases) {
        const TRun run = RunKyrChart(c.Args);
        EXPECT_EQ(run.Status, 2) << c.Message << "\n" << run.Err.substr(0, 400);
        EXPECT_TRUE(run.Err.starts_with("kyr-chart: " + c.Message)) << run.Err.substr(0, 400);
        EXPECT_LT(run.Err.size(), 400u) << c.Message;
    }
}

} // namespace
