// The wheel without a window: following its horoscope, the linked dual pair, the property
// setters and the last layout rectangle. A horoscope becomes ready on a small synthetic
// ephemeris file; its chart is then replaced by hand.
#include "WheelModel.h"
#include "BusyCursor.h"
#include "Ephemeris.h"
#include "ProgramDirectory.h"
#include "SyntheticEphemeris.h"
#include "WheelTestHelpers.h"

#include <gtest/gtest.h>

#include <memory>

using namespace kyr;
using namespace kyr::test;

namespace {

constexpr int RecordCount = 6000;
constexpr TRectI Rect{0, 0, 400, 300};

class TProbeWheel : public TWheelModel {
public:
    TProbeWheel() {
        OnChange = [this](TWheelModel &) { ++Changes; };
    }
    int Changes = 0;
    int Invalidations = 0;
    int BlinkStops = 0;

protected:
    void Invalidate() override { ++Invalidations; }
    void StopBlinking() override { ++BlinkStops; }
};

class WheelModel : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Directory = ScratchDirectory("wheel");
        WriteSyntheticEphemeris(Directory, RecordCount, UniformSample);
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(Directory); }
    void SetUp() override {
        UseEphemerisIn(Directory);
    }
    void TearDown() override {
        UseEphemerisIn({});
    }

    /// Active on the synthetic file, then the chart given here by hand.
    static void MakeReady(THoroscope &h, Extended asc, const TTwelve &bodies) {
        h.SetActive(true);
        SetCusps(h, EqualCusps(asc));
        SetBodies(h, bodies);
        h.AspectCount = 0;
    }

    static inline std::filesystem::path Directory;
};

TEST_F(WheelModel, NewWheelShowsTheDefaultFrame) {
    TProbeWheel wheel;
    EXPECT_EQ(wheel.LastLayoutRect(), (TRectI{0, 0, 65, 65}));
    EXPECT_EQ(wheel.Geometry().Square, (TRectI{0, 0, 65, 65}));
    EXPECT_FALSE(wheel.HoroscopeReady());
    EXPECT_EQ(wheel.Angles().CuspAngle[1], Pi);
    EXPECT_EQ(wheel.Changes, 0);
}

TEST_F(WheelModel, FollowsItsHoroscope) {
    THoroscope h;
    TTwelve bodies = SpreadBodies(7);
    MakeReady(h, 17.5L, bodies);
    h.Aspects[0] = {1, 2, 8, 0};
    h.Aspects[1] = {3, 13, 6, 0};
    h.AspectCount = 2;
    TProbeWheel wheel;
    wheel.LayoutWheel(Rect);
    wheel.SetHoroscope(&h);
    EXPECT_EQ(h.Wheel(), &wheel);
    EXPECT_TRUE(wheel.HoroscopeReady());
    EXPECT_EQ(wheel.Changes, 1);
    EXPECT_EQ(wheel.BlinkStops, 1);
    EXPECT_EQ(wheel.Invalidations, 1);
    EXPECT_EQ(wheel.LastLayoutRect(), Rect);
    EXPECT_EQ(wheel.Angles().BodyAngle, ReadWheelAngles(h).BodyAngle);
    EXPECT_EQ(wheel.Angles().CuspAngle, ReadWheelAngles(h).CuspAngle);
    EXPECT_EQ(wheel.Geometry().Chords.size(), 2u);

    // A recalculation of the horoscope reaches the wheel.
    h.SetBirthTime(12);
    EXPECT_EQ(wheel.Changes, 2);
    EXPECT_EQ(wheel.Angles().BodyAngle, ReadWheelAngles(h).BodyAngle);

    // Switched off, the horoscope still holds its chart, but the wheel shows the default
    // frame: no chords, and a degree scale that starts at the default signs rather than at
    // the stale Ascendant of 17.5 degrees.
    SetCusps(h, EqualCusps(17.5L));
    h.AspectCount = 2;
    wheel.LayoutWheel({0, 0, 2000, 2000}); // fine enough to see half a degree
    h.SetActive(false);
    EXPECT_EQ(wheel.Changes, 3);
    EXPECT_FALSE(wheel.HoroscopeReady());
    EXPECT_EQ(wheel.Angles().CuspAngle, DefaultWheelAngles().CuspAngle);
    EXPECT_TRUE(wheel.Geometry().Chords.empty());
    const TWheelGeometry &g = wheel.Geometry();
    for (int n = 0; n < 360; n += 45) {
        const TPolar tick = PolarOf(g, {g.DegreeTicks[n].X2, g.DegreeTicks[n].Y2});
        EXPECT_NEAR(AngleGap(tick.Angle, n * Pi / 180), 0, 0.003) << n;
    }
}

TEST_F(WheelModel, DualModeNeedsARelationWheel) {
    TProbeWheel wheel, other;
    wheel.LayoutWheel(Rect);
    try {
        wheel.SetDualMode(true);
        FAIL() << "no exception";
    } catch (const EWheelException &e) {
        EXPECT_STREQ(e.what(), "Cannot set Dual Mode active when RelationWheel property is nil!");
    }
    EXPECT_FALSE(wheel.DualMode());
    EXPECT_FALSE(wheel.Geometry().Dual);

    wheel.SetRelationWheel(&other);
    const int invalidations = wheel.Invalidations;
    wheel.SetDualMode(true);
    EXPECT_TRUE(wheel.Geometry().Dual);
    EXPECT_EQ(wheel.LastLayoutRect(), Rect);
    EXPECT_EQ(wheel.Invalidations, invalidations + 1);
    wheel.SetDualMode(true);
    EXPECT_EQ(wheel.Invalidations, invalidations + 1);
}

TEST_F(WheelModel, PartnerChangeReachesTheDualWheel) {
    THoroscope own, partner;
    MakeReady(own, 100, SpreadBodies(3));
    MakeReady(partner, 250, SpreadBodies(11));
    TProbeWheel outer, inner;
    outer.LayoutWheel(Rect);
    outer.SetHoroscope(&own);
    inner.SetHoroscope(&partner);
    outer.SetRelationWheel(&inner);
    inner.SetRelationWheel(&outer);
    outer.SetDualMode(true);
    EXPECT_TRUE(outer.PartnerReady());

    const int outerChanges = outer.Changes;
    const int innerChanges = inner.Changes;
    inner.HoroscopeChanged();
    EXPECT_EQ(inner.Changes, innerChanges + 1);
    EXPECT_EQ(outer.Changes, outerChanges + 1);
    const TWheelGeometry &g = outer.Geometry();
    for (int b = 1; b <= 12; ++b) {
        const Extended a = inner.Angles().BodyAngle[b] + outer.PartnerRotation();
        EXPECT_NEAR(AngleGap(PolarOf(g, g.PartnerBodies[b].Centre).Angle, a), 0, 0.02) << b;
    }
    // The wheel that is not in the dual layout is not told about the outer chart.
    outer.HoroscopeChanged();
    EXPECT_EQ(inner.Changes, innerChanges + 1);
}

TEST_F(WheelModel, LinkedWheelsBothDualDoNotLoop) {
    TProbeWheel a, b;
    a.SetRelationWheel(&b);
    b.SetRelationWheel(&a);
    a.SetDualMode(true);
    b.SetDualMode(true);
    a.HoroscopeChanged();
    EXPECT_EQ(a.Changes, 1);
    EXPECT_EQ(b.Changes, 1);
    b.HoroscopeChanged();
    EXPECT_EQ(a.Changes, 2);
    EXPECT_EQ(b.Changes, 2);
}

TEST_F(WheelModel, ShowAspectsReadsFalseWhileLinked) {
    TProbeWheel wheel, other;
    wheel.SetShowAspects(true);
    EXPECT_TRUE(wheel.ShowAspects());
    // Hiding shown chords ends a blinking chord.
    wheel.SetShowAspects(false);
    EXPECT_EQ(wheel.BlinkStops, 1);

    wheel.SetRelationWheel(&other);
    wheel.SetShowAspects(true);
    EXPECT_FALSE(wheel.ShowAspects());
    wheel.SetShowAspects(false);
    EXPECT_EQ(wheel.BlinkStops, 1);
}

TEST_F(WheelModel, RotationAndOffScreenLayOutAgain) {
    THoroscope h;
    MakeReady(h, 75, SpreadBodies());
    TProbeWheel wheel;
    wheel.LayoutWheel(Rect);
    wheel.SetHoroscope(&h);
    wheel.SetAriesAtLeft(true);
    EXPECT_EQ(wheel.Rotation(), Pi - wheel.Angles().SignAngle[1] + 0.000001L);
    EXPECT_EQ(wheel.LastLayoutRect(), Rect);
    wheel.SetAriesAtLeft(false);
    EXPECT_EQ(wheel.Rotation(), 0);

    wheel.SetOffScreen(true);
    EXPECT_EQ(wheel.LastLayoutRect(), TRectI{});
    EXPECT_TRUE(wheel.LayoutFor(Rect));
    EXPECT_EQ(wheel.Geometry().Signs[1].Outline[0], TPointI{});
    EXPECT_FALSE(wheel.LayoutFor(Rect));
    EXPECT_TRUE(wheel.LayoutFor({0, 0, 300, 300}));
}

TEST_F(WheelModel, AFailedLayoutLeavesNoChordsAndRestoresTheCursor) {
    int shown = 0, restored = 0;
    BusyCursorHooks() = {[&] { ++shown; }, [&] { ++restored; }};
    THoroscope h;
    MakeReady(h, 75, SpreadBodies());
    h.Aspects[0] = {1, 2, 8, 0};
    h.AspectCount = 1;
    TProbeWheel wheel;
    wheel.SetHoroscope(&h);
    ASSERT_EQ(wheel.Geometry().Chords.size(), 1u);
    h.Aspects[0].Point2 = 15; // no such aspect point
    EXPECT_THROW(wheel.LayoutWheel(Rect), EHoroscopeException);
    EXPECT_TRUE(wheel.Geometry().Chords.empty());
    EXPECT_EQ(shown, restored);
    BusyCursorHooks() = {};
}

TEST_F(WheelModel, ReferencesAreDroppedOnBothSides) {
    THoroscope first, second;
    TProbeWheel other;
    {
        TProbeWheel wheel;
        wheel.SetHoroscope(&first);
        wheel.SetHoroscope(&second);
        EXPECT_EQ(first.Wheel(), nullptr);
        EXPECT_EQ(second.Wheel(), &wheel);
        wheel.SetRelationWheel(&other);
        other.SetRelationWheel(&wheel);
    }
    EXPECT_EQ(second.Wheel(), nullptr);
    EXPECT_EQ(other.RelationWheel(), nullptr);

    // A one-way link is dropped as well when its partner goes first, and a partner that is
    // replaced no longer reaches back.
    TProbeWheel outer, replacement;
    {
        TProbeWheel inner;
        outer.SetRelationWheel(&inner);
        outer.SetDualMode(true);
    }
    EXPECT_EQ(outer.RelationWheel(), nullptr);
    {
        TProbeWheel inner;
        outer.SetRelationWheel(&inner);
        outer.SetRelationWheel(&replacement);
    }
    EXPECT_EQ(outer.RelationWheel(), &replacement);
}

} // namespace
