// The horoscope component: validation, birth moment, pending passes and activation.
// Bodies come from a synthetic ephemeris, so only the component's own rules are tested.
#include "Angles.h"
#include "BusyCursor.h"
#include "Calendar.h"
#include "Ephemeris.h"
#include "Horoscope.h"
#include "Interpolation.h"
#include "MomentAngles.h"
#include "ProgramDirectory.h"
#include "SyntheticEphemeris.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace kyr;

namespace {

// Enough records to reach past the year 2000.
constexpr int RecordCount = 6000;

class CountingView : public THoroscopeView {
public:
    void HoroscopeChanged() override { ++Calls; }
    int Calls = 0;
};

class Horoscope : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Directory = test::ScratchDirectory("horoscope");
        test::WriteSyntheticEphemeris(Directory, RecordCount, test::UniformSample);
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(Directory); }

    void SetUp() override {
        test::UseEphemerisIn(Directory);
        Chart.OnChange = [this](THoroscope &) { ++Changes; };
    }
    void TearDown() override {
        test::UseEphemerisIn({});
    }

    // 6 August 1941, 4:16 clock time, one hour east of Greenwich.
    void SetBirth(THoroscope &h) {
        h.SetBirthDate(1941.0806L);
        h.SetBirthTime(4.16L);
        h.SetZoneTime(-1);
        h.SetLatitude(48.0830L);
        h.SetLongitude(-11.3400L);
    }

    static inline std::filesystem::path Directory;
    THoroscope Chart;
    int Changes = 0;
};

struct TSetterCase {
    const char *name;
    std::function<void(THoroscope &, Extended)> set;
    std::function<Extended(const THoroscope &)> get;
    Extended accepted;
    Extended rejected;
    const char *message;
};

TEST_F(Horoscope, SettersRejectOutOfRangeValuesAndKeepTheOldOne) {
    const TSetterCase cases[] = {
        {"Latitude", &THoroscope::SetLatitude, &THoroscope::Latitude, 90, 90.0001L,
         "Incorrect Latitude Value!"},
        {"Latitude", &THoroscope::SetLatitude, &THoroscope::Latitude, -90, -90.0001L,
         "Incorrect Latitude Value!"},
        {"Longitude", &THoroscope::SetLongitude, &THoroscope::Longitude, -180, 180.0001L,
         "Incorrect Longitude Value!"},
        {"BirthTime", &THoroscope::SetBirthTime, &THoroscope::BirthTime, 24, 24.0001L,
         "Incorrect Time Value!"},
        {"BirthTime", &THoroscope::SetBirthTime, &THoroscope::BirthTime, 0.01L, -0.01L,
         "Incorrect Time Value!"},
        {"ZoneTime", &THoroscope::SetZoneTime, &THoroscope::ZoneTime, -12, 12.01L,
         "Incorrect Zone Time!"},
        {"SummerTime", &THoroscope::SetSummerTime, &THoroscope::SummerTime, 12, -12.5L,
         "Incorrect Summer Time!"},
        {"Latitude", &THoroscope::SetLatitude, &THoroscope::Latitude, 1, NAN,
         "Incorrect Latitude Value!"},
    };
    for (const auto &c : cases) {
        THoroscope h;
        c.set(h, c.accepted);
        EXPECT_EQ(c.get(h), c.accepted) << c.name;
        try {
            c.set(h, c.rejected);
            ADD_FAILURE() << c.name << " accepted " << static_cast<double>(c.rejected);
        } catch (const EHoroscopeException &e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(c.get(h), c.accepted) << c.name;
    }
}

TEST_F(Horoscope, BirthMomentFromClockTimeAndOffsets) {
    struct Case {
        Extended time, zone, summer;
        Extended ut;
        int dayOffset;
        Extended julianDay;
    };
    // 1 January 2000 (JD 2451544.5 at 0 h UT).
    const Case cases[] = {
        {23.30L, -2, 0, 21.5L, 0, 2451544.5L + 21.5L / 24},
        {23.30L, 2, 0, 25.5L, 0, 2451545.5L + 1.5L / 24},
        {24, 0, 0, 24, 0, 2451545.5L},
        {1.00L, -3, 0, 22, -1, 2451543.5L + 22.0L / 24},
        {12.00L, 0, 1, 11, 0, 2451544.5L + 11.0L / 24},
        {0.30L, 5.30L, 0, 6, 0, 2451544.5L + 6.0L / 24},
    };
    for (const auto &c : cases) {
        THoroscope h;
        h.SetBirthDate(2000.0101L);
        h.SetBirthTime(c.time);
        h.SetZoneTime(c.zone);
        h.SetSummerTime(c.summer);
        EXPECT_NEAR(static_cast<double>(h.Moment.UT), static_cast<double>(c.ut), 1e-12);
        EXPECT_EQ(h.Moment.DayOffset, c.dayOffset);
        EXPECT_NEAR(static_cast<double>(h.Moment.JulianDay), static_cast<double>(c.julianDay),
                    1e-9)
            << static_cast<double>(c.time) << " zone " << static_cast<double>(c.zone);
        EXPECT_EQ(h.Moment.DayNumber, 36524 + c.dayOffset);
    }
}

TEST_F(Horoscope, DayOfWeekAndCalendarFollowTheGregorianStart) {
    THoroscope h;
    h.SetBirthDate(1600.0101L);
    EXPECT_FALSE(h.IsJulian());
    EXPECT_DOUBLE_EQ(static_cast<double>(h.Moment.JulianDay), 2305447.5);
    EXPECT_EQ(h.Moment.DayOfWeek, 6); // a Saturday
    // Where the Gregorian calendar came later the same date is ten days later.
    h.SetGregorianStart(1700.0301L);
    EXPECT_TRUE(h.IsJulian());
    EXPECT_DOUBLE_EQ(static_cast<double>(h.Moment.JulianDay), 2305457.5);
    EXPECT_EQ(h.Moment.DayNumber, DayNumber1900(1, 1, 1600, true));
}

// Equal houses stand in only while the requested system cannot be computed.
TEST_F(Horoscope, PolarFallBackToEqualHousesEndsWithTheLatitude) {
    for (int system : {HousePlacidus, HouseKoch, HouseEqual}) {
        THoroscope h;
        h.SetHouseSystem(system);
        h.SetLatitude(70);
        EXPECT_EQ(h.HouseSystem(), HouseEqual) << system;
        EXPECT_EQ(h.RequestedHouseSystem(), system);
        h.SetLatitude(50);
        EXPECT_EQ(h.HouseSystem(), system);
        h.SetLatitude(-70);
        EXPECT_EQ(h.HouseSystem(), HouseEqual) << system;
        h.SetBirthTime(13); // any new moment, not only a new latitude, tries again
        EXPECT_EQ(h.HouseSystem(), HouseEqual) << system;
        h.SetLatitude(-50);
        EXPECT_EQ(h.HouseSystem(), system);
    }
}

// Placidus chosen at a polar place fails in the recalculation, which falls back to Equal;
// a latitude where it can be computed brings it back.
TEST_F(Horoscope, CuspFailureFallBackEndsWithTheLatitude) {
    SetBirth(Chart);
    Chart.SetActive(true);
    Chart.SetLatitude(80);
    EXPECT_EQ(Chart.HouseSystem(), HouseEqual);
    Chart.SetHouseSystem(HousePlacidus);
    EXPECT_EQ(Chart.HouseSystem(), HouseEqual);
    EXPECT_FALSE(Chart.NumericalFailure);
    EXPECT_EQ(Chart.RequestedHouseSystem(), HousePlacidus);

    Chart.SetLatitude(50);
    EXPECT_EQ(Chart.HouseSystem(), HousePlacidus);
    EXPECT_FALSE(Chart.NumericalFailure);
    EXPECT_EQ(Chart.Cusp(10), Chart.Position(PointMC));
    EXPECT_NE(Chart.Cusp(11), 0);
}

TEST_F(Horoscope, ActivationRunsThePendingPassesOnce) {
    CountingView view;
    Chart.SetWheel(&view);
    SetBirth(Chart);
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(Chart.Pending, PendingAll);
    Chart.SetActive(true);
    EXPECT_TRUE(Chart.Active());
    EXPECT_TRUE(Chart.FileAvailable());
    EXPECT_EQ(Chart.Pending, 0);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(view.Calls, 1);
    EXPECT_NE(Chart.Position(1), 0);

    // Equal values are ignored; each effective change recalculates once.
    Chart.SetBirthDate(1941.0806L);
    EXPECT_EQ(Changes, 1);
    Chart.SetBirthDate(1941.0807L);
    Chart.SetBirthDate(1941.0807L);
    EXPECT_EQ(Changes, 2);

    // Deactivation keeps the results and refreshes the wheel.
    const Extended sun = Chart.Position(1);
    Chart.SetActive(false);
    EXPECT_EQ(view.Calls, 3);
    EXPECT_EQ(Chart.Position(1), sun);
    Chart.SetBirthTime(5);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Chart.Pending, PendingAll);
}

TEST_F(Horoscope, MissingEphemerisFileLeavesTheChartInactive) {
    SetProgramDirectory((Directory / "nowhere").string());
    try {
        Chart.SetActive(true);
        FAIL();
    } catch (const EHoroscopeException &) {
        FAIL() << "a missing file is a plain error";
    } catch (const std::runtime_error &e) {
        EXPECT_EQ(std::string(e.what()),
                  "File " + (Directory / "nowhere").string() + "/KYR.LNG not found!");
    }
    EXPECT_FALSE(Chart.Active());
    EXPECT_EQ(Changes, 0);
}

TEST_F(Horoscope, AFailedPassKeepsItsPendingBitsAndRestoresTheCursor) {
    int shown = 0, restored = 0;
    BusyCursorHooks() = {[&] { ++shown; }, [&] { ++restored; }};
    // Far beyond the synthetic file's last record, with no computed chart to go back to.
    Chart.SetBirthDate(2090.0101L);
    EXPECT_THROW(Chart.SetActive(true), EHoroscopeException);
    EXPECT_EQ(Chart.BirthDate(), 2090.0101L);
    EXPECT_EQ(Chart.Pending, PendingAll);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(restored, 1);
    EXPECT_EQ(Changes, 0);
    // Going back to the last computed chart runs its passes once more, under its own cursor.
    Chart.SetBirthDate(1941.0806L);
    EXPECT_EQ(Changes, 1);
    EXPECT_THROW(Chart.SetBirthDate(2090.0101L), EHoroscopeException);
    EXPECT_EQ(Chart.Pending, 0);
    EXPECT_EQ(shown, 4);
    EXPECT_EQ(restored, 4);
    BusyCursorHooks() = {};
}

TEST_F(Horoscope, DefaultOptionsFindNoAspectsOrTransits) {
    Chart.SetActive(true);
    EXPECT_EQ(Chart.Options(), 0);
    EXPECT_EQ(Chart.AspectCount, 0);
    EXPECT_EQ(Chart.TransitCount, 0);
    int p1 = -1, p2 = -1, e = -1;
    Extended deviation = -1;
    EXPECT_FALSE(Chart.GetAspect(1, p1, p2, e, deviation));
    EXPECT_EQ(p1, -1);
}

TEST_F(Horoscope, SwitchingOptionsClearsTheirResultsAndPendingBits) {
    Chart.SetOptions(OptionAspects | OptionTransits);
    Chart.Pending = 0;
    Chart.AspectCount = 5;
    Chart.TransitCount = 7;
    Chart.SetOptions(OptionTransits);
    EXPECT_EQ(Chart.AspectCount, 0);
    EXPECT_EQ(Chart.TransitCount, 7);
    EXPECT_EQ(Chart.Pending, 0);
    Chart.SetOptions(OptionAspects);
    EXPECT_EQ(Chart.TransitCount, 0);
    EXPECT_EQ(Chart.Pending, PendingAspects);
}

TEST_F(Horoscope, TransitYearsKeepASpanOfOneToThreeYears) {
    struct Case {
        int from, to;   // before
        bool setFrom;   // which end is set
        int value;
        int newFrom, newTo;
    };
    const Case cases[] = {
        {1996, 1997, true, 2000, 2000, 2001},  {2000, 2001, false, 2010, 2009, 2010},
        {2000, 2001, false, 2003, 2000, 2003}, {2000, 2003, true, 1999, 1999, 2000},
        {2000, 2003, true, 2001, 2001, 2003},  {2000, 2001, true, 1499, 2000, 2001},
        {2000, 2001, true, 2100, 2000, 2001},  {2000, 2001, false, 1500, 2000, 2001},
        {2000, 2001, false, 2100, 2099, 2100}, {2000, 2001, false, 2101, 2000, 2001},
    };
    for (const auto &c : cases) {
        THoroscope h;
        h.SetFromYear(c.from);
        h.SetToYear(c.to);
        ASSERT_EQ(h.FromYear(), c.from);
        ASSERT_EQ(h.ToYear(), c.to);
        if (c.setFrom)
            h.SetFromYear(c.value);
        else
            h.SetToYear(c.value);
        EXPECT_EQ(h.FromYear(), c.newFrom) << c.from << ".." << c.to << " set " << c.value;
        EXPECT_EQ(h.ToYear(), c.newTo) << c.from << ".." << c.to << " set " << c.value;
    }
}

TEST_F(Horoscope, ReadOperationsRejectUnknownIndices) {
    const std::pair<std::function<void()>, const char *> cases[] = {
        {[&] { Chart.AspectPoint(15); }, "Incorrect Aspect Index."},
        {[&] { Chart.AspectPoint(0); }, "Incorrect Aspect Index."},
        {[&] { Chart.TransitPoint(113); }, "Incorrect Transit Index."},
        {[&] { Chart.TransitPoint(13); }, "Incorrect Transit Index."},
        {[&] { Chart.SetTransitOption(5, false); }, "Index Error in TRansit/Trends setting!"},
        {[&] { Chart.SetTransitAspect(9, false); }, "Index Error in TRansit/Trends setting!"},
        {[&] { Chart.SetTransitPlanet(5, false); }, "Index Error in TRansit/Trends setting!"},
        {[&] {
             std::uint8_t block[HouseStorySize];
             Chart.GetTxHouseStory(5, block);
         },
         "Invalid index in GetTxHouseStory!"},
    };
    for (const auto &[call, message] : cases) {
        try {
            call();
            ADD_FAILURE() << "no error for " << message;
        } catch (const EHoroscopeException &e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

TEST_F(Horoscope, PointsMapOntoPositionsAndCusps) {
    for (int i = 0; i <= 13; ++i)
        Chart.CuspTable[i] = 0.1L * i;
    for (int i = 1; i <= ChartPointCount; ++i)
        Chart.Positions[i] = 0.01L * i;
    EXPECT_EQ(Chart.AspectPoint(12), Chart.Positions[12]);
    EXPECT_EQ(Chart.AspectPoint(13), Chart.CuspTable[1]);
    EXPECT_EQ(Chart.AspectPoint(14), Chart.CuspTable[10]);
    EXPECT_EQ(Chart.TransitPoint(7), Chart.Positions[7]);
    EXPECT_EQ(Chart.TransitPoint(101), Chart.CuspTable[1]);
    EXPECT_EQ(Chart.TransitPoint(112), Chart.CuspTable[12]);
    EXPECT_EQ(Chart.WheelRotation(), TwoPi - Chart.CuspTable[1]);
    Chart.Positions[3] = DegToRad(123.5L);
    EXPECT_NEAR(static_cast<double>(Chart.PositionDeg(3)), 123.30, 1e-9);
}

TEST_F(Horoscope, MutualPartnersRefreshEachOthersAspects) {
    THoroscope partner;
    SetBirth(partner);
    Chart.SetPartner(&partner);
    partner.SetPartner(&Chart);
    partner.AspectCount = 42; // a stale count that the partner's own pass clears
    Chart.SetActive(true);
    EXPECT_EQ(partner.AspectCount, 0);

    // A one-sided link leaves the other chart alone.
    partner.SetPartner(nullptr);
    partner.AspectCount = 42;
    Chart.Recalculate();
    EXPECT_EQ(partner.AspectCount, 42);
}

// A moment the ephemeris cannot compute must not leave one person's names over another's
// positions: the chart goes back to the birth data it last computed, then reports the error.
TEST_F(Horoscope, FailedRecalculationGoesBackToTheLastComputedBirthData) {
    SetBirth(Chart);
    Chart.FirstName = "Alice";
    Chart.PlaceName = "Munich";
    Chart.SetActive(true);
    const Extended sun = Chart.Position(1), ascendant = Chart.Cusp(1);
    const Extended julianDay = Chart.Moment.JulianDay;
    const int changes = Changes;

    const struct {
        const char *Name;
        std::function<void(THoroscope &)> Apply;
    } cases[] = {
        {"new person applied to the inactive chart, then activated",
         [](THoroscope &h) {
             h.SetActive(false);
             h.FirstName = "Bob";
             h.PlaceName = "Nowhere";
             h.SetLatitude(10);
             h.SetBirthDate(2090.0101L); // past the end of the test ephemeris
             h.SetActive(true);
         }},
        {"date set on the active chart", [](THoroscope &h) { h.SetBirthDate(2090.0101L); }},
        {"name changed on the active chart, then a date it cannot compute",
         [](THoroscope &h) {
             h.FirstName = "Bob";
             h.SetBirthDate(1400.0101L);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_THROW(c.Apply(Chart), EHoroscopeException);
        EXPECT_TRUE(Chart.Active());
        EXPECT_EQ(Chart.Pending, 0);
        EXPECT_EQ(Chart.BirthDate(), 1941.0806L);
        EXPECT_EQ(Chart.Moment.JulianDay, julianDay);
        EXPECT_EQ(Chart.Position(1), sun);
        EXPECT_EQ(Chart.Cusp(1), ascendant);
        EXPECT_EQ(Chart.FirstName, "Alice");
        EXPECT_EQ(Chart.PlaceName, "Munich");
        EXPECT_EQ(Chart.Latitude(), 48.0830L);
    }
    EXPECT_GT(Changes, changes); // listeners saw the chart that came back

    // With no complete chart to go back to, the data stay as set.
    THoroscope fresh;
    fresh.FirstName = "Dora";
    fresh.SetBirthDate(2090.0101L);
    EXPECT_THROW(fresh.SetActive(true), EHoroscopeException);
    EXPECT_EQ(fresh.FirstName, "Dora");
    EXPECT_EQ(fresh.BirthDate(), 2090.0101L);
}

TEST_F(Horoscope, AssignBirthDataCopiesTheBirthButNotTheSettings) {
    THoroscope source;
    SetBirth(source);
    source.FirstName = std::string(50, 'x');
    source.LastName = "Müller-Lüdenscheidt " + std::string(40, 'y');
    source.PlaceName = "Munich";
    source.StateName = "Germany";
    source.SetHouseSystem(HouseKoch);
    source.SetGregorianStart(1600.0101L);
    source.SetFromYear(2010);

    Chart.SetActive(true);
    const int before = Changes;
    Chart.AssignBirthData(source);
    EXPECT_EQ(Changes, before + 1); // one recalculation for the whole copy
    EXPECT_TRUE(Chart.Active());
    EXPECT_EQ(Chart.FirstName, std::string(48, 'x'));
    EXPECT_EQ(Chart.LastName, "Müller-Lüdenscheidt " + std::string(28, 'y'));
    EXPECT_EQ(Chart.PlaceName, "Munich");
    EXPECT_EQ(Chart.BirthDate(), source.BirthDate());
    EXPECT_EQ(Chart.BirthTime(), source.BirthTime());
    EXPECT_EQ(Chart.ZoneTime(), source.ZoneTime());
    EXPECT_EQ(Chart.Latitude(), source.Latitude());
    EXPECT_EQ(Chart.Longitude(), source.Longitude());
    EXPECT_EQ(Chart.HouseSystem(), HouseKoch);
    EXPECT_EQ(Chart.GregorianStart(), 1522.0101L);
    EXPECT_EQ(Chart.FromYear(), 1996);
    EXPECT_EQ(Chart.Moment.JulianDay, source.Moment.JulianDay);
}

TEST_F(Horoscope, EachChartPassUsesItsOwnObliquity) {
    THoroscope other;
    other.SetBirthDate(1600.0101L);
    SetBirth(Chart);
    Chart.SetActive(true);
    other.SetBirthDate(1650.0101L); // overwrites the shared obliquity
    Chart.SetHouseSystem(HouseKoch); // a chart pass without a new moment
    EXPECT_EQ(Obliquity, ObliquityAt(Chart.Moment.T));
}

TEST_F(Horoscope, OrbsAndSwitchesRecalculateOnlyOnChange) {
    Chart.SetActive(true);
    const int before = Changes;
    Chart.SetOrb(1, 1, 8);
    EXPECT_EQ(Chart.Orb(1, 1), 480);
    Chart.SetOrb(1, 1, 8);
    Chart.SetTransitPlanet(6, true); // already on
    EXPECT_EQ(Changes, before + 1);
    Chart.SetTransitPlanet(6, false);
    EXPECT_FALSE(Chart.TransitPlanet(6));
    EXPECT_EQ(Changes, before + 2);
    EXPECT_THROW(Chart.SetOrb(14, 1, 1), EHoroscopeException);
    EXPECT_THROW(Chart.SetOrb(1, 15, 1), EHoroscopeException);
    EXPECT_THROW(Chart.SetOrb(1, 1, 600), EHoroscopeException); // would wrap in 16 bits
    EXPECT_THROW(Chart.SetOrb(1, 1, -1), EHoroscopeException);
    EXPECT_EQ(Chart.Orb(1, 1), 480);
}

TEST(TruncateString48, CutsWholeCharacters) {
    EXPECT_EQ(TruncateString48("short"), "short");
    EXPECT_EQ(TruncateString48(std::string(48, 'a')), std::string(48, 'a'));
    std::string accents;
    for (int i = 0; i < 50; ++i)
        accents += "é";
    std::string expected;
    for (int i = 0; i < 48; ++i)
        expected += "é";
    EXPECT_EQ(TruncateString48(accents), expected);
}

} // namespace
