// Runs the built kyr-chart where its messages used to mislead: the range of dates it computes,
// and the daylight saving that a UTC offset beyond +12:00 leaves room for.
#include "RunKyrChart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kyr::test::TRun;

class Messages : public kyr::test::TKyrChartTest {};

TEST_F(Messages, DatesOutsideTheRangeNameItInTheCalendarOfTheDay) {
    const std::string message = "kyr-chart: Date outside the ephemeris: charts can be computed "
                                "from 12 January 1500 (Julian) to 31 December 2099.\n";
    for (const std::string ut : {"1500-01-11 23:59", "2100-01-01 00:00", "2500-01-01 12:00"}) {
        const TRun run = RunKyrChart({"--ut", ut, "--lat", "51.5", "--lon", "0"});
        EXPECT_EQ(run.Status, 1) << ut;
        EXPECT_EQ(run.Err, message) << ut;
    }
    // The first and the last day of the range.
    for (const std::string ut : {"1500-01-12 00:00", "2099-12-31 23:59"}) {
        const TRun run = RunKyrChart({"--ut", ut, "--lat", "51.5", "--lon", "0"});
        EXPECT_EQ(run.Status, 0) << ut << ": " << run.Err;
    }
}

TEST_F(Messages, DaylightSavingBeyondWhatTheOffsetLeavesNamesTheLimit) {
    const auto run = [&](const std::string &offset, const std::string &dst) {
        return RunKyrChart({"--date", "2000-06-01", "--time", "12:00", "--utc-offset", offset,
                            "--dst", dst, "--lat", "0", "--lon", "0"});
    };
    const struct {
        std::string Offset, Dst;
        int Status;
        std::string Err;
    } cases[] = {
        {"+14:00", "12:00", 2,
         "kyr-chart: --dst: with --utc-offset +14:00 the summer-time offset must be between "
         "00:00 and 10:00\n"},
        {"+12:45", "11:30", 2,
         "kyr-chart: --dst: with --utc-offset +12:45 the summer-time offset must be between "
         "00:00 and 11:15\n"},
        {"+14:00", "10:00", 0, ""},
        {"+12:00", "12:00", 0, ""},
        {"-12:00", "12:00", 0, ""},
    };
    for (const auto &c : cases) {
        const TRun r = run(c.Offset, c.Dst);
        EXPECT_EQ(r.Status, c.Status) << c.Offset << " " << c.Dst << ": " << r.Err;
        EXPECT_EQ(r.Err, c.Err) << c.Offset << " " << c.Dst;
    }
}

} // namespace
