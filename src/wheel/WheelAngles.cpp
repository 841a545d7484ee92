#include "WheelAngles.h"

#include "Angles.h"
#include "Horoscope.h"

namespace kyr {

namespace {

void SetSigns(TWheelAngles &angles, Extended first) {
    for (int i = 1; i <= 12; ++i)
        angles.SignAngle[i] = first + (i - 1) * Pi / 6;
    angles.SignAngle[13] = angles.SignAngle[1] + TwoPi;
}

} // namespace

TWheelAngles DefaultWheelAngles() {
    TWheelAngles angles;
    for (int n = 1; n <= BodyCount; ++n)
        angles.BodyOrder[n] = n;
    for (int j = 1; j <= 13; ++j)
        angles.CuspAngle[j] = Pi + (j - 1) * Pi / 6;
    SetSigns(angles, Pi);
    for (int k = 1; k <= 4; ++k)
        angles.AxisAngle[k] = Pi + (k - 1) * HalfPi;
    return angles;
}

TWheelAngles ReadWheelAngles(const THoroscope &horoscope) {
    TWheelAngles angles = DefaultWheelAngles();
    const Extended ascendant = horoscope.Cusp(1);
    const Extended toWheel = Pi - ascendant;
    for (int b = 1; b <= BodyCount; ++b) {
        const Extended degrees = horoscope.PositionDeg(b);
        angles.BodyDegree[b] = degrees - 30 * Trunc(degrees / 30);
        angles.BodyAngle[b] = horoscope.Position(b) + toWheel;
        // An order that is not a body index keeps the default, so the layout never
        // indexes outside the body records.
        const int body = horoscope.BodyAtRank(b);
        if (body >= 1 && body <= BodyCount)
            angles.BodyOrder[b] = body;
    }
    // Cusps after 0 degrees of the sequence come out below their predecessor; one turn
    // more keeps C[1..13] ascending from pi to 3 pi, as the house test expects.
    for (int j = 1; j <= 13; ++j) {
        angles.CuspAngle[j] = horoscope.Cusp(j) + toWheel;
        if (j > 1 && angles.CuspAngle[j - 1] > angles.CuspAngle[j])
            angles.CuspAngle[j] += TwoPi;
    }
    SetSigns(angles, TwoPi - ascendant + Pi);
    // Equal cusps 4 and 10 lie square to the Ascendant, off the meridian: the meridian axis
    // is drawn through the true MC and IC.
    if (horoscope.HouseSystem() == HouseEqual) {
        angles.AxisAngle[4] = horoscope.Position(PointMC) + toWheel;
        angles.AxisAngle[2] = angles.AxisAngle[4] + Pi;
    } else {
        angles.AxisAngle[2] = angles.CuspAngle[4];
        angles.AxisAngle[4] = angles.CuspAngle[10];
    }
    return angles;
}

bool HoroscopeReady(const THoroscope *horoscope) {
    return horoscope && horoscope->Active() && horoscope->FileAvailable();
}

Extended ScaleStart(const TWheelAngles &angles) {
    return angles.SignAngle[1] - Pi;
}

} // namespace kyr
