// The hit test over a hand-set chart: each zone raises its own hit for a press on its item,
// and misses raise nothing or only htNothing, as the press kind says.
#include "WheelHitTest.h"
#include "WheelTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

using namespace kyr;
using namespace kyr::test;

namespace {

constexpr TRectI Rect{0, 0, 400, 400};
constexpr Extended Ascendant = 100;
using H = TWheelHitType;

// Equal houses from 100 degrees, bodies 29 degrees apart from 5 degrees (all on the outer
// level), and three aspects: bodies 1-4 (chord 1), body 2 to the Midheaven (chord 2) and
// body 7 to the Ascendant (chord 3).
struct TChart {
    THoroscope Horoscope;
    TWheelAngles Angles;
    TWheelGeometry Geometry;
    TWheelFrame Frame;

    explicit TChart(bool ariesAtLeft = false, bool dual = false) : Frame(FittedSquare(Rect)) {
        SetCusps(Horoscope, EqualCusps(Ascendant));
        SetBodies(Horoscope, SpreadBodies(5));
        Horoscope.AspectCount = 0;
        Horoscope.Aspects[Horoscope.AspectCount++] = {1, 4, 6, 0};
        Horoscope.Aspects[Horoscope.AspectCount++] = {2, 14, 8, 0};
        Horoscope.Aspects[Horoscope.AspectCount++] = {7, 13, 4, 0};
        Angles = ReadWheelAngles(Horoscope);
        TWheelLayoutInput input;
        input.Rect = Rect;
        input.Angles = &Angles;
        input.PartnerAngles = dual ? &Angles : nullptr;
        input.DualMode = dual;
        input.AriesAtLeft = ariesAtLeft;
        Geometry = LayoutWheelGeometry(input);
        Geometry.Chords =
            LayoutAspectChords(Horoscope, Frame, Geometry.Rotation, WheelRadii(dual).Innermost);
    }

    /// The pixel at longitude lambda degrees and radius r, as drawn.
    TPointI At(Extended lambda, Extended r) const {
        return Frame.Polar(WheelAngleOf(lambda, Ascendant) + Geometry.Rotation, r);
    }
};

TPointI Midpoint(const TSegmentI &s) {
    return {(s.X1 + s.X2) / 2, (s.Y1 + s.Y2) / 2};
}

struct TPress {
    TWheelPressResult Result;
    TWheelSelection Selection;
};

TPress Press(const TChart &chart, TPointI p, TWheelPressKind kind = TWheelPressKind::LeftAlone,
             bool showAspects = true, bool related = false) {
    TWheelHitContext context;
    context.Geometry = &chart.Geometry;
    context.Angles = &chart.Angles;
    context.ShowAspects = showAspects;
    context.Related = related;
    context.BodiesShown = true;
    TPress press;
    press.Result = PressWheel(context, p.X, p.Y, kind, press.Selection);
    return press;
}

struct THitCase {
    const char *Name;
    std::function<TPointI(const TChart &)> Point;
    std::vector<TWheelHit> Events;
    std::function<bool(const TWheelSelection &)> Selected;
};

TEST(WheelHitTest, EachZoneRaisesItsHit) {
    const TChart chart;
    const auto &g = chart.Geometry;
    const THitCase cases[] = {
        {"body glyph centre",
         [](const TChart &c) { return c.Geometry.Bodies[3].Centre; },
         {{H::htBody, 3}},
         [](const TWheelSelection &s) { return s.Bodies == std::vector<int>{3}; }},
        {"body glyph edge",
         [](const TChart &c) {
             const TPointI p = c.Geometry.Bodies[9].Centre;
             return TPointI{p.X + c.Geometry.FontHeights.BodyGlyph / 2, p.Y};
         },
         {{H::htBody, 9}},
         [](const TWheelSelection &s) { return s.Bodies == std::vector<int>{9}; }},
        {"sign ring",
         [](const TChart &c) { return c.At(105, 0.89L); },
         {{H::htSign, 4}},
         [](const TWheelSelection &s) { return s.Sign == 4; }},
        {"sign ring just after Aries",
         [](const TChart &c) { return c.At(2, 0.89L); },
         {{H::htAriesPoint, 0}},
         [](const TWheelSelection &s) { return s.Empty(); }},
        {"sign ring just before Aries",
         [](const TChart &c) { return c.At(358, 0.89L); },
         {{H::htAriesPoint, 0}},
         [](const TWheelSelection &s) { return s.Empty(); }},
        {"degree scale",
         [](const TChart &c) { return c.At(Ascendant + 125, 0.815L); },
         {{H::htHouse, 5}},
         [](const TWheelSelection &s) { return s.House == 5; }},
        {"house-number ring",
         [](const TChart &c) { return c.At(Ascendant + 45, 0.425L); },
         {{H::htHouse, 2}},
         [](const TWheelSelection &s) { return s.House == 2; }},
        {"body ring between glyphs",
         [](const TChart &c) { return c.At(Ascendant + 195, 0.6L); },
         {{H::htHouse, 7}},
         [](const TWheelSelection &s) { return s.House == 7; }},
        {"cusp 2 in the body ring",
         [](const TChart &c) { return c.At(Ascendant + 30, 0.5L); },
         {{H::htHouseCusp, 2}},
         [](const TWheelSelection &s) { return s.Cusp == 2; }},
        {"cusp 8 in the body ring",
         [](const TChart &c) { return c.At(Ascendant + 210, 0.5L); },
         {{H::htHouseCusp, 8}},
         [](const TWheelSelection &s) { return s.Cusp == 8; }},
        {"Ascendant axis in the body ring",
         [](const TChart &c) { return c.At(Ascendant, 0.6L); },
         {{H::htAxis, 1}},
         [](const TWheelSelection &s) { return s.Axis == 1; }},
        {"Midheaven axis in the sign ring",
         [](const TChart &c) { return c.At(Ascendant + 270, 0.89L); },
         {{H::htAxis, 4}},
         [](const TWheelSelection &s) { return s.Axis == 4; }},
        {"outside, 2 px off the Ascendant axis",
         [](const TChart &c) {
             return TPointI{c.Geometry.Centre.X - 196, c.Geometry.Centre.Y + 2};
         },
         {{H::htAxis, 1}},
         [](const TWheelSelection &s) { return s.Axis == 1; }},
        {"outside, 2 px off the Descendant axis",
         [](const TChart &c) {
             return TPointI{c.Geometry.Centre.X + 196, c.Geometry.Centre.Y - 2};
         },
         {{H::htAxis, 3}},
         [](const TWheelSelection &s) { return s.Axis == 3; }},
        {"chord between two bodies",
         [](const TChart &c) { return Midpoint(c.Geometry.Chords[0].Line); },
         {{H::htAspect, 1}},
         [](const TWheelSelection &s) {
             return s.Aspect == 1 && s.Bodies == std::vector<int>{1, 4} && s.Axis == -1;
         }},
        {"chord to the Midheaven",
         [](const TChart &c) { return Midpoint(c.Geometry.Chords[1].Line); },
         {{H::htAspect, 2}},
         [](const TWheelSelection &s) {
             return s.Aspect == 2 && s.Bodies == std::vector<int>{2} && s.Axis == 4;
         }},
        {"chord to the Ascendant",
         [](const TChart &c) { return Midpoint(c.Geometry.Chords[2].Line); },
         {{H::htAspect, 3}},
         [](const TWheelSelection &s) {
             return s.Aspect == 3 && s.Bodies == std::vector<int>{7} && s.Axis == 1;
         }},
    };
    ASSERT_EQ(g.Chords.size(), 3u);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        const TPress press = Press(chart, c.Point(chart));
        EXPECT_TRUE(press.Result.Hit);
        EXPECT_EQ(press.Result.Events, c.Events);
        EXPECT_TRUE(c.Selected(press.Selection));
    }
}

struct TMissCase {
    const char *Name;
    std::function<TPointI(const TChart &)> Point;
    TWheelPressKind Kind;
    bool ShowAspects;
    std::vector<TWheelHit> Events;
};

TEST(WheelHitTest, MissesAndOtherPresses) {
    const TChart chart;
    const auto centre = [](const TChart &c) { return c.Geometry.Centre; };
    const auto outside = [](const TChart &c) { return c.At(Ascendant + 45, 0.98L); };
    const auto sign = [](const TChart &c) { return c.At(105, 0.89L); };
    const TMissCase cases[] = {
        {"plain left click beside the chords",
         centre,
         TWheelPressKind::LeftAlone,
         true,
         {{H::htNothing, 0}}},
        {"left click with a key held beside the chords", centre, TWheelPressKind::Other, true, {}},
        {"outside the wheel, off the axes",
         outside,
         TWheelPressKind::LeftAlone,
         true,
         {{H::htNothing, 0}}},
        {"the centre without chords", centre, TWheelPressKind::LeftAlone, false, {}},
        {"right click on a sign", sign, TWheelPressKind::RightAlone, true, {{H::htRightClick, 0}}},
        {"right click at the centre without chords",
         centre,
         TWheelPressKind::RightAlone,
         false,
         {{H::htRightClick, 0}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        const TPress press = Press(chart, c.Point(chart), c.Kind, c.ShowAspects);
        EXPECT_FALSE(press.Result.Hit);
        EXPECT_EQ(press.Result.Events, c.Events);
        EXPECT_TRUE(press.Selection.Empty());
    }
    // A left click with a key held still selects what it hits.
    const TPress held = Press(chart, sign(chart), TWheelPressKind::Other);
    EXPECT_EQ(held.Result.Events, (std::vector<TWheelHit>{{H::htSign, 4}}));
}

TEST(WheelHitTest, BodyGlyphReachAndTies) {
    TChart chart;
    auto &g = chart.Geometry;
    const int half = g.FontHeights.BodyGlyph / 2;
    ASSERT_GT(half, 4);
    // A press one pixel beyond half the glyph height is no body hit.
    const TPointI c = g.Bodies[5].Centre;
    const TPress beyond = Press(chart, {c.X, c.Y + half + 1});
    ASSERT_FALSE(beyond.Result.Events.empty());
    EXPECT_NE(beyond.Result.Events.front().Type, H::htBody);

    // Two glyphs at the same distance: the lower body index wins, whichever lies where.
    g.Bodies[8].Centre = {c.X + 4, c.Y};
    g.Bodies[5].Centre = {c.X - 4, c.Y};
    EXPECT_EQ(Press(chart, c).Result.Events, (std::vector<TWheelHit>{{H::htBody, 5}}));
    std::swap(g.Bodies[8].Centre, g.Bodies[5].Centre);
    EXPECT_EQ(Press(chart, c).Result.Events, (std::vector<TWheelHit>{{H::htBody, 5}}));
    // Otherwise the nearer one.
    g.Bodies[8].Centre = {c.X + 3, c.Y};
    EXPECT_EQ(Press(chart, c).Result.Events, (std::vector<TWheelHit>{{H::htBody, 8}}));
}

TEST(WheelHitTest, AriesAtLeftStillFindsHousesAndSignsAsDrawn) {
    const TChart chart(true);
    ASSERT_NE(chart.Geometry.Rotation, 0);
    struct TCase {
        Extended Lambda;
        Extended Radius;
        TWheelHit Hit;
    } cases[] = {
        {Ascendant + 15, 0.425L, {H::htHouse, 1}},
        {Ascendant + 345, 0.815L, {H::htHouse, 12}},
        {Ascendant + 165, 0.6L, {H::htHouse, 6}},
        {15, 0.89L, {H::htSign, 1}},
        {345, 0.89L, {H::htSign, 12}},
        {1, 0.89L, {H::htAriesPoint, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.Lambda << " at " << c.Radius);
        EXPECT_EQ(Press(chart, chart.At(c.Lambda, c.Radius)).Result.Events,
                  std::vector<TWheelHit>{c.Hit});
    }
}

TEST(WheelHitTest, LinkedWheelHitsOnlyBodiesAndTheAriesPoint) {
    const TChart chart(false, true);
    struct TCase {
        const char *Name;
        TPointI Point;
        std::vector<TWheelHit> Events;
    } cases[] = {
        {"body", chart.Geometry.Bodies[6].Centre, {{H::htBody, 6}}},
        {"Aries point", chart.At(1, 0.89L), {{H::htAriesPoint, 0}}},
        {"sign", chart.At(105, 0.89L), {{H::htNothing, 0}}},
        {"degree scale", chart.At(Ascendant + 125, 0.815L), {{H::htNothing, 0}}},
        {"Ascendant axis outside",
         {chart.Geometry.Centre.X - 196, chart.Geometry.Centre.Y},
         {{H::htNothing, 0}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Press(chart, c.Point, TWheelPressKind::LeftAlone, false, true).Result.Events,
                  c.Events);
    }
}

TEST(WheelHitTest, PointAngleCoversOneTurnFromPi) {
    struct TCase {
        Extended A, B, Angle;
    } cases[] = {
        {-1, 0, Pi},          {0, -1, 3 * HalfPi},  {1, 0, TwoPi},
        {0, 1, 5 * HalfPi},   {-1, 1, 11 * Pi / 4}, {1, 1, 9 * Pi / 4},
        {-1, -1, 5 * Pi / 4}, {1, -1, 7 * Pi / 4},  {0, 0, 3 * HalfPi},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(WheelPointAngle(c.A, c.B), c.Angle, 1e-12) << c.A << ", " << c.B;
}

TEST(WheelSelectItem, KindsAndLimits) {
    const TChart chart;
    const auto &chords = chart.Geometry.Chords;
    TWheelSelection s;
    EXPECT_TRUE(SelectWheelItem(s, H::htSign, 3, true, chords));
    EXPECT_TRUE(SelectWheelItem(s, H::htHouse, 4, true, chords));
    EXPECT_TRUE(SelectWheelItem(s, H::htHouseCusp, 5, true, chords));
    EXPECT_TRUE(SelectWheelItem(s, H::htAxis, 2, true, chords));
    EXPECT_TRUE(SelectWheelItem(s, H::htBody, 9, true, chords));
    EXPECT_EQ(s.Sign, 3);
    EXPECT_EQ(s.House, 4);
    EXPECT_EQ(s.Cusp, 5);
    EXPECT_EQ(s.Axis, 2);
    EXPECT_EQ(s.Bodies, std::vector<int>{9});

    // Chords only while shown; their points join the highlight.
    EXPECT_FALSE(SelectWheelItem(s, H::htAspect, 3, false, chords));
    EXPECT_EQ(s.Aspect, -1);
    EXPECT_FALSE(SelectWheelItem(s, H::htAspect, 4, true, chords));
    EXPECT_TRUE(SelectWheelItem(s, H::htAspect, 3, true, chords));
    EXPECT_EQ(s.Aspect, 3);
    EXPECT_EQ(s.Axis, 1);
    EXPECT_EQ(s.Bodies, (std::vector<int>{9, 7}));

    for (const H other : {H::htAriesPoint, H::htNothing, H::htRightClick})
        EXPECT_FALSE(SelectWheelItem(s, other, 1, true, chords));

    for (int n = 0; n < 20; ++n)
        SelectWheelItem(s, H::htBody, 1, true, chords);
    EXPECT_EQ(s.Bodies.size(), std::size_t(MaxSelectedBodies));
}

} // namespace
