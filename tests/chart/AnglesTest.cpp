// Angle and number helpers, and the moment angles.
#include "Angles.h"
#include "MomentAngles.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kyr;

namespace {

constexpr Extended Tight = 1e-12L;

struct TUnaryCase {
    const char *name;
    Extended (*function)(Extended);
    Extended argument;
    Extended expected;
};

class UnaryHelpers : public ::testing::TestWithParam<TUnaryCase> {};

TEST_P(UnaryHelpers, GiveTheDocumentedValue) {
    const TUnaryCase &c = GetParam();
    EXPECT_NEAR(static_cast<double>(c.function(c.argument)), static_cast<double>(c.expected),
                1e-9)
        << c.name << "(" << static_cast<double>(c.argument) << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnaryHelpers,
    ::testing::Values(
        TUnaryCase{"HmToHours", HmToHours, 4.30L, 4.5L},
        TUnaryCase{"HmToHours", HmToHours, 23.59L, 23 + 59 / 60.0L},
        TUnaryCase{"HoursToHm", HoursToHm, 4.5L, 4.3L},
        TUnaryCase{"HoursToHm", HoursToHm, 0.25L, 0.15L},
        TUnaryCase{"DmsToDegrees", DmsToDegrees, 55.4130L, 55.691666666667L},
        TUnaryCase{"DmsToDegrees", DmsToDegrees, -10.30L, -10.5L},
        TUnaryCase{"DmsToDegrees", DmsToDegrees, 0.0001L, 1 / 3600.0L},
        TUnaryCase{"DmsToDegrees", DmsToDegrees, 179.5959L, 179 + 59 / 60.0L + 59 / 3600.0L},
        TUnaryCase{"DegreesToDms", DegreesToDms, 10.5L, 10.3L},
        TUnaryCase{"DegreesToDms", DegreesToDms, 55.691666666667L, 55.4130L},
        TUnaryCase{"DegToRad", DegToRad, 180, 180 * 0.0174532925L},
        TUnaryCase{"RadToDeg", RadToDeg, 0.0174532925L, 1},
        TUnaryCase{"NormalizeAngle", NormalizeAngle, -0.5L, TwoPi - 0.5L},
        TUnaryCase{"NormalizeAngle", NormalizeAngle, 7, 7 - TwoPi},
        TUnaryCase{"NormalizeAngle", NormalizeAngle, 3 * TwoPi + 1, 1},
        TUnaryCase{"NormalizeAngle", NormalizeAngle, -3 * TwoPi - 1, TwoPi - 1},
        TUnaryCase{"WrapOnce", WrapOnce, -1, TwoPi - 1},
        TUnaryCase{"WrapOnce", WrapOnce, TwoPi + 1, 1},
        TUnaryCase{"ReduceHalfTurn", ReduceHalfTurn, Pi + 0.25L, 0.25L},
        TUnaryCase{"ReduceHalfTurn", ReduceHalfTurn, -0.25L, 0.25L},
        TUnaryCase{"ArcSin", ArcSin, 1, HalfPi},
        TUnaryCase{"ArcSin", ArcSin, -1, -HalfPi},
        TUnaryCase{"ArcSin", ArcSin, 0.5L, Pi / 6},
        TUnaryCase{"ArcCos", ArcCos, 0.5L, Pi / 3},
        TUnaryCase{"SafeTan", SafeTan, Pi / 4, 1}));

struct TVectorCase {
    Extended x, y, expected;
};

TEST(VectorAngle, PointsOfTheCompassAndQuadrants) {
    const TVectorCase cases[] = {
        {1, 0, 0},         {-1, 0, Pi},       {0, 1, HalfPi},         {0, -1, 3 * HalfPi},
        {1, 1, Pi / 4},    {-1, 1, 3 * Pi / 4}, {-1, -1, 5 * Pi / 4}, {1, -1, 7 * Pi / 4},
        {0, 0, 0},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(static_cast<double>(VectorAngle(c.x, c.y)), static_cast<double>(c.expected),
                    static_cast<double>(Tight))
            << "(" << static_cast<double>(c.x) << ", " << static_cast<double>(c.y) << ")";
}

TEST(ArcSin, OutsideItsDomainRaisesTheInvalidOperation) {
    EXPECT_THROW(ArcSin(1.5L), EInvalidOp);
    EXPECT_THROW(ArcCos(-1.0001L), EInvalidOp);
    EXPECT_THROW(CheckedSqrt(-1e-30L), EInvalidOp);
}

TEST(NumberHelpers, TruncationRoundingAndSign) {
    EXPECT_EQ(Trunc(-2.7L), -2);
    EXPECT_EQ(Trunc(2.7L), 2);
    EXPECT_EQ(Round(2.5L), 2); // ties to even
    EXPECT_EQ(Round(3.5L), 4);
    EXPECT_EQ(Int(-2.7L), -2);
    EXPECT_NEAR(static_cast<double>(Frac(-2.75L)), -0.75, 1e-15);
    EXPECT_EQ(SignOf(-0.1L), -1);
    EXPECT_EQ(SignOf(0), 0);
    EXPECT_EQ(SignOf(3), 1);
}

TEST(SplitSign, GivesSignNumberAndRest) {
    int sign = -1;
    Extended rest = -1;
    SplitSign(359.5L, sign, rest);
    EXPECT_EQ(sign, 11);
    EXPECT_NEAR(static_cast<double>(rest), 29.5, 1e-12);
    SplitSign(30, sign, rest);
    EXPECT_EQ(sign, 1);
    EXPECT_EQ(rest, 0);
}

TEST(FormatHundredths, TruncatesInsteadOfRounding) {
    EXPECT_EQ(FormatHundredths(1.239L), "1.23");
    EXPECT_EQ(FormatHundredths(12.5L), "12.50");
    EXPECT_EQ(FormatHundredths(0.999L), "0.99");
}

TEST(EquatorialToEcliptic, FollowsTheObliquity) {
    Obliquity = 0.409L;
    // The equinoxes and solstices lie on both circles at once.
    EXPECT_NEAR(static_cast<double>(EquatorialToEcliptic(0)), 0, 1e-15);
    EXPECT_NEAR(static_cast<double>(EquatorialToEcliptic(HalfPi)), static_cast<double>(HalfPi),
                1e-15);
    EXPECT_NEAR(static_cast<double>(EquatorialToEcliptic(Pi)), static_cast<double>(Pi), 1e-15);
    // tan(lambda) = tan(alpha) / cos(eps).
    const Extended lambda = EquatorialToEcliptic(0.5L);
    EXPECT_NEAR(static_cast<double>(std::tan(lambda)),
                static_cast<double>(std::tan(0.5L) / std::cos(0.409L)), 1e-12);
}

TEST(MomentAngles, ObliquitySiderealTimeAndPolarTest) {
    // 1 January 2000, 0 h UT at Greenwich: day number 36524.
    const TMomentAngles m = ComputeMomentAngles(36524, 0, 51.30L, 0);
    EXPECT_NEAR(static_cast<double>(m.T), 36524 / 36525.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(Obliquity), 0.40932 - 0.00022714 * (36524 / 36525.0), 1e-15);
    // Greenwich mean sidereal time at that moment is 6 h 39 min 52 s (99.967 degrees).
    EXPECT_NEAR(static_cast<double>(m.LST) * 180 / M_PI, 99.967, 0.01);
    EXPECT_FALSE(m.Polar);

    // 15 degrees west takes one hour of sidereal time off.
    const TMomentAngles west = ComputeMomentAngles(36524, 0, 51.30L, 15);
    EXPECT_NEAR(static_cast<double>(NormalizeAngle(m.LST - west.LST)),
                static_cast<double>(DegToRad(15)), 1e-12);

    EXPECT_TRUE(ComputeMomentAngles(36524, 0, 67, 0).Polar);
    EXPECT_TRUE(ComputeMomentAngles(36524, 0, -67, 0).Polar);
    EXPECT_FALSE(ComputeMomentAngles(36524, 0, 66, 0).Polar);
}

} // namespace
