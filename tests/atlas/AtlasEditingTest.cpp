// The atlas editor's rules on the tables: new identifiers, history entries that are added,
// refused and deleted, the histories as the editor loads them, states and places.
#include "AtlasEditing.h"

#include "AtlasEditorSupport.h"
#include "PlaceOffsets.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace kyr;
using kyr::test::TScratchAtlas;

class AtlasEditingTest : public ::testing::Test {
protected:
    TScratchAtlas Atlas;
    TDataCollection &Data = Atlas.Data;

    // Zone 1001 with the rows of the zone look-up examples, and zone 1002 right after it.
    void AddTwoZones() {
        Data.ZoneIdTable.AppendRecord({"1001", "Europe/Oslo", 18000101LL});
        Data.ZoneIdTable.AppendRecord({"1002", "Europe/Rome", 15821015LL});
        Data.ZoneTable.AppendRecord({"1001", 19000101LL, -100LL});
        Data.ZoneTable.AppendRecord({"1001", 19400515LL, -200LL});
        Data.ZoneTable.AppendRecord({"1001", 19450815LL, -100LL});
        Data.ZoneTable.AppendRecord({"1002", 18930101LL, -100LL});
    }
};

// The identifier of a new state, zone or summer definition follows the last one above 1000;
// ids below give 1001 (the delivered atlas numbers its own from 0001).
TEST_F(AtlasEditingTest, NewDefinitionsAndStatesAreNumberedAfterTheLastIdentifierAbove1000) {
    struct TCase {
        std::vector<std::string> existing;
        std::string expected;
    };
    const TCase cases[] = {
        {{}, "1001"},
        {{"1001"}, "1002"},
        {{"0500"}, "1001"},
        {{"0001", "0396"}, "1001"},
        {{"0396", "1001", "1007"}, "1008"},
    };
    for (const TCase &c : cases) {
        TScratchAtlas atlas;
        TDataCollection &data = atlas.Data;
        int n = 0;
        for (const std::string &id : c.existing) {
            const std::string suffix = std::to_string(++n);
            data.ZoneIdTable.AppendRecord({id, "Zone " + suffix, 0LL});
            data.SummerIdTable.AppendRecord({id, "Summer " + suffix});
            data.StatesTable.AppendRecord({id, "State " + suffix, 0LL, 0LL, 0LL, 0LL});
        }
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(c.expected, AddZoneDefinition(data, "New zone", 15821015, {}));
        EXPECT_EQ(c.expected, AddSummerDefinition(data, "New summer", {}));
        EXPECT_EQ(c.expected, AddState(data, "New state", {}));
        const auto state = FindState(data, "New state");
        ASSERT_TRUE(state);
        EXPECT_EQ(c.expected, state->StateID);
    }
}

TEST_F(AtlasEditingTest, ZoneEntriesAreRefusedWithoutANameOrWithABadOrRepeatedDate) {
    AddTwoZones();
    struct TCase {
        const char *what;
        std::string name;
        TDateInput date;
        int hours, minutes;
        TEntryResult expected;
    };
    const TCase cases[] = {
        {"no name", "", {1950, 1, 1}, 1, 0, TEntryResult::NoName},
        {"year before 1501", "Europe/Oslo", {1500, 1, 1}, 1, 0, TEntryResult::BadValue},
        {"year after 2499", "Europe/Oslo", {2500, 1, 1}, 1, 0, TEntryResult::BadValue},
        {"empty year", "Europe/Oslo", {-1, 1, 1}, 1, 0, TEntryResult::BadValue},
        {"month 0", "Europe/Oslo", {1950, 0, 1}, 1, 0, TEntryResult::BadValue},
        {"month 13", "Europe/Oslo", {1950, 13, 1}, 1, 0, TEntryResult::BadValue},
        {"day 0", "Europe/Oslo", {1950, 1, 0}, 1, 0, TEntryResult::BadValue},
        {"day 32", "Europe/Oslo", {1950, 1, 32}, 1, 0, TEntryResult::BadValue},
        {"24 hours", "Europe/Oslo", {1950, 1, 1}, 24, 0, TEntryResult::BadValue},
        {"60 minutes", "Europe/Oslo", {1950, 1, 1}, 1, 60, TEntryResult::BadValue},
        {"start date it has", "Europe/Oslo", {1940, 5, 15}, 2, 0, TEntryResult::Duplicate},
        // Another definition's date is no duplicate.
        {"zone 1002's date", "Europe/Oslo", {1893, 1, 1}, 1, 0, TEntryResult::Added},
        {"first and last years", "Europe/Oslo", {1501, 12, 31}, 0, 40, TEntryResult::Added},
        {"last year", "Europe/Oslo", {2499, 1, 1}, 23, 59, TEntryResult::Added},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.what);
        const auto before = TScratchAtlas::Rows(Data.ZoneTable);
        EXPECT_EQ(c.expected, AddZoneEntry(Data, c.name, c.date, c.hours, c.minutes, false, 0));
        const auto after = TScratchAtlas::Rows(Data.ZoneTable);
        EXPECT_EQ(before.size() + (c.expected == TEntryResult::Added ? 1 : 0), after.size());
    }
}

TEST_F(AtlasEditingTest, AnEntryForAnUnknownNameCreatesTheDefinitionWithItsGregorianDate) {
    AddTwoZones();
    ASSERT_EQ(TEntryResult::Added,
              AddZoneEntry(Data, "Atlantic/Test", {1920, 3, 1}, 1, 30, true, 15830101));
    const TZoneHistory history = LoadZoneHistory(Data, "Atlantic/Test");
    ASSERT_TRUE(history.Found);
    EXPECT_EQ("1003", history.ZoneID);
    EXPECT_EQ(15830101, history.GregDate);
    EXPECT_EQ((std::vector<TZoneEntry>{{19200301, -130}}), history.Entries);
    // The same start date again is refused; a west offset is stored positive.
    EXPECT_EQ(TEntryResult::Duplicate,
              AddZoneEntry(Data, "Atlantic/Test", {1920, 3, 1}, 2, 0, false, 0));
    EXPECT_EQ(TEntryResult::Added,
              AddZoneEntry(Data, "Atlantic/Test", {1910, 1, 1}, 0, 45, false, 0));
    EXPECT_EQ((std::vector<TZoneEntry>{{19100101, 45}, {19200301, -130}}),
              LoadZoneHistory(Data, "Atlantic/Test").Entries);
    // The zone look-up reads what the editor wrote.
    EXPECT_NEAR(-1.30, static_cast<double>(Data.ZoneTimeFor("Atlantic/Test", 19500101)), 1e-9);
}

TEST_F(AtlasEditingTest, SummerEntriesNeedEveryFieldAndADateTheDefinitionLacks) {
    struct TCase {
        const char *what;
        std::string name;
        TDateInput date;
        int fromHours, fromMinutes, offsetHours, offsetMinutes;
        TEntryResult expected;
    };
    const TCase cases[] = {
        {"first entry", "EU", {1980, 3, 30}, 2, 0, 1, 0, TEntryResult::Added},
        {"no name", "", {1980, 9, 28}, 3, 0, 0, 0, TEntryResult::NoName},
        {"empty start hours", "EU", {1980, 9, 28}, -1, 0, 0, 0, TEntryResult::BadValue},
        {"empty offset minutes", "EU", {1980, 9, 28}, 3, 0, 0, -1, TEntryResult::BadValue},
        {"bad month", "EU", {1980, 13, 28}, 3, 0, 0, 0, TEntryResult::BadValue},
        {"same date", "EU", {1980, 3, 30}, 3, 0, 0, 0, TEntryResult::Duplicate},
        {"end of the period", "EU", {1980, 9, 28}, 3, 0, 0, 0, TEntryResult::Added},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.expected, AddSummerEntry(Data, c.name, c.date, c.fromHours, c.fromMinutes,
                                             c.offsetHours, c.offsetMinutes));
    }
    const TSummerHistory history = LoadSummerHistory(Data, "EU");
    EXPECT_EQ("1001", history.SummerID);
    EXPECT_EQ((std::vector<TSummerEntry>{{19800330, 200, 100}, {19800928, 300, 0}}),
              history.Entries);
    EXPECT_NEAR(1.0, static_cast<double>(Data.SummerTimeFor("EU", 19800601, 120000)), 1e-9);
}

TEST_F(AtlasEditingTest, AHistoryHoldsTheDefinitionsOwnRowsInDateOrder) {
    AddTwoZones();
    const TZoneHistory first = LoadZoneHistory(Data, "Europe/Oslo");
    EXPECT_EQ((std::vector<TZoneEntry>{{19000101, -100}, {19400515, -200}, {19450815, -100}}),
              first.Entries);
    EXPECT_EQ(18000101, first.GregDate);
    // The last definition of the table: the rows run to the end of ZONE.
    EXPECT_EQ((std::vector<TZoneEntry>{{18930101, -100}}),
              LoadZoneHistory(Data, "Europe/Rome").Entries);
    const TZoneHistory unknown = LoadZoneHistory(Data, "Nowhere");
    EXPECT_FALSE(unknown.Found);
    EXPECT_TRUE(unknown.Entries.empty());
    // A definition without rows whose id sorts after every row.
    Data.ZoneIdTable.AppendRecord({"1003", "Empty", 0LL});
    EXPECT_TRUE(LoadZoneHistory(Data, "Empty").Entries.empty());
    // ZONEID keeps the index its other users left.
    Data.ZoneIdTable.SetIndexName("");
    LoadZoneHistory(Data, "Europe/Oslo");
    EXPECT_EQ("", Data.ZoneIdTable.IndexName());
}

TEST_F(AtlasEditingTest, DeletingAnEntryRemovesThatRowOnly) {
    AddTwoZones();
    EXPECT_TRUE(DeleteZoneEntry(Data, "1001", 19400515));
    EXPECT_FALSE(DeleteZoneEntry(Data, "1001", 19400515));
    EXPECT_EQ((std::vector<TZoneEntry>{{19000101, -100}, {19450815, -100}}),
              LoadZoneHistory(Data, "Europe/Oslo").Entries);
    EXPECT_EQ(1u, LoadZoneHistory(Data, "Europe/Rome").Entries.size());

    ASSERT_EQ(TEntryResult::Added, AddSummerEntry(Data, "EU", {1980, 3, 30}, 2, 0, 1, 0));
    ASSERT_EQ(TEntryResult::Added, AddSummerEntry(Data, "EU", {1980, 9, 28}, 3, 0, 0, 0));
    EXPECT_TRUE(DeleteSummerEntry(Data, "1001", 19800330));
    EXPECT_EQ((std::vector<TSummerEntry>{{19800928, 300, 0}}),
              LoadSummerHistory(Data, "EU").Entries);
}

TEST_F(AtlasEditingTest, APlaceWithAnUnknownZoneNameRefersToNoneAndGetsNoOffset) {
    AddTwoZones();
    const std::string state = AddState(Data, "Norway", {7110, 5758, -3102, -459});
    TPlaceRow row{
        state, "Bergen", 6023, -520, ZoneRefFor(Data, "No such zone"), SummerRefFor(Data, "")};
    WritePlace(Data, row);
    const auto place = FindAtlasPlace(Data, "Norway", "Bergen");
    ASSERT_TRUE(place);
    EXPECT_EQ("0000", place->ZoneRef);
    EXPECT_EQ("0000", place->SummerRef);
    EXPECT_EQ(0, static_cast<double>(OffsetsForPlace(Data, *place, 19500101, 120000).ZoneTime));
    // Writing it again changes the row in place.
    row.ZoneRef = ZoneRefFor(Data, "Europe/Oslo");
    WritePlace(Data, row);
    EXPECT_EQ(1u, TScratchAtlas::Rows(Data.PlacesTable).size());
    EXPECT_NEAR(-1.0,
                static_cast<double>(OffsetsForPlace(Data, *FindAtlasPlace(Data, "Norway", "Bergen"),
                                                    19500101, 120000)
                                        .ZoneTime),
                1e-9);
}

TEST_F(AtlasEditingTest, TheFirstPlaceOfAStateIsTheFirstInKeyOrder) {
    const std::string norway = AddState(Data, "Norway", {});
    const std::string sweden = AddState(Data, "Sweden", {});
    for (const auto &[id, name] : std::vector<std::pair<std::string, std::string>>{
             {sweden, "Arvika"}, {norway, "Tromso"}, {norway, "Bergen"}, {norway, "Oslo"}})
        WritePlace(Data, {id, name, 0, 0});
    EXPECT_EQ("Bergen", FirstPlaceOfState(Data, norway)->PlaceName);
    EXPECT_EQ("Arvika", FirstPlaceOfState(Data, sweden)->PlaceName);
    EXPECT_FALSE(FirstPlaceOfState(Data, "1999"));
}

TEST(AtlasAngles, MarksGiveTheSignAndAMissingMarkCountsSouthOrWest) {
    struct TCase {
        int degrees, minutes;
        const char *mark;
        long long latitude, longitude;
    };
    const TCase cases[] = {
        {51, 30, "N", 5130, 5130},  {51, 30, "S", -5130, 5130}, {12, 5, "W", -1205, 1205},
        {12, 5, "E", -1205, -1205}, {12, 5, "", -1205, 1205},   {0, 0, "N", 0, 0},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.mark);
        EXPECT_EQ(c.latitude, LatitudeValue(c.degrees, c.minutes, c.mark, "N"));
        EXPECT_EQ(c.longitude, LongitudeValue(c.degrees, c.minutes, c.mark, "E"));
    }
}

} // namespace
