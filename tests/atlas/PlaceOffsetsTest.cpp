// Places found by name and prefix, and the offsets of a birth at a place: the place's own local
// mean time before standard time, on small tables of the tests' own and on the delivered atlas.
#include "AtlasTestSupport.h"
#include "StoreTestSupport.h"

#include "PlaceOffsets.h"

#include <cctype>

namespace kyr::test {
namespace {

TEST(SplitPlaceText, SplitsAtTheFirstComma) {
    const struct {
        const char *Text;
        bool Valid;
        const char *State, *Place;
    } cases[] = {
        {"USA, New York City", true, "USA", "New York City"},
        {"USA,New York City", true, "USA", "New York City"},
        {"United Kingdom,   London", true, "United Kingdom", "London"},
        {"USA, Springfield (Illinois, Sangamon County)", true, "USA",
         "Springfield (Illinois, Sangamon County)"},
        {"USA", false, "", ""},
        {", London", false, "", ""},
        {"USA,   ", false, "", ""},
    };
    for (const auto &c : cases) {
        std::string state, place;
        EXPECT_EQ(SplitPlaceText(c.Text, state, place), c.Valid) << c.Text;
        if (c.Valid) {
            EXPECT_EQ(state, c.State);
            EXPECT_EQ(place, c.Place);
        }
    }
}

TEST(LocalMeanTimeOffset, FourMinutesOfTimePerDegreeToTheNearestMinute) {
    const std::pair<long long, Extended> cases[] = {
        {0, 0},        {7400, 4.56L},   {-1234, -0.50L},   {7, 0},           {8, 0.01L},
        {1523, 1.02L}, {18000, 12.00L}, {-17959, -12.00L}, {-14900, -9.56L}, {-8822, -5.53L},
    };
    for (const auto &[longitude, offset] : cases)
        EXPECT_NEAR(LocalMeanTimeOffset(longitude), offset, 1e-12L) << longitude;
}

// A zone whose first row keeps its reference place's mean time (0°50' east of Greenwich), a
// zone whose rows were written by position without the mark, as the atlas dialog writes them,
// and a zone whose mean time counts its days from the far side of the date line.
class PlaceOffsets : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string z1 = "1001", z2 = "1002", z3 = "1003";
        MakeTable(Dir, "ZONEID",
                  {{z1, std::string("Test/Zone"), 15821015LL},
                   {z2, std::string("Test/Typed"), 15821015LL},
                   {z3, std::string("Test/Far"), 15821015LL}});
        MakeTable(Dir, "ZONE",
                  {{z1, 15000101LL, -50LL, true},
                   {z1, 18940101LL, -100LL, false},
                   {z2, 15000101LL, 500LL},
                   {z3, 15000101LL, 1556LL, true}});
        MakeTable(Dir, "SUMMERID", {{z1, std::string("Test/Zone")}});
        MakeTable(Dir, "SUMMER", {{z1, 19800330LL, 200LL, 100LL}, {z1, 19800928LL, 300LL, 0LL}});
        for (const char *name : {"STATES", "PLACES"})
            MakeTable(Dir, name);
        Data.SetDirectory(Dir.Path());
        for (TKyrTable *table : {&Data.StatesTable, &Data.PlacesTable, &Data.ZoneIdTable,
                                 &Data.ZoneTable, &Data.SummerIdTable, &Data.SummerTable})
            table->Open();
    }

    TTempDir Dir;
    TDataCollection Data;
};

TEST_F(PlaceOffsets, ThePlacesOwnMeanTimeReplacesTheReferencePlacesBeforeStandardTime) {
    const struct {
        const char *Zone;
        long long Date, Longitude;
        Extended Expected;
    } cases[] = {
        {"Test/Zone", 18000101, -1234, -0.50L}, // at the reference place itself
        {"Test/Zone", 18000101, -1500, -1.00L},
        {"Test/Zone", 18931231, 7400, 4.56L},  // far away: its own mean time
        {"Test/Zone", 18940101, 7400, -1.00L}, // standard time is the zone's everywhere
        {"Test/Zone", 20000101, -1500, -1.00L},
        {"Test/Zone", 14991231, -1500, 0},      // before the zone's first row
        {"Test/Typed", 18000101, -1500, 5.00L}, // a row without the mark
        // Dates counted from the far side of the date line stay so: 8 h 04 min east is
        // 15 h 56 min west of the next day.
        {"Test/Far", 18000101, -12059, 15.56L},
        {"Test/Far", 18000101, -11500, 16.20L},
        {"No/Zone", 18000101, -1500, 0},
        {"", 18000101, -1500, 0},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(ZoneTimeForPlace(Data, c.Zone, c.Date, c.Longitude), c.Expected, 1e-12L)
            << c.Zone << " " << c.Date << " " << c.Longitude;
    // ZoneTimeFor keeps the reference place's mean time.
    EXPECT_NEAR(Data.ZoneTimeFor("Test/Zone", 18000101), -0.50L, 1e-12L);
}

TEST_F(PlaceOffsets, SwitchesAndMissingDefinitionsGiveZero) {
    TAtlasPlace place;
    place.Longitude = -1500;
    place.ZoneName = "Test/Zone";
    place.SummerName = "Test/Zone";
    const struct {
        bool ZoneSwitch, SummerSwitch, Named;
        Extended Zone, Summer;
    } cases[] = {
        {true, true, true, -1.00L, 1.00L},
        {false, true, true, 0, 1.00L},
        {true, false, true, -1.00L, 0},
        {true, true, false, 0, 0},
    };
    for (const auto &c : cases) {
        TAtlasPlace p = place;
        if (!c.Named)
            p.ZoneName = p.SummerName = "";
        const TPlaceOffsets offsets =
            OffsetsForPlace(Data, p, 19800601, 120000, c.ZoneSwitch, c.SummerSwitch);
        EXPECT_NEAR(offsets.ZoneTime, c.Zone, 1e-12L);
        EXPECT_NEAR(offsets.SummerTime, c.Summer, 1e-12L);
    }
}

TEST(DeliveredPlaces, ABirthTownKeepsItsOwnMeanTimeUntilStandardTime) {
    TDeliveredAtlas atlas;
    const struct {
        const char *State, *Place;
        long long Date;
        Extended ForPlace, ForZone;
    } cases[] = {
        {"USA", "Buffalo (New York)", 18700101, 5.16L, 4.56L},
        {"USA", "Buffalo (New York)", 19000101, 5.00L, 5.00L},
        {"Denmark", "Esbjerg", 18800101, -0.34L, -0.50L},
        {"Denmark", "Copenhagen", 18800101, -0.50L, -0.50L},
        {"USA", "Fairbanks", 18600101, -14.09L, -14.00L}, // Russian America's dates
    };
    for (const auto &c : cases) {
        const std::optional<TAtlasPlace> place = FindAtlasPlace(atlas.Data, c.State, c.Place);
        ASSERT_TRUE(place) << c.Place;
        EXPECT_NEAR(OffsetsForPlace(atlas.Data, *place, c.Date, 120000).ZoneTime, c.ForPlace,
                    1e-12L)
            << c.Place << " " << c.Date;
        EXPECT_NEAR(atlas.Data.ZoneTimeFor(place->ZoneName, c.Date), c.ForZone, 1e-12L)
            << c.Place << " " << c.Date;
    }
}

TEST(DeliveredPlaces, FoundByNameInAnyCaseOfItsLetters) {
    TDeliveredAtlas atlas;
    const std::optional<TAtlasPlace> place = FindAtlasPlace(atlas.Data, "usa", "new york city");
    ASSERT_TRUE(place);
    EXPECT_EQ(place->StateName, "USA");
    EXPECT_EQ(place->PlaceName, "New York City");
    EXPECT_EQ(place->Latitude, 4043);
    EXPECT_EQ(place->Longitude, 7400);
    EXPECT_EQ(place->ZoneName, "America/New_York");
    EXPECT_EQ(place->SummerName, "America/New_York");
    EXPECT_FALSE(FindAtlasPlace(atlas.Data, "USA", "New York Cit"));
    EXPECT_FALSE(FindAtlasPlace(atlas.Data, "Atlantis", "New York City"));
}

// The tables order text keys with ASCII letters in upper case.
std::string Upper(std::string text) {
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool StartsWithIgnoringCase(const std::string &text, const std::string &prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) !=
            std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

TEST(DeliveredPlaces, FoundByTheBeginningOfTheirNames) {
    TDeliveredAtlas atlas;
    const struct {
        const char *State, *Place;
        std::size_t Limit, AtLeast, AtMost;
    } cases[] = {
        {"USA", "Springf", 1000, 20, 999}, {"", "spring", 7, 7, 7},
        {"United", "London", 100, 3, 99},  {"", "Xyzzyq", 10, 0, 0},
        {"Atlantis", "", 10, 0, 0},
    };
    for (const auto &c : cases) {
        const std::vector<TAtlasPlace> found =
            FindPlacesByPrefix(atlas.Data, c.State, c.Place, c.Limit);
        EXPECT_GE(found.size(), c.AtLeast) << c.State << ", " << c.Place;
        EXPECT_LE(found.size(), c.AtMost) << c.State << ", " << c.Place;
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_TRUE(StartsWithIgnoringCase(found[i].StateName, c.State)) << found[i].StateName;
            EXPECT_TRUE(StartsWithIgnoringCase(found[i].PlaceName, c.Place)) << found[i].PlaceName;
            EXPECT_FALSE(found[i].ZoneName.empty()) << found[i].PlaceName;
            if (i > 0 && found[i].StateName == found[i - 1].StateName) {
                EXPECT_LT(Upper(found[i - 1].PlaceName), Upper(found[i].PlaceName));
            }
        }
    }
    const std::vector<TAtlasPlace> london = FindPlacesByPrefix(atlas.Data, "United", "London", 100);
    EXPECT_TRUE(std::any_of(london.begin(), london.end(), [](const TAtlasPlace &p) {
        return p.StateName == "United Kingdom" && p.PlaceName == "London";
    }));
}

} // namespace
} // namespace kyr::test
