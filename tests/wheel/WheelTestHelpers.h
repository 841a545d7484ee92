// Charts set by hand and the polar reading of laid-out pixels, shared by the wheel tests.
#pragma once

#include "Angles.h"
#include "Horoscope.h"
#include "WheelGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace kyr::test {

/// Longitudes in degrees of cusps 1..12 or bodies 1..12.
using TTwelve = std::array<Extended, 12>;

/// Cusps in degrees; cusp 13 repeats cusp 1 as the chart stores it.
inline void SetCusps(THoroscope &h, const TTwelve &degrees) {
    for (int j = 1; j <= 12; ++j)
        h.CuspTable[j] = DegToRad(degrees[j - 1]);
    h.CuspTable[0] = h.CuspTable[12];
    h.CuspTable[13] = h.CuspTable[1];
}

/// Equal 30-degree houses from the Ascendant.
inline TTwelve EqualCusps(Extended ascendant) {
    TTwelve cusps{};
    for (int j = 0; j < 12; ++j)
        cusps[j] = std::fmod(ascendant + 30 * j, 360);
    return cusps;
}

/// Bodies in degrees, with their order by longitude.
inline void SetBodies(THoroscope &h, const TTwelve &degrees) {
    std::array<int, 12> order{};
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return degrees[a - 1] < degrees[b - 1]; });
    for (int b = 1; b <= 12; ++b) {
        h.Positions[b] = DegToRad(degrees[b - 1]);
        h.BodyOrder[b] = static_cast<std::int16_t>(order[b - 1]);
    }
    h.BodyOrder[13] = h.BodyOrder[1];
}

/// Twelve bodies far apart (20 degrees and more), starting at first.
inline TTwelve SpreadBodies(Extended first = 5) {
    TTwelve bodies{};
    for (int b = 0; b < 12; ++b)
        bodies[b] = std::fmod(first + 29 * b, 360);
    return bodies;
}

struct TPolar {
    Extended Radius; ///< fraction of the fitted square's half side
    Extended Angle;  ///< wheel angle, counter-clockwise from 3 o'clock
};

/// Where a laid-out pixel lies, read back from the centre of the fitted square.
inline TPolar PolarOf(const TRectI &square, TPointI centre, TPointI p) {
    const Extended half = (square.Right - square.Left) / 2.0L;
    const Extended dx = p.X - centre.X;
    const Extended dy = centre.Y - p.Y;
    return {std::hypot(dx, dy) / half, std::atan2(dy, dx)};
}
inline TPolar PolarOf(const TWheelGeometry &g, TPointI p) {
    return PolarOf(g.Square, g.Centre, p);
}
inline TPolar PolarOf(const TWheelFrame &f, TPointI p) {
    return PolarOf(f.Square(), f.Centre(), p);
}

/// a - b reduced to (-pi, pi].
inline Extended AngleGap(Extended a, Extended b) {
    return std::remainder(a - b, TwoPi);
}

/// Wheel angle (without rotation) of longitude lambda degrees in a chart whose Ascendant
/// is ascendant degrees.
inline Extended WheelAngleOf(Extended lambda, Extended ascendant) {
    return DegToRad(lambda) + Pi - DegToRad(ascendant);
}

} // namespace kyr::test
