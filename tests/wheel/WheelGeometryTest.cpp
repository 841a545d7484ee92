// The layout of a whole wheel from angle sets: radii of both layouts, rotation, the degree
// scale, sign sectors, font heights, the partner frame and aspect chords.
#include "WheelGeometry.h"
#include "WheelRadii.h"
#include "WheelTestHelpers.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kyr;
using namespace kyr::test;

namespace {

constexpr TRectI Big{0, 0, 1000, 1000};
// One pixel of truncation on a 500-pixel half side.
constexpr Extended RadiusTolerance = 0.003;
constexpr Extended AngleTolerance = 0.01;

TPointI Start(const TSegmentI &s) {
    return {s.X1, s.Y1};
}
TPointI End(const TSegmentI &s) {
    return {s.X2, s.Y2};
}

/// A chart with unequal cusps and spread bodies, Ascendant at asc degrees.
TWheelAngles ChartAngles(Extended asc, Extended firstBody = 5) {
    THoroscope h;
    TTwelve cusps = EqualCusps(asc);
    cusps[1] = std::fmod(asc + 40, 360);
    cusps[10] = std::fmod(asc + 290, 360);
    SetCusps(h, cusps);
    SetBodies(h, SpreadBodies(firstBody));
    return ReadWheelAngles(h);
}

TWheelGeometry Layout(const TWheelAngles &angles, bool dual = false, bool ariesAtLeft = false,
                      const TWheelAngles *partner = nullptr, TRectI rect = Big,
                      bool offScreen = false) {
    TWheelLayoutInput input;
    input.Rect = rect;
    input.Angles = &angles;
    input.PartnerAngles = partner;
    input.DualMode = dual;
    input.AriesAtLeft = ariesAtLeft;
    input.OffScreen = offScreen;
    return LayoutWheelGeometry(input);
}

struct TRadiusCase {
    const char *Name;
    std::function<TPointI(const TWheelGeometry &)> Point;
    Extended Normal; // 0: not part of the normal layout
    Extended Dual;
};

TEST(WheelGeometry, RadiiOfBothLayouts) {
    const TRadiusCase cases[] = {
        {"sign glyph centre", [](auto &g) { return g.Signs[4].Centre; }, 0.89L, 0.89L},
        {"cusp line outer end", [](auto &g) { return Start(g.CuspLines[2]); }, 0.80L, 0.80L},
        {"cusp line inner end", [](auto &g) { return End(g.CuspLines[2]); }, 0.40L, 0.52L},
        {"axis inner end", [](auto &g) { return Start(g.Axes[4]); }, 0.40L, 0.52L},
        {"axis tip beyond the sign ring", [](auto &g) { return End(g.Axes[4]); }, 1.0L, 1.0L},
        {"body tick on the scale", [](auto &g) { return Start(g.Bodies[3].Tick); }, 0.80L, 0.80L},
        {"body tick, inward or outward", [](auto &g) { return End(g.Bodies[3].Tick); }, 0.785L,
         0.81L},
        {"body glyph level 1", [](auto &g) { return g.Bodies[3].Centre; }, 0.718L, 0.732L},
        {"house number", [](auto &g) { return g.HouseLabels[7].Centre; }, 0.425L, 0.425L},
        {"long degree tick", [](auto &g) { return Start(g.DegreeTicks[5]); }, 0.80L, 0.80L},
        {"short degree tick", [](auto &g) { return Start(g.DegreeTicks[6]); }, 0.82L, 0.82L},
        {"degree tick outer end", [](auto &g) { return End(g.DegreeTicks[6]); }, 0.83L, 0.83L},
        {"partner cusp outer end", [](auto &g) { return Start(g.PartnerCuspLines[3]); }, 0, 0.52L},
        {"partner cusp inner end", [](auto &g) { return End(g.PartnerCuspLines[3]); }, 0, 0.25L},
        {"partner axis inner end", [](auto &g) { return Start(g.PartnerAxes[1]); }, 0, 0.25L},
        {"partner axis tip", [](auto &g) { return End(g.PartnerAxes[1]); }, 0, 0.545L},
        {"partner tick", [](auto &g) { return Start(g.PartnerBodies[2].Tick); }, 0, 0.81L},
        {"partner tick outer end", [](auto &g) { return End(g.PartnerBodies[2].Tick); }, 0, 0.82L},
        {"partner glyph level 1", [](auto &g) { return g.PartnerBodies[2].Centre; }, 0, 0.466L},
    };
    const TWheelAngles own = ChartAngles(75);
    const TWheelAngles partner = ChartAngles(210, 12);
    const TWheelGeometry normal = Layout(own);
    const TWheelGeometry dual = Layout(own, true, false, &partner);
    for (const auto &c : cases) {
        if (c.Normal > 0) {
            EXPECT_NEAR(PolarOf(normal, c.Point(normal)).Radius, c.Normal, RadiusTolerance)
                << "normal: " << c.Name;
        }
        EXPECT_NEAR(PolarOf(dual, c.Point(dual)).Radius, c.Dual, RadiusTolerance)
            << "dual: " << c.Name;
    }

    struct TCircleCase {
        const char *Name;
        TRectI TWheelGeometry::*Circle;
        Extended Normal, Dual;
    };
    const TCircleCase circles[] = {
        {"sign ring outside", &TWheelGeometry::SignCircle, 0.95L, 0.95L},
        {"degree scale outside", &TWheelGeometry::ScaleCircle, 0.83L, 0.83L},
        {"degree scale inside", &TWheelGeometry::ScaleInnerCircle, 0.80L, 0.80L},
        {"house ring / partner chart", &TWheelGeometry::MiddleCircle, 0.45L, 0.52L},
        {"innermost", &TWheelGeometry::InnermostCircle, 0.40L, 0.25L},
    };
    for (const auto &c : circles) {
        for (const auto *g : {&normal, &dual}) {
            const TRectI &r = g->*c.Circle;
            const Extended expected = g == &normal ? c.Normal : c.Dual;
            EXPECT_NEAR((r.Right - r.Left) / 1000.0L, expected, RadiusTolerance) << c.Name;
            EXPECT_EQ(r.Right - r.Left, r.Bottom - r.Top) << c.Name;
            EXPECT_EQ(r.Left + r.Right, 2 * g->Centre.X) << c.Name;
        }
    }
}

TEST(WheelGeometry, DefaultFrameHasSignsFromTheLeftAndStraightAxes) {
    const TWheelAngles defaults = DefaultWheelAngles();
    const TWheelGeometry g = Layout(defaults, false, false, nullptr, {0, 0, 301, 300});
    // Ascendant axis left of the centre, Midheaven straight up.
    EXPECT_EQ(g.Axes[1].Y1, g.Axes[1].Y2);
    EXPECT_LT(g.Axes[1].X2, g.Centre.X);
    EXPECT_EQ(g.Axes[4].X1, g.Axes[4].X2);
    EXPECT_LT(g.Axes[4].Y2, g.Centre.Y);
    EXPECT_NEAR(g.Signs[1].StartDegrees, 180, 1e-12);
    for (int j = 1; j <= 12; ++j)
        EXPECT_NEAR(g.Signs[j].SpanDegrees, 30, 1e-12);
    EXPECT_TRUE(g.Chords.empty());
}

TEST(WheelGeometry, EqualHousesDrawTheMeridianThroughTheMidheaven) {
    THoroscope h;
    h.SetHouseSystem(HouseEqual);
    TTwelve cusps = EqualCusps(123.4L);
    cusps[9] = 17; // cusp 10 far off the square: the axis must not follow it
    SetCusps(h, cusps);
    h.Positions[PointMC] = DegToRad(123.4L + 270 - 360); // a Midheaven square to the Ascendant
    SetBodies(h, SpreadBodies());
    const TWheelAngles angles = ReadWheelAngles(h);
    for (const TRectI rect : {TRectI{0, 0, 65, 65}, TRectI{0, 0, 201, 200}, TRectI{0, 0, 300, 200},
                              TRectI{7, 3, 1000, 777}}) {
        for (const bool dual : {false, true}) {
            const TWheelGeometry g = Layout(angles, dual, false, &angles, rect);
            EXPECT_EQ(g.Axes[4].X1, g.Axes[4].X2) << rect.Right;
            EXPECT_EQ(g.Axes[2].X1, g.Axes[2].X2) << rect.Right;
            EXPECT_EQ(g.Axes[4].A, 1) << rect.Right;
        }
    }
}

TEST(WheelGeometry, AriesAtLeftTurnsEverything) {
    const Extended asc = 75;
    const TWheelAngles angles = ChartAngles(asc);
    const TWheelGeometry plain = Layout(angles);
    const TWheelGeometry turned = Layout(angles, false, true);
    const Extended r = turned.Rotation;
    EXPECT_EQ(plain.Rotation, 0);
    EXPECT_EQ(r, Pi - angles.SignAngle[1] + 0.000001L);
    // 0 degrees Aries lies one millionth of a radian past the left point.
    EXPECT_NEAR(turned.Signs[1].StartDegrees, 180 + 0.000001 * 180 / 3.141592653589793, 1e-9);
    EXPECT_NEAR(plain.Signs[1].StartDegrees * Pi / 180, angles.SignAngle[1], 1e-12);

    const auto turnedBy = [&](TPointI before, TPointI after, const char *what) {
        EXPECT_NEAR(AngleGap(PolarOf(turned, after).Angle, PolarOf(plain, before).Angle + r), 0,
                    AngleTolerance)
            << what;
    };
    for (int j = 1; j <= 12; ++j)
        turnedBy(Start(plain.CuspLines[j]), Start(turned.CuspLines[j]), "cusp");
    for (int b = 1; b <= 12; ++b)
        turnedBy(plain.Bodies[b].Centre, turned.Bodies[b].Centre, "body");
    for (int k = 1; k <= 4; ++k)
        turnedBy(End(plain.Axes[k]), End(turned.Axes[k]), "axis");
    for (int i = 1; i <= 12; ++i)
        turnedBy(plain.Signs[i].Centre, turned.Signs[i].Centre, "sign");
    turnedBy(Start(plain.DegreeTicks[0]), Start(turned.DegreeTicks[0]), "degree scale");
}

TEST(WheelGeometry, DegreeTicksFallOnWholeDegreesOfLongitude) {
    const Extended asc = 17.5L; // half a degree off, so a tick frame tied to the ASC shows
    const TWheelAngles angles = ChartAngles(asc);
    for (const bool ariesAtLeft : {false, true}) {
        const TWheelGeometry g = Layout(angles, false, ariesAtLeft);
        const Extended aries = angles.SignAngle[1] + g.Rotation;
        int longTicks = 0;
        bool onAries = false;
        for (int n = 0; n < 360; ++n) {
            const TPolar outer = PolarOf(g, End(g.DegreeTicks[n]));
            // Longitude of the tick, -180..180.
            const Extended degrees = AngleGap(outer.Angle, aries) * 180 / Pi;
            EXPECT_NEAR(degrees, std::round(degrees), 0.25) << n;
            const bool isLong = PolarOf(g, Start(g.DegreeTicks[n])).Radius < 0.81L;
            if (isLong) {
                ++longTicks;
                EXPECT_EQ(static_cast<long>(std::round(degrees)) % 5, 0) << n;
                onAries = onAries || std::round(degrees) == 0;
            }
        }
        EXPECT_EQ(longTicks, 72);
        EXPECT_TRUE(onAries) << "a long tick on the boundary of Aries";
    }
}

TEST(WheelGeometry, SignSectorOutlines) {
    const TWheelAngles angles = ChartAngles(75);
    const TWheelGeometry ring = Layout(angles);
    for (int i = 1; i <= 12; ++i) {
        const auto &o = ring.Signs[i].Outline;
        const Extended a = angles.SignAngle[i];
        const Extended e = angles.SignAngle[i + 1];
        EXPECT_NEAR(PolarOf(ring, o[0]).Radius, 0.95L, RadiusTolerance);
        EXPECT_NEAR(AngleGap(PolarOf(ring, o[0]).Angle, a), 0, AngleTolerance);
        EXPECT_NEAR(PolarOf(ring, o[61]).Radius, 0.83L, RadiusTolerance);
        EXPECT_NEAR(AngleGap(PolarOf(ring, o[61]).Angle, a), 0, AngleTolerance);
        // Points 30 and 31 are the end boundary, which is the next sector's start.
        EXPECT_NEAR(PolarOf(ring, o[30]).Radius, 0.95L, RadiusTolerance);
        EXPECT_NEAR(PolarOf(ring, o[31]).Radius, 0.83L, RadiusTolerance);
        EXPECT_NEAR(AngleGap(PolarOf(ring, o[30]).Angle, e), 0, AngleTolerance);
        EXPECT_EQ(o[30], ring.Signs[i % 12 + 1].Outline[0]) << i;
        EXPECT_EQ(o[31], ring.Signs[i % 12 + 1].Outline[61]) << i;
        EXPECT_NEAR(AngleGap(PolarOf(ring, o[15]).Angle, (a + e) / 2), 0, AngleTolerance);
    }
    EXPECT_EQ(ring.Signs[1].Glyph, 0xF7);
    EXPECT_EQ(ring.Signs[8].Colour, (TRgb{0, 128, 255}));

    // Off screen only the boundary at the sector's start is kept, for pie and line.
    const TWheelGeometry pies = Layout(angles, false, false, nullptr, Big, true);
    for (int i = 1; i <= 12; ++i) {
        const auto &o = pies.Signs[i].Outline;
        EXPECT_EQ(o[30], ring.Signs[i].Outline[0]) << i;
        EXPECT_EQ(o[31], ring.Signs[i].Outline[61]) << i;
        EXPECT_EQ(o[0], (TPointI{})) << i;
        EXPECT_EQ(o[61], (TPointI{})) << i;
        EXPECT_EQ(pies.Signs[i].StartDegrees, ring.Signs[i].StartDegrees);
    }
}

struct TFontCase {
    int Side;
    TWheelFontHeights Heights;
};

TEST(WheelGeometry, FontHeights) {
    const TFontCase cases[] = {
        // half side 130: w(0.05) = 6, w(0.12) = 15, w(0.1117) = 14
        {260, {5, 13, 17, 9, 14, 8}},
        // half side 370: 18, 44, 41
        {740, {15, 37, 49, 28, 41, 23}},
        // a body glyph of 30 gives nodes of 17
        {450, {9, 23, 30, 17, 25, 14}},
    };
    const TWheelAngles angles = DefaultWheelAngles();
    for (const auto &c : cases) {
        const auto h = Layout(angles, false, false, nullptr, {0, 0, c.Side, c.Side}).FontHeights;
        EXPECT_EQ(h.HouseNumber, c.Heights.HouseNumber) << c.Side;
        EXPECT_EQ(h.SignGlyph, c.Heights.SignGlyph) << c.Side;
        EXPECT_EQ(h.BodyGlyph, c.Heights.BodyGlyph) << c.Side;
        EXPECT_EQ(h.NodeGlyph, c.Heights.NodeGlyph) << c.Side;
        EXPECT_EQ(h.PartnerGlyph, c.Heights.PartnerGlyph) << c.Side;
        EXPECT_EQ(h.PartnerNodeGlyph, c.Heights.PartnerNodeGlyph) << c.Side;
    }
}

TEST(WheelGeometry, PartnerChartLandsInThisWheelsZodiac) {
    // Two charts with Ascendants far apart: a partner body at some longitude must point
    // where this chart's body at the same longitude points.
    THoroscope own, other;
    SetCusps(own, EqualCusps(100));
    SetCusps(other, EqualCusps(250));
    TTwelve ownBodies = SpreadBodies(3);
    TTwelve otherBodies = SpreadBodies(11);
    ownBodies[0] = otherBodies[6] = 40;
    ownBodies[1] = 250; // on the partner's Ascendant
    SetBodies(own, ownBodies);
    SetBodies(other, otherBodies);
    const TWheelAngles ownAngles = ReadWheelAngles(own);
    const TWheelAngles otherAngles = ReadWheelAngles(other);
    for (const bool ariesAtLeft : {false, true}) {
        const TWheelGeometry g = Layout(ownAngles, true, ariesAtLeft, &otherAngles);
        EXPECT_NEAR(g.PartnerRotation,
                    -otherAngles.SignAngle[1] + ownAngles.SignAngle[1] + g.Rotation, 1e-15);
        EXPECT_NEAR(AngleGap(PolarOf(g, g.PartnerBodies[7].Centre).Angle,
                             PolarOf(g, g.Bodies[1].Centre).Angle),
                    0, AngleTolerance);
        EXPECT_NEAR(
            AngleGap(PolarOf(g, End(g.PartnerAxes[1])).Angle, PolarOf(g, g.Bodies[2].Centre).Angle),
            0, AngleTolerance);
        EXPECT_NEAR(AngleGap(PolarOf(g, End(g.PartnerCuspLines[1])).Angle,
                             PolarOf(g, g.Bodies[2].Centre).Angle),
                    0, AngleTolerance);
    }
}

TEST(WheelGeometry, PartnerFrameWithoutRelationWheelIsTheDefault) {
    // A wheel whose relation wheel is cleared before its dual layout still lays out.
    const TWheelAngles angles = ChartAngles(75);
    const TWheelGeometry g = Layout(angles, true, false, nullptr);
    EXPECT_EQ(g.PartnerRotation, angles.SignAngle[1] - Pi);
    EXPECT_NEAR(PolarOf(g, End(g.PartnerAxes[1])).Radius, 0.545L, RadiusTolerance);
}

struct TChordCase {
    int P, Q, Aspect;
    TRgb Colour;
};

TEST(AspectChords, EndsOnTheInnerCircleAtBothPoints) {
    THoroscope h;
    SetCusps(h, EqualCusps(75));
    SetBodies(h, SpreadBodies(8));
    const TChordCase cases[] = {
        {1, 2, 0, {128, 0, 0}},      // conjunction
        {3, 7, 6, {128, 0, 0}},      // square
        {4, 13, 8, {0, 0, 128}},     // trine to the Ascendant
        {12, 14, 10, {128, 128, 0}}, // quincunx to the Midheaven
        {5, 6, 4, {0, 0, 128}},      // sextile
    };
    h.AspectCount = 0;
    for (const auto &c : cases)
        h.Aspects[h.AspectCount++] = {c.P, c.Q, c.Aspect, 0};
    const TWheelFrame g(FittedSquare(Big));
    for (const Extended radius : {0.40L, 0.25L}) {
        const auto chords = LayoutAspectChords(h, g, 0.5L, radius);
        ASSERT_EQ(chords.size(), std::size(cases));
        for (std::size_t n = 0; n < chords.size(); ++n) {
            const auto &c = cases[n];
            const auto &chord = chords[n];
            EXPECT_EQ(chord.Point1, c.P);
            EXPECT_EQ(chord.Point2, c.Q);
            EXPECT_EQ(chord.Colour, c.Colour) << n;
            const TPolar from = PolarOf(g, Start(chord.Line));
            const TPolar to = PolarOf(g, End(chord.Line));
            EXPECT_NEAR(from.Radius, radius, RadiusTolerance);
            EXPECT_NEAR(to.Radius, radius, RadiusTolerance);
            const Extended toWheel = Pi - h.Cusp(1) + 0.5L;
            EXPECT_NEAR(AngleGap(from.Angle, h.AspectPoint(c.P) + toWheel), 0, AngleTolerance);
            EXPECT_NEAR(AngleGap(to.Angle, h.AspectPoint(c.Q) + toWheel), 0, AngleTolerance);
            EXPECT_NEAR(chord.Line.Distance(chord.Line.X2, chord.Line.Y2), 0, 1e-9);
        }
    }
    EXPECT_EQ(AspectColour(13), (TRgb{}));
    EXPECT_EQ(AspectColour(-1), (TRgb{}));
}

} // namespace
