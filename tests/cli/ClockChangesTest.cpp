// Runs the built kyr-chart with --place at local times that the clocks there repeated or
// skipped: a repeated time needs --fold, a skipped one is refused, and --fold picks the moment
// in universal time that the chart is cast for.
#include "RunKyrChart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kyr::test::TRun;

class ClockChanges : public kyr::test::TKyrChartTest {
protected:
    TRun AtNewYork(const std::string &date, const std::string &time,
                   std::vector<std::string> more = {}) {
        std::vector<std::string> args = {"--date", date, "--time", time, "--place",
                                         "USA, New York City", "--json"};
        args.insert(args.end(), more.begin(), more.end());
        return RunKyrChart(args);
    }
    TRun AtUt(const std::string &ut) {
        return RunKyrChart({"--ut", ut, "--place", "USA, New York City", "--json"});
    }
};

TEST_F(ClockChanges, ARepeatedTimeNamesBothMomentsUntilFoldChoosesOne) {
    const TRun bare = AtNewYork("2021-11-07", "01:30");
    EXPECT_EQ(bare.Status, 2);
    EXPECT_EQ(bare.Err, "kyr-chart: 2021-11-07 01:30 happened twice in USA, New York City: at "
                        "2021-11-07 05:30 UT in summer time and at 2021-11-07 06:30 UT in "
                        "standard time; choose one with --fold earlier or --fold later\n");
    EXPECT_EQ(bare.Out, "");

    const TRun earlier = AtNewYork("2021-11-07", "01:30", {"--fold", "earlier"});
    const TRun later = AtNewYork("2021-11-07", "01:30", {"--fold", "later"});
    ASSERT_EQ(earlier.Status, 0) << earlier.Err;
    ASSERT_EQ(later.Status, 0) << later.Err;
    EXPECT_EQ(earlier.Out, AtUt("2021-11-07 05:30").Out);
    EXPECT_EQ(later.Out, AtUt("2021-11-07 06:30").Out);
    EXPECT_NE(earlier.Out, later.Out);

    // Outside the repeated hour there is one moment, with or without --fold.
    const TRun after = AtNewYork("2021-11-07", "02:00");
    ASSERT_EQ(after.Status, 0) << after.Err;
    EXPECT_EQ(after.Out, AtUt("2021-11-07 07:00").Out);
    EXPECT_EQ(AtNewYork("2021-11-07", "00:59", {"--fold", "later"}).Out,
              AtUt("2021-11-07 04:59").Out);
}

TEST_F(ClockChanges, ASkippedTimeIsRefused) {
    for (const std::vector<std::string> &more :
         {std::vector<std::string>{}, std::vector<std::string>{"--fold", "earlier"}}) {
        const TRun run = AtNewYork("2021-03-14", "02:30", more);
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Err, "kyr-chart: 2021-03-14 02:30 does not exist in USA, New York City: "
                           "the clocks were put forward over it\n");
    }
    EXPECT_EQ(AtNewYork("2021-03-14", "03:00").Out, AtUt("2021-03-14 07:00").Out);
    EXPECT_EQ(AtNewYork("2021-03-14", "01:59").Out, AtUt("2021-03-14 06:59").Out);
}

TEST_F(ClockChanges, FoldIsRefusedWhereItChoosesNothing) {
    const struct {
        std::vector<std::string> Args;
        std::string Err;
    } cases[] = {
        {{"--date", "2021-11-07", "--time", "01:30", "--place", "USA, New York City", "--fold",
          "second"},
         "kyr-chart: --fold: 'second' is not earlier or later\n"},
        {{"--date", "2021-11-07", "--time", "01:30", "--utc-offset", "-05:00", "--lat", "40N43",
          "--lon", "74W00", "--fold", "later"},
         "kyr-chart: --fold chooses between two moments of the clock at --place; it needs "
         "--place with --date and --time\n"},
        {{"--ut", "2021-11-07 06:30", "--place", "USA, New York City", "--fold", "later"},
         "kyr-chart: --fold chooses between two moments of the clock at --place; it needs "
         "--place with --date and --time\n"},
    };
    for (const auto &c : cases) {
        const TRun run = RunKyrChart(c.Args);
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Err, c.Err);
    }
}

} // namespace
