// The delivered atlas tables as a whole: states, places, their names, bounds and references,
// and the shape of the zone and summer-time histories.
#include "AtlasTestSupport.h"

#include "PlaceOffsets.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace kyr::test {
namespace {

// ±(degrees·100 + minutes) as signed minutes of arc.
long long ArcMinutes(long long angle) {
    const long long magnitude = std::llabs(angle);
    return (angle < 0 ? -1 : 1) * (magnitude / 100 * 60 + magnitude % 100);
}

std::string Upper(std::string text) {
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Identifiers of delivered rows stay below 1001, where the program starts its own.
bool DeliveredIdentifier(const std::string &id) {
    return !id.empty() && id.size() <= 10 &&
           std::all_of(id.begin(), id.end(), [](char c) { return std::isdigit(c); }) &&
           std::stoll(id) >= 1 && std::stoll(id) <= 1000;
}

struct TBounds {
    std::string Name;
    long long North, South, East, West; // arc minutes, north and east positive
    int Places = 0;
};

TEST(AtlasTables, EveryStateHasPlacesAndEveryPlaceLiesWithinItsStatesBounds) {
    TDeliveredAtlas atlas;
    TKyrTable &states = atlas.Data.StatesTable;
    std::map<std::string, TBounds> bounds;
    for (states.First(); !states.Eof(); states.Next()) {
        const std::string id = states.FieldByName("StateID").AsString();
        EXPECT_TRUE(DeliveredIdentifier(id)) << id;
        // MaxLongitude is the easternmost, MinLongitude the westernmost (stored west positive).
        bounds[id] = {states.FieldByName("StateName").AsString(),
                      ArcMinutes(states.FieldByName("MaxLatitude").AsInteger()),
                      ArcMinutes(states.FieldByName("MinLatitude").AsInteger()),
                      -ArcMinutes(states.FieldByName("MaxLongitude").AsInteger()),
                      -ArcMinutes(states.FieldByName("MinLongitude").AsInteger())};
    }
    ASSERT_GT(bounds.size(), 200u);

    TKyrTable &places = atlas.Data.PlacesTable;
    for (places.First(); !places.Eof(); places.Next()) {
        const auto state = bounds.find(places.FieldByName("StateID").AsString());
        ASSERT_NE(state, bounds.end()) << places.FieldByName("PlaceName").AsString();
        TBounds &b = state->second;
        ++b.Places;
        const long long lat = ArcMinutes(places.FieldByName("Latitude").AsInteger());
        const long long lon = -ArcMinutes(places.FieldByName("Longitude").AsInteger());
        // A state across the 180th meridian has its westernmost place east of its easternmost.
        const bool withinLongitudes =
            b.West <= b.East ? b.West <= lon && lon <= b.East : lon >= b.West || lon <= b.East;
        if (lat > b.North || lat < b.South || !withinLongitudes)
            ADD_FAILURE() << b.Name << ", " << places.FieldByName("PlaceName").AsString()
                          << " lies outside the state's bounds";
    }
    for (const auto &[id, b] : bounds)
        EXPECT_GT(b.Places, 0) << b.Name;
    const auto named = [&](const char *name) {
        return std::any_of(bounds.begin(), bounds.end(),
                           [&](const auto &entry) { return entry.second.Name == name; });
    };
    EXPECT_TRUE(named("USA"));
    EXPECT_TRUE(named("United Kingdom"));
    EXPECT_TRUE(named("Kosovo"));
}

TEST(AtlasTables, PlaceNamesAreUniqueWithinTheirStateAndReferToDefinitions) {
    TDeliveredAtlas atlas;
    std::set<std::string> zoneIds, summerIds;
    TKyrTable &zoneIdTable = atlas.Data.ZoneIdTable;
    for (zoneIdTable.First(); !zoneIdTable.Eof(); zoneIdTable.Next())
        zoneIds.insert(zoneIdTable.FieldByName("ZoneID").AsString());
    TKyrTable &summerIdTable = atlas.Data.SummerIdTable;
    for (summerIdTable.First(); !summerIdTable.Eof(); summerIdTable.Next())
        summerIds.insert(summerIdTable.FieldByName("SummerID").AsString());

    TKyrTable &places = atlas.Data.PlacesTable;
    std::string previousState, previousName;
    long long count = 0;
    for (places.First(); !places.Eof(); places.Next(), ++count) {
        const std::string state = places.FieldByName("StateID").AsString();
        const std::string name = places.FieldByName("PlaceName").AsString();
        // Key order: equal names of a state would be neighbours (ASCII letters in any case).
        if (state == previousState && Upper(name) == Upper(previousName))
            ADD_FAILURE() << "state " << state << " has \"" << name << "\" twice";
        EXPECT_FALSE(name.empty() || name.front() == ' ' || name.back() == ' ') << name;
        if (!zoneIds.count(places.FieldByName("ZoneRef").AsString()) ||
            !summerIds.count(places.FieldByName("SummerRef").AsString()))
            ADD_FAILURE() << name << " refers to a missing definition";
        previousState = state;
        previousName = name;
    }
    EXPECT_EQ(count, places.RecordCount());
}

TEST(AtlasTables, SharedNamesCarryTheirRegion) {
    TDeliveredAtlas atlas;
    const struct {
        const char *State, *Place;
        bool Present;
    } cases[] = {
        {"USA", "Springfield (Illinois)", true},
        {"USA", "Springfield (Massachusetts)", true},
        {"USA", "Springfield", false},
        {"Australia", "Springfield", true}, // the only one there
        {"United Kingdom", "London", true},
        {"Kosovo", "Pristina", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FindAtlasPlace(atlas.Data, c.State, c.Place).has_value(), c.Present)
            << c.State << ", " << c.Place;
}

TEST(AtlasTables, EveryZoneBeginsWithLocalMeanTimeAndKeepsToTheTableRanges) {
    TDeliveredAtlas atlas;
    TKyrTable &ids = atlas.Data.ZoneIdTable;
    TKyrTable &zone = atlas.Data.ZoneTable;
    int zones = 0;
    for (ids.First(); !ids.Eof(); ids.Next(), ++zones) {
        const std::string id = ids.FieldByName("ZoneID").AsString();
        const std::string name = ids.FieldByName("ZoneName").AsString();
        EXPECT_TRUE(DeliveredIdentifier(id)) << id;
        EXPECT_NE(name.find('/'), std::string::npos) << "an IANA name: " << name;
        const long long gregorian = ids.FieldByName("GregDate").AsInteger();
        EXPECT_TRUE(gregorian >= 15821015 && gregorian <= 19261231) << name << " " << gregorian;
        ASSERT_TRUE(zone.FindKey({id})) << name;
        EXPECT_EQ(zone.FieldByName("StartDate").AsInteger(), 15000101) << name;
        EXPECT_TRUE(zone.FieldByName("LocalMeanTime").AsBoolean()) << name;
        // The summer-time definition of the zone has the same name.
        atlas.Data.SummerIdTable.SetIndexName("Summer");
        EXPECT_TRUE(atlas.Data.SummerIdTable.FindKey({name})) << name;
        atlas.Data.SummerIdTable.SetIndexName("");
    }
    EXPECT_GT(zones, 300);

    for (zone.First(); !zone.Eof(); zone.Next()) {
        const long long delta = zone.FieldByName("TimeDelta").AsInteger();
        // Mean times of places that counted their days from the far side of the date line
        // lie beyond 12 hours.
        EXPECT_TRUE(std::llabs(delta) % 100 < 60 && std::llabs(delta) < 1600) << delta;
    }
    TKyrTable &summer = atlas.Data.SummerTable;
    for (summer.First(); !summer.Eof(); summer.Next()) {
        const long long from = summer.FieldByName("FromTime").AsInteger();
        const long long diff = summer.FieldByName("TimeDiff").AsInteger();
        if (from < 0 || from > 2359 || from % 100 > 59 || diff < 0 || diff > 2359 ||
            diff % 100 > 59)
            ADD_FAILURE() << summer.FieldByName("SummerID").AsString() << " "
                          << summer.FieldByName("FromDate").AsInteger() << ": " << from << " "
                          << diff;
    }
}

} // namespace
} // namespace kyr::test
