// Zone time minus summer time from the delivered tables, read as the program reads them
// (ZoneTimeFor, SummerTimeFor), against the UTC offsets of the tz database.
#include "AtlasTestSupport.h"

#include "Angles.h"
#include "PlaceOffsets.h"

#include <cmath>
#include <cstdio>
#include <optional>

namespace kyr::test {
namespace {

// Minutes east of Greenwich: UT = clock + zone − summer.
int TableOffsetMinutes(TDataCollection &data, const TAtlasPlace &place, long long date,
                       long long time) {
    const Extended zone = data.ZoneTimeFor(place.ZoneName, date);
    const Extended summer = data.SummerTimeFor(place.SummerName, date, time);
    return static_cast<int>(std::lround((HmToHours(summer) - HmToHours(zone)) * 60));
}

struct TAgreement {
    int Clear = 0, ClearAgreeing = 0;       ///< moments the tables must give
    int Changing = 0, ChangingAgreeing = 0; ///< in the skipped or repeated stretch of a change
    int WithoutLocalTime = 0;               ///< -00 in the tz database
    std::string Faults;                     ///< the first few disagreements

    double Share() const { return Clear ? 100.0 * ClearAgreeing / Clear : 0; }
};

TAgreement Compare(TDataCollection &data, const std::vector<TOffsetCase> &cases) {
    TAgreement result;
    int faults = 0;
    for (const TOffsetCase &c : cases) {
        const std::optional<TAtlasPlace> place = FindAtlasPlace(data, c.State, c.Place);
        if (!place || place->ZoneName != c.Zone) {
            ADD_FAILURE() << "line " << c.Line << ": " << c.State << ", " << c.Place
                          << " is not a place of zone " << c.Zone;
            continue;
        }
        // Offsets with seconds (local mean times) are kept to the nearest minute.
        const int minutes = TableOffsetMinutes(data, *place, c.Date, c.Time);
        const bool agrees = std::abs(minutes * 60 - c.OffsetSeconds) <= 30;
        switch (c.Mark) {
        case 0:
            ++result.Clear;
            result.ClearAgreeing += agrees;
            if (!agrees && ++faults <= 10) {
                char text[256];
                std::snprintf(text, sizeof text, "\n  line %d: %s %08lld %06lld: %d min, tz %d s",
                              c.Line, c.Zone.c_str(), c.Date, c.Time, minutes, c.OffsetSeconds);
                result.Faults += text;
            }
            break;
        case 1:
            ++result.Changing;
            result.ChangingAgreeing += agrees;
            break;
        default:
            ++result.WithoutLocalTime;
        }
    }
    return result;
}

void Report(const char *what, const TAgreement &a) {
    std::printf("%s: %d of %d moments agree with the tz database (%.3f%%); %d in the skipped "
                "or repeated stretch of a change (%d of them agree); %d before the place had "
                "local time\n",
                what, a.ClearAgreeing, a.Clear, a.Share(), a.Changing, a.ChangingAgreeing,
                a.WithoutLocalTime);
    ::testing::Test::RecordProperty("agreement_percent", std::to_string(a.Share()));
}

TEST(ZoneOffsets, RandomPlacesAndMomentsAgreeWithTheTzDatabase) {
    TDeliveredAtlas atlas;
    const std::vector<TOffsetCase> cases = ReadOffsetFixture("zone-offsets.tsv");
    ASSERT_GE(cases.size(), 10000u);
    const TAgreement a = Compare(atlas.Data, cases);
    Report("random places and moments 1850-2037", a);
    EXPECT_GE(a.Share(), 99.9) << a.Faults;
}

// Where a summer row's start time or a zone row's day is off, only moments next to the change
// show it; random moments seldom fall there.
TEST(ZoneOffsets, MomentsAtTheEdgesOfChangesAgreeWithTheTzDatabase) {
    TDeliveredAtlas atlas;
    const std::vector<TOffsetCase> cases = ReadOffsetFixture("zone-changes.tsv");
    const TAgreement a = Compare(atlas.Data, cases);
    Report("moments at the edges of changes", a);
    EXPECT_GT(a.Changing, 0);
    EXPECT_GE(a.Clear, 1000);
    EXPECT_GE(a.Share(), 99.9) << a.Faults;
}

TEST(ZoneOffsets, KnownHistories) {
    TDeliveredAtlas atlas;
    const struct {
        const char *State, *Place, *Zone;
        long long Date, Time;
        Extended ZoneTime, SummerTime; // H.MM, zone west positive
        const char *Why;
    } cases[] = {
        {"USA", "New York City", "America/New_York", 19410806, 41600, 5.00L, 1.00L, "war"},
        {"Denmark", "Copenhagen", "Europe/Copenhagen", 19440701, 120000, -1.00L, 1.00L, "war"},
        {"United Kingdom", "London", "Europe/London", 19440601, 120000, 0, 2.00L,
         "double summer time"},
        {"United Kingdom", "London", "Europe/London", 19441201, 120000, 0, 1.00L,
         "summer time all winter"},
        {"India", "Kolkata", "Asia/Kolkata", 19430615, 120000, -5.30L, 1.00L, "war time"},
        {"Australia", "Adelaide", "Australia/Adelaide", 19950615, 120000, -9.30L, 0, "winter"},
        {"Australia", "Adelaide", "Australia/Adelaide", 19950115, 120000, -9.30L, 1.00L,
         "southern summer"},
        // Negative summer time in the tz database, turned into summer time over the other
        // standard offset.
        {"Ireland", "Dublin", "Europe/Dublin", 20240115, 120000, 0, 0, "winter"},
        {"Ireland", "Dublin", "Europe/Dublin", 20240715, 120000, 0, 1.00L, "summer"},
        {"Morocco", "Casablanca", "Africa/Casablanca", 20240115, 120000, 0, 1.00L, "+01"},
        {"Morocco", "Casablanca", "Africa/Casablanca", 20240325, 120000, 0, 0, "Ramadan"},
        {"Namibia", "Windhoek", "Africa/Windhoek", 20000715, 120000, -1.00L, 0, "winter"},
        {"Namibia", "Windhoek", "Africa/Windhoek", 20000115, 120000, -1.00L, 1.00L, "summer"},
        // British Standard Time was standard time, not summer time.
        {"United Kingdom", "London", "Europe/London", 19700115, 120000, -1.00L, 0, "BST"},
        {"USA", "New York City", "America/New_York", 18700101, 120000, 4.56L, 0,
         "local mean time of New York"},
        // The closing rules, followed past 2037.
        {"Germany", "Berlin", "Europe/Berlin", 20990715, 120000, -1.00L, 1.00L, "rule"},
        {"USA", "New York City", "America/New_York", 20991215, 120000, 5.00L, 0, "rule"},
        // Samoa crossed the date line and skipped 30 December 2011.
        {"Samoa", "Apia", "Pacific/Apia", 20111229, 120000, 11.00L, 1.00L, "before"},
        {"Samoa", "Apia", "Pacific/Apia", 20111231, 120000, -13.00L, 1.00L, "after"},
    };
    for (const auto &c : cases) {
        const std::optional<TAtlasPlace> place = FindAtlasPlace(atlas.Data, c.State, c.Place);
        ASSERT_TRUE(place) << c.State << ", " << c.Place;
        EXPECT_EQ(place->ZoneName, c.Zone);
        EXPECT_NEAR(atlas.Data.ZoneTimeFor(place->ZoneName, c.Date), c.ZoneTime, 1e-9L)
            << c.Place << " " << c.Date << " " << c.Why;
        EXPECT_NEAR(atlas.Data.SummerTimeFor(place->SummerName, c.Date, c.Time), c.SummerTime,
                    1e-9L)
            << c.Place << " " << c.Date << " " << c.Why;
    }
}

} // namespace
} // namespace kyr::test
