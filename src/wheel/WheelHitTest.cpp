#include "WheelHitTest.h"

#include "Angles.h"

#include <cmath>
#include <cstdlib>

namespace kyr {

bool TWheelSelection::Empty() const {
    return House < 0 && Sign < 0 && Cusp < 0 && Axis < 0 && Aspect < 0 && Bodies.empty();
}

void TWheelSelection::AddBody(int body) {
    if (static_cast<int>(Bodies.size()) < MaxSelectedBodies)
        Bodies.push_back(body);
}

Extended WheelPointAngle(Extended a, Extended b) {
    if (a == 0)
        return b <= 0 ? 3 * HalfPi : 5 * HalfPi;
    const Extended t = std::atan(b / a);
    if (a > 0)
        return t + TwoPi;
    return b <= 0 ? t + Pi : t + 3 * Pi;
}

namespace {

int Diameter(const TRectI &circle) {
    return circle.Right - circle.Left;
}

// Brings a into the turn that starts at first. The rotation of Aries at the left can push
// the press angle past the last boundary as well as below the first.
Extended IntoTurn(Extended a, Extended first) {
    while (a < first)
        a += TwoPi;
    while (a >= first + TwoPi)
        a -= TwoPi;
    return a;
}

// Selects a chord's end point: 13 and 14 are the Ascendant and Midheaven axes.
void SelectAspectPoint(TWheelSelection &selection, int point) {
    if (point == 13)
        selection.Axis = 1;
    else if (point == 14)
        selection.Axis = 4;
    else
        selection.AddBody(point);
}

class THitTester {
public:
    THitTester(const TWheelHitContext &context, int x, int y, TWheelSelection &selection,
               std::vector<TWheelHit> &events)
        : G(*context.Geometry), Angles(*context.Angles), Context(context), X(x), Y(y),
          Selection(selection), Events(events) {}

    bool Zones() {
        const int d = 2 * static_cast<int>(std::trunc(std::hypot(X - G.Centre.X, Y - G.Centre.Y)));
        if (d < Diameter(G.InnermostCircle)) {
            // Without chords the centre is no target at all, not even a miss.
            Silent = !Context.ShowAspects;
            return !Silent && AspectTest();
        }
        if (!G.Dual && d < Diameter(G.MiddleCircle))
            return AxisTest() || HouseTest();
        if (d < Diameter(G.ScaleInnerCircle))
            return BodyTest();
        if (d < Diameter(G.ScaleCircle))
            return HouseTest();
        if (d < Diameter(G.SignCircle))
            return SignTest();
        return AxisTest();
    }

    bool Silent = false;

private:
    void Raise(TWheelHitType type, int ref) { Events.push_back({type, ref}); }

    Extended PressAngle() const {
        return WheelPointAngle(X - G.Centre.X, G.Centre.Y - Y) - G.Rotation;
    }

    bool BodyTest() {
        int best = 0;
        Extended bestDistance = 0;
        if (Context.BodiesShown) {
            for (int b = 1; b <= BodyCount; ++b) {
                const TPointI c = G.Bodies[b].Centre;
                const Extended g = 2 * std::hypot(Extended(X - c.X), Extended(Y - c.Y));
                if (g <= G.FontHeights.BodyGlyph && (best == 0 || g < bestDistance)) {
                    best = b;
                    bestDistance = g;
                }
            }
        }
        if (best > 0) {
            Selection.Bodies = {best};
            Raise(TWheelHitType::htBody, best);
            return true;
        }
        if (Context.Related)
            return false;
        if (AxisTest())
            return true;
        for (int j = 1; j <= 6; ++j) {
            const TWheelLine &line = G.CuspLines[j];
            if (std::abs(line.Distance(X, Y)) < 1.5L) {
                const long dot = long(line.X1 - G.Centre.X) * (X - G.Centre.X) +
                                 long(line.Y1 - G.Centre.Y) * (Y - G.Centre.Y);
                const int cusp = dot > 0 ? j : j + 6;
                Selection.Cusp = cusp;
                Raise(TWheelHitType::htHouseCusp, cusp);
                return true;
            }
        }
        return HouseTest();
    }

    bool AxisTest() {
        if (Context.Related)
            return false;
        bool hit = false;
        for (int k = 1; k <= 4; ++k) {
            if (!(std::abs(G.Axes[k].Distance(X, Y)) < 2.5L))
                continue;
            const bool ownSide = (k == 1 && X < G.Centre.X) || (k == 2 && Y > G.Centre.Y) ||
                                 (k == 3 && X > G.Centre.X) || (k == 4 && Y < G.Centre.Y);
            if (!ownSide)
                continue;
            Selection.Axis = k;
            Raise(TWheelHitType::htAxis, k);
            hit = true;
        }
        return hit;
    }

    bool HouseTest() {
        if (Context.Related)
            return false;
        const auto &c = Angles.CuspAngle;
        const Extended a = IntoTurn(PressAngle(), c[1]);
        for (int j = 1; j <= 12; ++j) {
            if (c[j] <= a && a < c[j + 1]) {
                Selection.House = j;
                Raise(TWheelHitType::htHouse, j);
                return true;
            }
        }
        return false;
    }

    bool SignTest() {
        if (AxisTest())
            return true;
        const auto &s = Angles.SignAngle;
        const Extended a = IntoTurn(PressAngle(), s[1]);
        for (int i = 1; i <= 12; ++i) {
            if (!(s[i] <= a && a < s[i + 1]))
                continue;
            if ((i == 1 && a - s[1] < 0.05L) || (i == 12 && s[13] - a < 0.05L)) {
                Raise(TWheelHitType::htAriesPoint, 0);
                return true;
            }
            if (Context.Related)
                return false;
            Selection.Sign = i;
            Raise(TWheelHitType::htSign, i);
            return true;
        }
        return false;
    }

    bool AspectTest() {
        if (Context.Related)
            return false;
        int best = 0;
        Extended bestDistance = 10000;
        for (std::size_t n = 0; n < G.Chords.size(); ++n) {
            const Extended distance = std::abs(G.Chords[n].Line.Distance(X, Y));
            if (distance < bestDistance) {
                best = static_cast<int>(n) + 1;
                bestDistance = distance;
            }
        }
        if (best == 0 || !(bestDistance < 1.5L))
            return false;
        const TAspectChord &chord = G.Chords[best - 1];
        SelectAspectPoint(Selection, chord.Point1);
        SelectAspectPoint(Selection, chord.Point2);
        Selection.Aspect = best;
        Raise(TWheelHitType::htAspect, best);
        return true;
    }

    const TWheelGeometry &G;
    const TWheelAngles &Angles;
    const TWheelHitContext &Context;
    const int X;
    const int Y;
    TWheelSelection &Selection;
    std::vector<TWheelHit> &Events;
};

} // namespace

TWheelPressResult PressWheel(const TWheelHitContext &context, int x, int y, TWheelPressKind kind,
                             TWheelSelection &selection) {
    TWheelPressResult result;
    // A right click never tests: it only asks for the menu.
    if (kind != TWheelPressKind::RightAlone) {
        THitTester tester(context, x, y, selection, result.Events);
        result.Hit = tester.Zones();
        if (!result.Hit && !tester.Silent && kind == TWheelPressKind::LeftAlone)
            result.Events.push_back({TWheelHitType::htNothing, 0});
    } else {
        result.Events.push_back({TWheelHitType::htRightClick, 0});
    }
    return result;
}

bool SelectWheelItem(TWheelSelection &selection, TWheelHitType kind, int ref, bool showAspects,
                     const std::vector<TAspectChord> &chords) {
    switch (kind) {
    case TWheelHitType::htBody:
        selection.AddBody(ref);
        return true;
    case TWheelHitType::htSign:
        selection.Sign = ref;
        return true;
    case TWheelHitType::htHouse:
        selection.House = ref;
        return true;
    case TWheelHitType::htHouseCusp:
        selection.Cusp = ref;
        return true;
    case TWheelHitType::htAxis:
        selection.Axis = ref;
        return true;
    case TWheelHitType::htAspect: {
        if (!showAspects || ref < 1 || ref > static_cast<int>(chords.size()))
            return false;
        const TAspectChord &chord = chords[ref - 1];
        SelectAspectPoint(selection, chord.Point1);
        SelectAspectPoint(selection, chord.Point2);
        selection.Aspect = ref;
        return true;
    }
    default:
        return false;
    }
}

} // namespace kyr
