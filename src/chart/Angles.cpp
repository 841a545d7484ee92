#include "Angles.h"

#include <cmath>
#include <cstdio>

namespace kyr {

Extended Obliquity = 0.409209L;

Extended Int(Extended x) { return std::trunc(x); }

Extended Frac(Extended x) { return x - std::trunc(x); }

long long Trunc(Extended x) { return static_cast<long long>(x); }

long long Round(Extended x) { return std::llrint(x); }

Extended HmToHours(Extended x) { return Int(x) + Frac(x) / 0.6L; }

Extended HoursToHm(Extended h) { return Int(h) + Frac(h) * 0.6L; }

Extended DmsToDegrees(Extended x) {
    const Extended a = std::fabs(x);
    const Extended magnitude =
        a * (100.0L / 36.0L) - Int(a) * (2.0L / 3.0L) - Int(100 * a + DmsEpsilon) / 90;
    return SignOf(x) * magnitude;
}

Extended DegreesToDms(Extended d) {
    return Int(4000 * Int(d) + 3600 * d + 40 * Int(60 * d) + 1.0L / 7200) / 10000;
}

Extended DegToRad(Extended d) { return d * DegToRadFactor; }

Extended RadToDeg(Extended r) { return r / DegToRadFactor; }

Extended SafeTan(Extended x) {
    const Extended c = std::cos(x);
    return c == 0 ? 0 : std::sin(x) / c;
}

int SignOf(Extended x) { return (x > 0) - (x < 0); }

Extended VectorAngle(Extended x, Extended y) {
    if (y == 0)
        return x >= 0 ? 0 : Pi;
    return std::atan(-x / y) + HalfPi + (y < 0 ? Pi : 0);
}

Extended CheckedSqrt(Extended x) {
    if (x < 0 || std::isnan(x))
        throw EInvalidOp("Invalid floating point operation");
    return std::sqrt(x);
}

Extended ArcSin(Extended x) {
    const Extended root = CheckedSqrt(1 - x * x);
    if (root == 0)
        return x > 0 ? HalfPi : -HalfPi;
    return std::atan(x / root);
}

Extended ArcCos(Extended x) { return HalfPi - ArcSin(x); }

Extended WrapOnce(Extended x) { return x + TwoPi * ((x < 0) - (x > TwoPi)); }

Extended NormalizeAngle(Extended x) { return WrapOnce(x - Trunc(x / TwoPi) * TwoPi); }

Extended ReduceHalfTurn(Extended x) { return std::fabs(x - Trunc(x / Pi) * Pi); }

Extended EquatorialToEcliptic(Extended a) {
    return VectorAngle(std::cos(a), std::sin(a) / std::cos(Obliquity));
}

void SplitSign(Extended x, int &sign, Extended &rest) {
    sign = static_cast<int>(Trunc(x) / 30);
    rest = x - 30 * sign;
}

std::string FormatHundredths(Extended x) {
    char text[64];
    std::snprintf(text, sizeof text, "%4.2Lf", static_cast<Extended>(Trunc(100 * x)) / 100);
    return text;
}

} // namespace kyr
