// Presses on the widget: the events they raise, the blinking highlight they start and stop,
// and SelectItem, the highlight's programmatic counterpart.
#include "WheelRenderHelpers.h"

#include <QTest>

using namespace kyr;
using namespace kyr::test;

namespace {

constexpr int Side = 400;
using H = TWheelHitType;

class WheelHighlight : public WheelRendering {
protected:
    void SetUp() override {
        WheelRendering::SetUp();
        MakeChart(Horoscope);
        Wheel.resize(Side, Side);
        Wheel.SetHoroscope(&Horoscope);
        Wheel.OnMouseHit = [this](TWheel &sender, H type, int ref) {
            EXPECT_EQ(&sender, &Wheel);
            Events.push_back({type, ref});
        };
        Wheel.show();
        // The points below are read from the geometry of the shown size.
        Wheel.LayoutFor({0, 0, Side, Side});
    }

    void Click(QPoint p, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QTest::mouseClick(&Wheel, button, keys, p);
    }
    QPoint BodyCentre(int b) const {
        const TPointI c = Wheel.Geometry().Bodies[b].Centre;
        return {c.X, c.Y};
    }

    THoroscope Horoscope;
    TWheel Wheel;
    std::vector<TWheelHit> Events;
};

TEST_F(WheelHighlight, ClickOnABodyBlinksItUntilTheNextPress) {
    const QPoint sun = BodyCentre(1);
    const QImage before = Wheel.grab().toImage();
    EXPECT_FALSE(NearBlack(DarkestAround(before, sun))) << Describe(DarkestAround(before, sun));

    Click(sun);
    EXPECT_EQ(Events, (std::vector<TWheelHit>{{H::htBody, 1}}));
    EXPECT_TRUE(Wheel.Blinking());
    EXPECT_TRUE(Wheel.BlinkPhase());
    EXPECT_EQ(Wheel.Selection().Bodies, std::vector<int>{1});
    EXPECT_EQ(Wheel.MouseX(), sun.x());
    EXPECT_EQ(Wheel.MouseY(), sun.y());
    const QImage lit = Wheel.grab().toImage();
    EXPECT_TRUE(NearBlack(DarkestAround(lit, sun))) << Describe(DarkestAround(lit, sun));

    // The next phase writes the glyph white over the blue one: only its smoothed rim stays.
    QTest::qWait(600);
    EXPECT_FALSE(Wheel.BlinkPhase());
    const QImage dark = Wheel.grab().toImage();
    EXPECT_FALSE(NearBlack(DarkestAround(dark, sun)));
    const auto blue = [](QRgb c) { return SameColour(c, 0, 0, 255, 40); };
    EXPECT_LT(InkCount(dark, sun, 8, blue) * 3, InkCount(before, sun, 8, blue));

    // A press at the centre of a wheel without chords raises nothing but ends the blinking.
    Events.clear();
    Click({Side / 2, Side / 2});
    EXPECT_TRUE(Events.empty());
    EXPECT_FALSE(Wheel.Blinking());
    EXPECT_TRUE(Wheel.Selection().Empty());
    EXPECT_EQ(Wheel.grab().toImage(), before);
}

struct TPressCase {
    const char *Name;
    std::function<QPoint(const TWheel &)> Point;
    Qt::MouseButton Button;
    Qt::KeyboardModifiers Keys;
    std::vector<TWheelHit> Events;
    bool Blinks;
};

TEST_F(WheelHighlight, PressesByButtonAndKeys) {
    const auto sign = [](const TWheel &w) {
        return PolarPixel(w.Geometry(), FixedSignStart(4) + 15, 0.89);
    };
    const auto outside = [](const TWheel &w) { return PolarPixel(w.Geometry(), 45, 0.98); };
    const TPressCase cases[] = {
        {"sign", sign, Qt::LeftButton, Qt::NoModifier, {{H::htSign, 4}}, true},
        {"sign with Shift", sign, Qt::LeftButton, Qt::ShiftModifier, {{H::htSign, 4}}, true},
        {"right click on a sign",
         sign,
         Qt::RightButton,
         Qt::NoModifier,
         {{H::htRightClick, 0}},
         false},
        {"outside", outside, Qt::LeftButton, Qt::NoModifier, {{H::htNothing, 0}}, false},
        {"outside with Ctrl", outside, Qt::LeftButton, Qt::ControlModifier, {}, false},
        {"middle button outside", outside, Qt::MiddleButton, Qt::NoModifier, {}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        Events.clear();
        Click(c.Point(Wheel), c.Button, c.Keys);
        EXPECT_EQ(Events, c.Events);
        EXPECT_EQ(Wheel.Blinking(), c.Blinks);
        Wheel.SetBlinking(false);
    }

    // Nobody listening: no hit test and no highlight.
    Wheel.OnMouseHit = nullptr;
    Click(sign(Wheel));
    EXPECT_FALSE(Wheel.Blinking());
    EXPECT_EQ(Wheel.SelectedSign(), -1);
}

TEST_F(WheelHighlight, AspectChordClickHighlightsItsBodies) {
    Wheel.SetShowAspects(true);
    const TSegmentI &chord = Wheel.Geometry().Chords.at(1).Line;
    Click({(chord.X1 + chord.X2) / 2, (chord.Y1 + chord.Y2) / 2});
    EXPECT_EQ(Events, (std::vector<TWheelHit>{{H::htAspect, 2}}));
    EXPECT_EQ(Wheel.Selection().Aspect, 2);
    EXPECT_EQ(Wheel.Selection().Bodies, (std::vector<int>{1, 6}));
    // Hiding the chords ends their highlight.
    Wheel.SetShowAspects(false);
    EXPECT_FALSE(Wheel.Blinking());
}

TEST_F(WheelHighlight, SelectItem) {
    Wheel.SelectItem(true, H::htSign, 3);
    EXPECT_TRUE(Wheel.Blinking());
    EXPECT_EQ(Wheel.SelectedSign(), 3);
    Wheel.SelectItem(false, H::htBody, 2);
    Wheel.SelectItem(false, H::htBody, 5);
    EXPECT_EQ(Wheel.SelectedSign(), 3);
    EXPECT_EQ(Wheel.Selection().Bodies, (std::vector<int>{2, 5}));
    // Appending a body restarts the phase in the normal look.
    EXPECT_FALSE(Wheel.BlinkPhase());

    Wheel.SelectItem(true, H::htHouse, 4);
    EXPECT_EQ(Wheel.SelectedSign(), -1);
    EXPECT_TRUE(Wheel.Selection().Bodies.empty());
    EXPECT_EQ(Wheel.Selection().House, 4);
    EXPECT_TRUE(Wheel.BlinkPhase());

    // Chords are not shown: nothing is selected and nothing blinks.
    Wheel.SelectItem(true, H::htAspect, 1);
    EXPECT_FALSE(Wheel.Blinking());
    Wheel.SelectItem(true, H::htNothing, 0);
    EXPECT_FALSE(Wheel.Blinking());

    // A new calculation ends the highlight.
    Wheel.SelectItem(true, H::htAxis, 1);
    ASSERT_TRUE(Wheel.Blinking());
    Wheel.HoroscopeChanged();
    EXPECT_FALSE(Wheel.Blinking());
    EXPECT_EQ(Wheel.Selection().Axis, -1);
}

TEST_F(WheelHighlight, ChartAtPointInTheDualLayout) {
    THoroscope partner;
    MakeChart(partner);
    TWheel inner;
    inner.SetHoroscope(&partner);
    const QPoint near = PolarPixel(Wheel.Geometry(), 30, 0.3);
    const QPoint far = PolarPixel(Wheel.Geometry(), 30, 0.7);
    EXPECT_EQ(Wheel.ChartAtPoint(near.x(), near.y()), 1);
    Wheel.SetRelationWheel(&inner);
    Wheel.SetDualMode(true);
    EXPECT_EQ(Wheel.ChartAtPoint(near.x(), near.y()), 2);
    EXPECT_EQ(Wheel.ChartAtPoint(far.x(), far.y()), 1);
    // The partner's bodies are no targets, and the linked wheel's own ring says nothing.
    Click(PolarPixel(Wheel.Geometry(), FixedSignStart(4) + 15, 0.89));
    EXPECT_EQ(Events, (std::vector<TWheelHit>{{H::htNothing, 0}}));
    Wheel.SetDualMode(false);
    Wheel.SetRelationWheel(nullptr);
}

} // namespace
