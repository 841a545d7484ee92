// The wheel's stored angle sets: a horoscope's longitudes turned into wheel angles with the
// Ascendant at the left (the rotation R is added only at layout time).
#pragma once

#include "ChartTypes.h"

#include <array>

namespace kyr {

class THoroscope;

/// All arrays are indexed from 1 as in the chart; entry 0 is unused.
struct TWheelAngles {
    std::array<Extended, BodyCount + 1> BodyAngle{};  ///< B[1..12]
    std::array<Extended, BodyCount + 1> BodyDegree{}; ///< D[1..12], D.MM within the sign
    std::array<int, BodyCount + 1> BodyOrder{};       ///< O[1..12], body indices by longitude
    std::array<Extended, 14> CuspAngle{};             ///< C[1..13], ascending from pi to 3 pi
    std::array<Extended, 14> SignAngle{};             ///< S[1..13], S[1] is 0 degrees Aries
    std::array<Extended, 5> AxisAngle{};              ///< X[1..4]: ASC, IC, DSC, MC
};

/// The frame without a chart: Aries from the left, equal houses, horizontal and vertical axes.
TWheelAngles DefaultWheelAngles();

/// The sets of a horoscope's current positions and cusps; whether the horoscope is ready
/// is the caller's question.
TWheelAngles ReadWheelAngles(const THoroscope &horoscope);

/// Assigned, active and with positions: only then does the wheel show the chart.
bool HoroscopeReady(const THoroscope *horoscope);

/// T = 2 pi - ASC, where the degree scale starts. It is taken from the sign set rather than
/// from the horoscope, so that the ticks stay on the signs shown when the chart is not ready.
Extended ScaleStart(const TWheelAngles &angles);

} // namespace kyr
