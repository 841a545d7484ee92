// Zone and summer-time offsets from a small atlas written through the store.
#include "DataCollection.h"
#include "HistoricalAtlas.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>

using namespace kyr;
using kyr::test::MakeHistoricalAtlas;
using kyr::test::MakeTable;
using kyr::test::TTempDir;

namespace {

class ZoneResolution : public ::testing::Test {
protected:
    TTempDir Dir;
    TDataCollection Data;

    // withNextZone: whether zone 1002 follows zone 1001 in ZONE; without it 1001 is the last.
    void Build(bool withNextZone) {
        MakeTable(Dir, "ZONEID",
                  {{"1001", "Middle", 15840101LL},
                   {"1002", "Next", 15840101LL},
                   {"0998", "Twin", 15840101LL},
                   {"1000", "Twin", 15840101LL}});
        std::vector<std::vector<TFieldValue>> zones = {{"0998", 18000101LL, 500LL},
                                                       {"1000", 18000101LL, 300LL},
                                                       {"1001", 19000101LL, -100LL},
                                                       {"1001", 19400515LL, -200LL},
                                                       {"1001", 19450815LL, -100LL}};
        if (withNextZone)
            zones.push_back({"1002", 18500101LL, -900LL});
        MakeTable(Dir, "ZONE", zones);
        MakeTable(Dir, "SUMMERID", {{"1001", "Summer rule"}, {"1002", "Other rule"}});
        MakeTable(Dir, "SUMMER",
                  {{"1001", 19800330LL, 200LL, 100LL},
                   {"1001", 19800928LL, 300LL, 0LL},
                   {"1002", 19700101LL, 0LL, 200LL}});
        Data.ZoneIdTable.SetDirectory(Dir.Path());
        Data.ZoneTable.SetDirectory(Dir.Path());
        Data.SummerIdTable.SetDirectory(Dir.Path());
        Data.SummerTable.SetDirectory(Dir.Path());
        for (TKyrTable *table :
             {&Data.ZoneIdTable, &Data.ZoneTable, &Data.SummerIdTable, &Data.SummerTable})
            table->Open();
    }
};

struct TZoneCase {
    const char *Name;
    long long Date;
    Extended Expected;
};

const TZoneCase ZoneCases[] = {
    {"Middle", 19420101, -2.00L}, // between rows: the earlier row
    {"Middle", 19000101, -1.00L}, // exact hit
    {"Middle", 18991231, 0},      // before the zone's first row
    {"Middle", 20000101, -1.00L}, // after the last row
    {"middle", 19450815, -1.00L}, // names compare without regard to case
    {"Next", 18500101, -9.00L},   // only when zone 1002 exists, else 0
    {"Twin", 19000101, 5.00L},    // the first "Twin" in the name index is 0998
    {"Nowhere", 19000101, 0},     {"", 19000101, 0},
};

TEST_F(ZoneResolution, ZoneOffsetInForceOnTheDate) {
    Build(true);
    for (const TZoneCase &c : ZoneCases)
        EXPECT_EQ(Data.ZoneTimeFor(c.Name, c.Date), c.Expected) << c.Name << " " << c.Date;
    EXPECT_EQ(Data.ZoneIdTable.IndexName(), "Zone");
}

TEST_F(ZoneResolution, ZoneThatIsTheLastOfTheTable) {
    Build(false);
    for (const TZoneCase &c : ZoneCases) {
        const Extended expected = std::string(c.Name) == "Next" ? 0 : c.Expected;
        EXPECT_EQ(Data.ZoneTimeFor(c.Name, c.Date), expected) << c.Name << " " << c.Date;
    }
}

TEST_F(ZoneResolution, SummerOffsetInForceAtTheMoment) {
    Build(true);
    struct TCase {
        const char *Name;
        long long Date, Time;
        Extended Expected;
    };
    const TCase cases[] = {
        {"Summer rule", 19800330, 13000, 0},     // before the 02:00 start, no earlier row
        {"Summer rule", 19800330, 20000, 1.00L}, // at the start
        {"Summer rule", 19800330, 235959, 1.00L},
        {"Summer rule", 19800601, 0, 1.00L},
        {"Summer rule", 19800601, 120000, 1.00L},
        {"Summer rule", 19800928, 25959, 1.00L}, // the end row has not started yet
        {"Summer rule", 19800928, 30000, 0},
        {"Summer rule", 19801001, 120000, 0}, // TimeDiff 0 ends the period
        {"Summer rule", 19790101, 120000, 0}, // before the first row
        {"Other rule", 20240701, 120000, 2.00L},
        {"Nothing", 19800601, 120000, 0},
        {"", 19800601, 120000, 0},
    };
    for (const TCase &c : cases)
        EXPECT_EQ(Data.SummerTimeFor(c.Name, c.Date, c.Time), c.Expected)
            << c.Name << " " << c.Date << " " << c.Time;
    EXPECT_EQ(Data.SummerIdTable.IndexName(), "Summer");
}

TEST_F(ZoneResolution, EmptyNamesTouchNoTable) {
    // The tables are closed: any access would raise the store's error.
    EXPECT_EQ(Data.ZoneTimeFor("", 19000101), 0);
    EXPECT_EQ(Data.SummerTimeFor("", 19800601, 120000), 0);
    EXPECT_THROW(Data.ZoneTimeFor("Middle", 19000101), EStoreError);
}

TEST_F(ZoneResolution, EmptyHistoriesGiveZero) {
    MakeTable(Dir, "ZONEID", {{"1001", "Middle", 15840101LL}});
    MakeTable(Dir, "ZONE");
    MakeTable(Dir, "SUMMERID", {{"1001", "Summer rule"}});
    MakeTable(Dir, "SUMMER");
    Data.SetDirectory(Dir.Path());
    for (TKyrTable *table :
         {&Data.ZoneIdTable, &Data.ZoneTable, &Data.SummerIdTable, &Data.SummerTable})
        table->Open();
    EXPECT_EQ(Data.ZoneTimeFor("Middle", 19000101), 0);
    EXPECT_EQ(Data.SummerTimeFor("Summer rule", 19800601, 0), 0);
}

TEST(GregorianStart, TheFirstGregorianDayOfThePlacesZone) {
    TTempDir dir;
    MakeHistoricalAtlas(dir);
    TDataCollection data;
    data.SetDirectory(dir.Path());
    for (TKyrTable *table : {&data.StatesTable, &data.PlacesTable, &data.ZoneIdTable})
        table->Open();
    struct TCase {
        const char *State, *Place;
        Extended Expected;
    };
    const TCase cases[] = {
        {"United Kingdom", "London", 1752.0914L},
        {"united kingdom", "LONDON", 1752.0914L}, // keys compare without regard to case
        {"Russia", "Moscow", 1918.0214L},
        {"Italy", "Rome", 1582.1015L},
        {"Greece", "Athens", 1923.0301L},
        {"Nowhere", "No Zone", 1582.1015L}, // no zone definition
        {"Nowhere", "No Date", 1582.1015L}, // a definition without a date
        {"Russia", "Atlantis", 1582.1015L},
        {"", "London", 1582.1015L},
        {"", "", 1582.1015L},
    };
    data.PlacesTable.SetIndexName("");
    data.ZoneIdTable.SetIndexName("Zone");
    for (const TCase &c : cases)
        for (const Extended date : {1500.0101L, 1700.0601L, 2000.0101L})
            EXPECT_EQ(data.GregorianStartFor(c.State, c.Place, date), c.Expected)
                << c.State << "/" << c.Place << " " << double(date);
    // Callers walking the atlas keep their indexes.
    EXPECT_EQ(data.ZoneIdTable.IndexName(), "Zone");
    EXPECT_EQ(data.StatesTable.IndexName(), "");
}

TEST(GregorianStart, TheReformDayWithoutAnAtlas) {
    TDataCollection closed;
    EXPECT_EQ(closed.GregorianStartFor("United Kingdom", "London", 1700.0601L), 1582.1015L);
}

} // namespace
