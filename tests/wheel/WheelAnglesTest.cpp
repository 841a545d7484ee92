// The angle sets read from a chart set by hand (the horoscope stays inactive: reading the
// sets does not ask whether it is ready).
#include "WheelAngles.h"
#include "WheelTestHelpers.h"

#include <gtest/gtest.h>

using namespace kyr;
using namespace kyr::test;

namespace {

// Unequal cusps like a quadrant system's, all shifted so that the Ascendant is asc.
TTwelve QuadrantCusps(Extended asc) {
    const Extended offsets[12] = {0, 35, 62, 88, 118, 152, 180, 215, 242, 268, 298, 332};
    TTwelve cusps{};
    for (int j = 0; j < 12; ++j)
        cusps[j] = std::fmod(asc + offsets[j], 360);
    return cusps;
}

TEST(WheelAngles, CuspsAscendFromPiToThreePi) {
    // Wherever 0 degrees falls in the cusp sequence, a cusp below its predecessor is lifted
    // by a turn.
    for (const Extended asc : {0.5L, 95.0L, 200.0L, 300.0L, 359.5L}) {
        THoroscope h;
        SetCusps(h, QuadrantCusps(asc));
        const TWheelAngles angles = ReadWheelAngles(h);
        const auto &c = angles.CuspAngle;
        EXPECT_NEAR(c[1], Pi, 1e-15) << "ASC " << asc;
        EXPECT_NEAR(c[13], 3 * Pi, 1e-15) << "ASC " << asc;
        for (int j = 2; j <= 13; ++j) {
            EXPECT_GT(c[j], c[j - 1]) << "ASC " << asc << " cusp " << j;
            EXPECT_NEAR(AngleGap(c[j], h.Cusp(j) + Pi - h.Cusp(1)), 0, 1e-15)
                << "ASC " << asc << " cusp " << j;
        }
    }
}

TEST(WheelAngles, BodiesAndSignsTurnWithTheAscendant) {
    THoroscope h;
    SetCusps(h, QuadrantCusps(250));
    TTwelve bodies = SpreadBodies(3);
    bodies[0] = 250; // on the Ascendant
    SetBodies(h, bodies);
    const TWheelAngles angles = ReadWheelAngles(h);
    EXPECT_NEAR(angles.BodyAngle[1], Pi, 1e-15);
    for (int b = 2; b <= 12; ++b)
        EXPECT_NEAR(angles.BodyAngle[b], WheelAngleOf(bodies[b - 1], 250), 1e-15) << b;
    // 0 degrees Aries is S[1]; each sign spans 30 degrees and S[13] closes the ring.
    EXPECT_NEAR(AngleGap(angles.SignAngle[1], WheelAngleOf(0, 250)), 0, 1e-15);
    EXPECT_NEAR(angles.SignAngle[2] - angles.SignAngle[1], Pi / 6, 1e-15);
    EXPECT_NEAR(angles.SignAngle[13] - angles.SignAngle[1], TwoPi, 1e-15);
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(angles.BodyOrder[n], h.BodyAtRank(n)) << n;
}

struct TDegreeCase {
    Extended Longitude; // decimal degrees
    Extended Degree;    // D.MM within the sign
};

TEST(WheelAngles, BodyDegreeIsThePositionWithinTheSign) {
    const TDegreeCase cases[] = {
        {45.5L, 15.30L}, {359.75L, 29.45L}, {0.25L, 0.15L}, {272.1L, 2.06L}};
    for (const auto &c : cases) {
        THoroscope h;
        SetCusps(h, EqualCusps(0));
        TTwelve bodies = SpreadBodies();
        bodies[3] = c.Longitude;
        SetBodies(h, bodies);
        EXPECT_NEAR(ReadWheelAngles(h).BodyDegree[4], c.Degree, 1e-6) << c.Longitude;
    }
}

struct TAxisCase {
    const char *Name;
    int System;
    bool TrueMidheaven;
};

TEST(WheelAngles, MeridianAxisFollowsTheSystem) {
    const TAxisCase cases[] = {
        {"Equal: through the true Midheaven, not cusp 10", HouseEqual, true},
        {"Placidus: through cusps 4 and 10", HousePlacidus, false},
        {"Koch: through cusps 4 and 10", HouseKoch, false},
    };
    for (const auto &c : cases) {
        THoroscope h;
        h.SetHouseSystem(c.System);
        TTwelve cusps = EqualCusps(40);
        cusps[9] = 290; // cusp 10 twenty degrees off the square
        cusps[3] = 110;
        SetCusps(h, cusps);
        h.Positions[PointMC] = DegToRad(Extended(305)); // the Midheaven apart from both
        const TWheelAngles angles = ReadWheelAngles(h);
        EXPECT_EQ(angles.AxisAngle[1], Pi) << c.Name;
        EXPECT_EQ(angles.AxisAngle[3], TwoPi) << c.Name;
        if (c.TrueMidheaven) {
            const Extended mc = DegToRad(Extended(305 - 40)) + Pi;
            EXPECT_NEAR(angles.AxisAngle[4], mc, 1e-15L) << c.Name;
            EXPECT_NEAR(angles.AxisAngle[2], mc + Pi, 1e-15L) << c.Name;
        } else {
            EXPECT_EQ(angles.AxisAngle[2], angles.CuspAngle[4]) << c.Name;
            EXPECT_EQ(angles.AxisAngle[4], angles.CuspAngle[10]) << c.Name;
        }
    }
}

TEST(WheelAngles, ScaleStartsWhereTheSignsDo) {
    THoroscope h;
    SetCusps(h, QuadrantCusps(17.5L));
    // T = 2 pi - ASC, half a turn from 0 degrees Aries: still on a whole degree.
    EXPECT_NEAR(ScaleStart(ReadWheelAngles(h)), TwoPi - h.Cusp(1), 1e-15);
    EXPECT_EQ(ScaleStart(DefaultWheelAngles()), 0);
}

} // namespace
