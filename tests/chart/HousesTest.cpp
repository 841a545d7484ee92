#include "Angles.h"
#include "Horoscope.h"
#include "Houses.h"
#include "ProgramDirectory.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <initializer_list>

namespace kyr {
namespace {

constexpr Extended TrueDegree = Pi / 180;

// Difference of two angles in radians, folded into [0, pi].
Extended AngleGap(Extended a, Extended b) {
    return std::fabs(std::remainder(a - b, TwoPi));
}

constexpr std::array<int, 6> CuspPoints = {PointMC,       PointCusp11, PointCusp12,
                                           PointAscendant, PointCusp2, PointCusp3};

// A horoscope at a latitude (D.MMSS) and house system with a chosen obliquity; the setters
// recompute the moment and with it Obliquity, so the obliquity is put in last.
struct THousesSetup {
    THoroscope Horoscope;

    THousesSetup(Extended latitude, int system, Extended obliquity = 0.409L) {
        Horoscope.SetLatitude(latitude);
        Horoscope.SetHouseSystem(system);
        Obliquity = obliquity;
    }

    Extended CuspDegrees(int point, Extended ramcDegrees) {
        return RadToDeg(CuspOfPoint(Horoscope, point, DegToRad(ramcDegrees)));
    }
};

// ---- Cusp formulas -------------------------------------------------------------------

struct TReferenceCusp {
    int System;
    int Point;
    double Degrees;
};

// RAMC 100 degrees, latitude 52 N, obliquity 0.409 rad; values to two decimals.
constexpr TReferenceCusp ReferenceCusps[] = {
    {HousePlacidus, PointMC, 99.19},        {HousePlacidus, PointAscendant, 187.01},
    {HousePlacidus, PointCusp11, 134.89},   {HousePlacidus, PointCusp12, 164.12},
    {HousePlacidus, PointCusp2, 211.61},    {HousePlacidus, PointCusp3, 242.46},
    {HouseKoch, PointMC, 99.19},            {HouseKoch, PointAscendant, 187.01},
    {HouseKoch, PointCusp11, 129.75},       {HouseKoch, PointCusp12, 158.29},
    {HouseKoch, PointCusp2, 215.60},        {HouseKoch, PointCusp3, 244.54},
};

TEST(CuspOfPoint, ReferenceChartAt52North) {
    for (const auto &c : ReferenceCusps) {
        THousesSetup setup(52, c.System);
        EXPECT_NEAR(setup.CuspDegrees(c.Point, 100), c.Degrees, 0.005)
            << "system " << c.System << " point " << c.Point;
        EXPECT_FALSE(setup.Horoscope.NumericalFailure);
    }
}

TEST(CuspOfPoint, AscendantAtMatchesCuspOne) {
    THousesSetup setup(52, HousePlacidus);
    EXPECT_NEAR(RadToDeg(AscendantAt(setup.Horoscope, DegToRad(100))), 187.01, 0.005);
}

// On the equator every semi-arc is a quarter turn, so both systems put cusp 10, 11, 12,
// 1, 2, 3 on the hour circles 0, 30, ..., 150 degrees east of the MC.
TEST(CuspOfPoint, EquatorGivesThirtyDegreeStepsOfRightAscension) {
    constexpr std::array<int, 6> offsets = {0, 30, 60, 90, 120, 150}; // in CuspPoints order
    for (int system : {HousePlacidus, HouseKoch}) {
        THousesSetup setup(0, system);
        for (Extended ramc : {0.0L, 45.0L, 100.0L, 200.0L, 300.0L, 359.5L}) {
            for (std::size_t i = 0; i < CuspPoints.size(); ++i) {
                const Extended x = DegToRad(ramc);
                const Extended expected = EquatorialToEcliptic(x + offsets[i] * Pi / 180);
                EXPECT_LT(AngleGap(CuspOfPoint(setup.Horoscope, CuspPoints[i], x), expected),
                          1e-12L)
                    << "system " << system << " RAMC " << ramc << " point " << CuspPoints[i];
            }
        }
    }
}

// Equal houses count 30-degree steps from the Ascendant, so cusp 10 is not the MC.
TEST(CuspOfPoint, EqualHousesStepFromTheAscendant) {
    constexpr std::array<int, 6> offsets = {270, 300, 330, 0, 30, 60}; // in CuspPoints order
    THousesSetup setup(52, HouseEqual);
    const Extended asc = AscendantAt(setup.Horoscope, DegToRad(100));
    for (std::size_t i = 0; i < CuspPoints.size(); ++i) {
        const Extended cusp = CuspOfPoint(setup.Horoscope, CuspPoints[i], DegToRad(100));
        EXPECT_GE(cusp, 0);
        EXPECT_LE(cusp, TwoPi);
        EXPECT_LT(AngleGap(cusp, asc + offsets[i] * Pi / 180), 1e-15L) << CuspPoints[i];
    }
    EXPECT_NEAR(setup.CuspDegrees(PointMC, 100), 97.01, 0.005);
    EXPECT_FALSE(setup.Horoscope.NumericalFailure);
}

struct TFailingCusp {
    int System;
    Extended Latitude; // D.MMSS
    Extended Ramc;     // degrees
    int Point;
    const char *Why;
};

// Inside the polar circle (reachable when Placidus or Koch is chosen after the polar test).
constexpr TFailingCusp FailingCusps[] = {
    {HousePlacidus, 80, 60, PointCusp11, "arc cosine beyond 1"},
    {HousePlacidus, 67.36, 1, PointCusp12, "Newton steps cycle without converging"},
    {HousePlacidus, 67.36, 179, PointCusp2, "Newton steps cycle without converging"},
    {HouseKoch, 80, 90, PointCusp11, "no semi-arc for the MC degree"},
};

TEST(CuspOfPoint, FailureSetsTheFlagAndGivesZero) {
    for (const auto &c : FailingCusps) {
        THousesSetup setup(c.Latitude, c.System);
        EXPECT_EQ(CuspOfPoint(setup.Horoscope, c.Point, DegToRad(c.Ramc)), 0) << c.Why;
        EXPECT_TRUE(setup.Horoscope.NumericalFailure) << c.Why;
    }
}

TEST(CuspOfPoint, MidheavenAndAscendantNeverFailInPlacidus) {
    THousesSetup setup(80, HousePlacidus);
    for (Extended ramc = 0; ramc < 360; ramc += 7.5L) {
        CuspOfPoint(setup.Horoscope, PointMC, DegToRad(ramc));
        CuspOfPoint(setup.Horoscope, PointAscendant, DegToRad(ramc));
    }
    EXPECT_FALSE(setup.Horoscope.NumericalFailure);
}

TEST(CuspOfPoint, UnknownHouseSystemRaises) {
    for (int system : {-1, 3}) {
        THousesSetup setup(52, system);
        try {
            ComputeCusps(setup.Horoscope);
            ADD_FAILURE() << "no exception for system " << system;
        } catch (const EHoroscopeException &e) {
            EXPECT_STREQ(e.what(), "Invalid House System!");
        }
        EXPECT_FALSE(setup.Horoscope.NumericalFailure);
    }
}

// ---- The cusps of a horoscope --------------------------------------------------------

TEST(ComputeCusps, StoresTheSixCuspsAtTheSiderealTime) {
    THoroscope h;
    h.SetLatitude(52);
    h.SetBirthDate(1990.0615L);
    h.SetBirthTime(12);
    for (int system : {HousePlacidus, HouseKoch, HouseEqual}) {
        h.SetHouseSystem(system);
        ComputeCusps(h);
        for (int point : CuspPoints)
            if (point != PointMC || system != HouseEqual)
                EXPECT_EQ(h.Positions[point], CuspOfPoint(h, point, h.Moment.LST))
                    << "system " << system << " point " << point;
    }
    EXPECT_FALSE(h.NumericalFailure);
}

// Equal houses put cusp 10 at Ascendant + 270 degrees; the Midheaven stays the culminating
// point, the same as in Placidus at that moment, and the aspects use it.
TEST(ComputeCusps, EqualHousesKeepTheTrueMidheavenApartFromCusp10) {
    THoroscope h;
    h.SetLatitude(52);
    h.SetBirthDate(1990.0615L);
    h.SetBirthTime(12);
    ComputeCusps(h);
    BuildCuspTable(h);
    const Extended placidusMc = h.Positions[PointMC];
    EXPECT_EQ(h.Cusp(10), placidusMc);

    h.SetHouseSystem(HouseEqual);
    ComputeCusps(h);
    BuildCuspTable(h);
    EXPECT_LT(AngleGap(h.Positions[PointMC], placidusMc), 1e-15L);
    EXPECT_LT(AngleGap(h.Positions[PointMC], MidheavenAt(h.Moment.LST)), 1e-15L);
    EXPECT_LT(AngleGap(h.Cusp(10), h.Cusp(1) + 3 * HalfPi), 1e-15L);
    EXPECT_LT(AngleGap(h.Cusp(4), h.Cusp(1) + HalfPi), 1e-15L);
    EXPECT_GT(AngleGap(h.Cusp(10), h.Positions[PointMC]), TrueDegree) << "a moment too near the square";
    EXPECT_EQ(h.AspectPoint(AspectPointMC), h.Positions[PointMC]);
    EXPECT_FALSE(h.NumericalFailure);
}

// |latitude| + obliquity (0.40932 rad in 1900) reaching 90 degrees switches to Equal houses
// with the moment, before any cusp is computed.
TEST(ComputeCusps, PolarLatitudeGivesEqualHouses) {
    struct {
        Extended Latitude;
        int System;
    } const cases[] = {{66.32, HousePlacidus}, {66.33, HouseEqual}, {-66.33, HouseEqual},
                       {-66.32, HousePlacidus}, {67, HouseEqual}, {90, HouseEqual}};
    for (const auto &c : cases) {
        THoroscope h;
        h.SetLatitude(c.Latitude);
        EXPECT_EQ(h.HouseSystem(), c.System) << c.Latitude;
        ComputeCusps(h);
        EXPECT_FALSE(h.NumericalFailure) << c.Latitude;
    }
}

TEST(ComputeCusps, PlacidusInsideThePolarCircleFailsThenEqualSucceeds) {
    THoroscope h;
    h.SetBirthDate(1990.0615L);
    h.SetBirthTime(12);
    h.SetLatitude(80);
    h.SetHouseSystem(HousePlacidus); // inactive: stored without a recalculation
    ComputeCusps(h);
    EXPECT_TRUE(h.NumericalFailure);

    // What the recalculation does next.
    h.NumericalFailure = false;
    h.ForceEqualHouses();
    ComputeCusps(h);
    BuildCuspTable(h);
    EXPECT_FALSE(h.NumericalFailure);
    EXPECT_LT(AngleGap(h.Cusp(10), h.Positions[PointAscendant] + 3 * HalfPi), 1e-15L);
}

// Needs the generated ephemeris file in the program directory.
TEST(ComputeCusps, RecalculationFallsBackToEqualHouses) {
    SetProgramDirectory(KYR_PROGRAM_DIR);
    if (!std::filesystem::exists(std::string(KYR_PROGRAM_DIR) + "/KYR.LNG"))
        GTEST_SKIP() << "KYR.LNG not built yet";
    THoroscope h;
    h.SetBirthDate(1990.0615L);
    h.SetBirthTime(12);
    h.SetLatitude(80);
    h.SetHouseSystem(HousePlacidus);
    h.SetActive(true);
    EXPECT_EQ(h.HouseSystem(), HouseEqual);
    EXPECT_FALSE(h.NumericalFailure);
    EXPECT_LT(AngleGap(h.Cusp(10), h.Cusp(1) + 3 * HalfPi), 1e-15L);

    THoroscope mid;
    mid.SetBirthDate(1990.0615L);
    mid.SetBirthTime(12);
    mid.SetLatitude(52);
    mid.SetActive(true);
    EXPECT_EQ(mid.HouseSystem(), HousePlacidus);
    EXPECT_EQ(mid.Cusp(10), mid.Position(PointMC));
    EXPECT_EQ(mid.Cusp(1), mid.Position(PointAscendant));
}

// ---- Cusp table and house questions --------------------------------------------------

// Cusps at whole minutes plus 15 seconds, so that minutes of arc truncate safely.
// Cusp 12 at 350 and cusp 1 at 10 deg 30 min: house 12 spans 0 degrees.
class CuspTableFixture : public ::testing::Test {
protected:
    static Extended Minutes(Extended minutes) { return (minutes + 0.25L) / 60 * TrueDegree; }

    void SetUp() override {
        h.Positions[PointMC] = Minutes(15615);       // 260 15
        h.Positions[PointCusp11] = Minutes(17400);   // 290
        h.Positions[PointCusp12] = Minutes(21000);   // 350
        h.Positions[PointAscendant] = Minutes(630);  // 10 30
        h.Positions[PointCusp2] = Minutes(2400);     // 40
        h.Positions[PointCusp3] = Minutes(4200);     // 70
        BuildCuspTable(h);
    }

    THoroscope h;
};

TEST_F(CuspTableFixture, TableHoldsCuspsAndTheirOpposites) {
    // Minutes of arc of C[0..13].
    constexpr std::array<int, 14> minutes = {21000, 630,   2400,  4200,  4815,  6600,  10200,
                                             11430, 13200, 15000, 15615, 17400, 21000, 630};
    for (int i = 0; i <= 13; ++i)
        EXPECT_NEAR(h.CuspTable[i], Minutes(minutes[i]), 1e-15L) << "C[" << i << "]";
}

TEST_F(CuspTableFixture, TextHoldsMinutesOfArcLowByteFirst) {
    // C[1..13]: 630, 2400, 4200, 4815, 6600, 10200, 11430, 13200, 15000, 15615, 17400,
    // 21000, 630.
    constexpr std::array<unsigned char, 26> bytes = {
        118, 2,  96,  9,  104, 16, 207, 18, 200, 25, 216, 39, 166,
        44,  144, 51, 152, 58, 255, 60, 248, 67, 8,   82, 118, 2};
    ASSERT_EQ(h.CuspText.size(), 26u);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        EXPECT_EQ(static_cast<unsigned char>(h.CuspText[i]), bytes[i]) << "byte " << i;
}

TEST_F(CuspTableFixture, HouseOfLongitudeReadsDegreesAndMinutes) {
    struct {
        Extended Degrees; // D.MM
        int House;
    } const cases[] = {
        {355, 12},   {5, 12},     {0, 12},   {359.59L, 12}, // house 12 across 0 degrees
        {10.30L, 12}, {10.31L, 1}, // cusp 1 at 10.3015: minutes, not decimals
        {45, 2},     {80.15L, 3}, {80.16L, 4}, {300, 11},   {260.16L, 10},
        {360, 0},    {-1, 0},     // outside every house
    };
    for (const auto &c : cases)
        EXPECT_EQ(h.HouseOfLongitude(c.Degrees), c.House) << c.Degrees;
}

TEST_F(CuspTableFixture, LongitudeOnACuspOpensThatHouse) {
    for (int house = 1; house <= 12; ++house)
        EXPECT_EQ(h.HouseOfLongitude(h.CuspDeg(house)), house);
}

TEST(HouseOfLongitude, NoCuspsNoHouse) {
    THoroscope h;
    EXPECT_EQ(h.HouseOfLongitude(100), 0);
}

// Bodies by TPlanet ordinal, in degrees; Mercury sits exactly on the Ascendant and Mars on
// the first point of Gemini.
class BodiesFixture : public CuspTableFixture {
protected:
    void SetUp() override {
        CuspTableFixture::SetUp();
        constexpr std::array<double, 12> degrees = {355, 5,   0,   45,  60,    100,
                                                    175, 200, 300, 255, 120.5, 300.5};
        for (int p = plSun; p <= plSouthNode; ++p)
            h.Positions[p + 1] = degrees[p] * TrueDegree;
        h.Positions[plMercury + 1] = h.Positions[PointAscendant];
    }

    static TPlanetSet Set(std::initializer_list<TPlanet> bodies) {
        TPlanetSet set = 0;
        for (TPlanet p : bodies)
            set |= PlanetBit(p);
        return set;
    }
};

TEST_F(BodiesFixture, BodiesInHouse) {
    const std::array<TPlanetSet, 13> expected = {
        0,
        Set({plMercury}),
        Set({plVenua, plMars}),
        0,
        Set({plJupiter}),
        Set({plNorthNode}),
        Set({plSaturn}),
        Set({plUrania}),
        0,
        Set({plPluto}),
        0,
        Set({plNeptune, plSouthNode}),
        Set({plSun, plMoon}),
    };
    TPlanetSet all = 0;
    for (int house = 1; house <= 12; ++house) {
        EXPECT_EQ(h.BodiesInHouse(house), expected[house]) << "house " << house;
        all |= h.BodiesInHouse(house);
    }
    EXPECT_EQ(all, 0x0FFF);
    EXPECT_EQ(h.BodiesInHouse(0), 0);
    EXPECT_EQ(h.BodiesInHouse(13), 0);
}

TEST_F(BodiesFixture, HouseOfBodyAgreesWithBodiesInHouse) {
    for (int p = plSun; p <= plSouthNode; ++p) {
        const int house = h.HouseOfBody(p);
        ASSERT_GE(house, 1) << p;
        EXPECT_TRUE(h.BodiesInHouse(house) & PlanetBit(static_cast<TPlanet>(p))) << p;
    }
    EXPECT_EQ(h.HouseOfBody(plMercury), 1);
    EXPECT_EQ(h.HouseOfBody(plSouthNode), 11);
    EXPECT_THROW(h.HouseOfBody(12), EHoroscopeException);
}

TEST_F(BodiesFixture, BodiesInSignAndSignOfBody) {
    const std::array<TPlanetSet, 12> expected = {
        Set({plMoon, plMercury}), Set({plVenua}), Set({plMars}), Set({plJupiter}),
        Set({plNorthNode}),       Set({plSaturn}), Set({plUrania}), 0,
        Set({plPluto}),           0,               Set({plNeptune, plSouthNode}),
        Set({plSun})};
    for (int sign = siAries; sign <= siPisces; ++sign) {
        EXPECT_EQ(h.BodiesInSign(sign), expected[sign]) << "sign " << sign;
        for (int p = plSun; p <= plSouthNode; ++p)
            EXPECT_EQ(h.SignOfBody(p) == sign,
                      (expected[sign] & PlanetBit(static_cast<TPlanet>(p))) != 0)
                << "sign " << sign << " body " << p;
    }
    EXPECT_EQ(h.BodiesInSign(12), 0);
    EXPECT_EQ(h.BodiesInSign(-1), 0);
}

} // namespace
} // namespace kyr
