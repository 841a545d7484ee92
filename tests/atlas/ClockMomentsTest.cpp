// Clock readings around changes of summer time on the delivered atlas: the repeated hour names
// two moments, the skipped hour none, and a moment in universal time gives back the reading
// of the place, also on either side of a change.
#include "AtlasTestSupport.h"

#include "ClockMoments.h"

namespace kyr::test {
namespace {

TAtlasPlace Place(TDeliveredAtlas &atlas, const char *state, const char *name) {
    const std::optional<TAtlasPlace> place = FindAtlasPlace(atlas.Data, state, name);
    EXPECT_TRUE(place) << name;
    return place.value_or(TAtlasPlace{});
}

TEST(ClockMoments, RepeatedAndSkippedReadingsAroundTheChanges) {
    TDeliveredAtlas atlas;
    const TAtlasPlace newYork = Place(atlas, "USA", "New York City");
    const struct {
        long long Date, Time;
        TClockReading Reading;
        Extended EarlierSummer, LaterSummer;
    } cases[] = {
        {20211107, 5959, TClockReading::Single, 1, 1},
        {20211107, 10000, TClockReading::Repeated, 1, 0},
        {20211107, 13000, TClockReading::Repeated, 1, 0},
        {20211107, 15959, TClockReading::Repeated, 1, 0},
        {20211107, 20000, TClockReading::Single, 0, 0},
        {20210314, 15959, TClockReading::Single, 0, 0},
        {20210314, 20000, TClockReading::Skipped, 1, 1},
        {20210314, 23000, TClockReading::Skipped, 1, 1},
        {20210314, 30000, TClockReading::Single, 1, 1},
        {20210701, 13000, TClockReading::Single, 1, 1},
    };
    for (const auto &c : cases) {
        const TClockMoments m = ClockMomentsForPlace(atlas.Data, newYork, c.Date, c.Time);
        EXPECT_EQ(m.Reading, c.Reading) << c.Date << " " << c.Time;
        EXPECT_EQ(m.Earlier.SummerTime, c.EarlierSummer) << c.Date << " " << c.Time;
        EXPECT_EQ(m.Later.SummerTime, c.LaterSummer) << c.Date << " " << c.Time;
        EXPECT_EQ(m.Earlier.ZoneTime, 5) << c.Date << " " << c.Time;
    }
    // With the summer switch off the typed summer time is the user's: no question.
    EXPECT_EQ(ClockMomentsForPlace(atlas.Data, newYork, 20211107, 13000, true, false).Reading,
              TClockReading::Single);
}

TEST(ClockMoments, UniversalTimeAndBackAcrossMidnightAndTheChanges) {
    TDeliveredAtlas atlas;
    const TAtlasPlace newYork = Place(atlas, "USA", "New York City");
    const TAtlasPlace vienna = Place(atlas, "Austria", "Vienna");
    EXPECT_EQ(UniversalMoment({20211107, 13000}, {5, 1}), (TDateTimeNumbers{20211107, 53000}));
    EXPECT_EQ(UniversalMoment({20211231, 230000}, {5, 0}), (TDateTimeNumbers{20220101, 40000}));
    EXPECT_EQ(UniversalMoment({20220101, 3000}, {-1, 0}), (TDateTimeNumbers{20211231, 233000}));

    const struct {
        const TAtlasPlace *At;
        TDateTimeNumbers Universal, Clock;
        Extended Summer;
    } cases[] = {
        {&newYork, {20211107, 53000}, {20211107, 13000}, 1}, // the first 01:30
        {&newYork, {20211107, 63000}, {20211107, 13000}, 0}, // the second
        {&newYork, {20211107, 73000}, {20211107, 23000}, 0},
        {&newYork, {20210314, 65959}, {20210314, 15959}, 0},
        {&newYork, {20210314, 70000}, {20210314, 30000}, 1},
        {&newYork, {20210101, 30000}, {20201231, 220000}, 0},
        {&vienna, {20210328, 5959}, {20210328, 15959}, 0},
        {&vienna, {20210328, 10000}, {20210328, 30000}, 1},
        {&vienna, {20211031, 3000}, {20211031, 23000}, 1},
        {&vienna, {20211031, 13000}, {20211031, 23000}, 0},
    };
    for (const auto &c : cases) {
        const TLocalMoment local = LocalMomentForPlace(atlas.Data, *c.At, c.Universal);
        EXPECT_EQ(local.Clock, c.Clock) << c.At->PlaceName << " " << c.Universal.Time;
        EXPECT_EQ(local.Offsets.SummerTime, c.Summer) << c.At->PlaceName << " "
                                                      << c.Universal.Time;
        EXPECT_EQ(UniversalMoment(local.Clock, local.Offsets), c.Universal);
    }
}

} // namespace
} // namespace kyr::test
