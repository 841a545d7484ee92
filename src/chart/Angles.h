// Angle and number helpers shared by the whole chart computation.
#pragma once

#include "ChartTypes.h"

#include <numbers>
#include <stdexcept>
#include <string>

namespace kyr {

constexpr Extended Pi = std::numbers::pi_v<long double>;
constexpr Extended HalfPi = Pi / 2;
constexpr Extended TwoPi = 2 * Pi;
// The conversion factor is this literal, not pi/180: stored charts were made with it.
constexpr Extended DegToRadFactor = 0.0174532925L;
constexpr Extended SiderealRate = 1.00273790929331152L;
constexpr Extended DaysPerCentury = 36525;
constexpr Extended DmsEpsilon = 0.00004L;

// Current obliquity of the ecliptic in radians; every ComputeMomentAngles overwrites it.
extern Extended Obliquity;

// Raised where a square root or arcsine is taken outside its domain.
class EInvalidOp : public std::domain_error {
public:
    using std::domain_error::domain_error;
};

/// Truncates toward zero, keeping the float type.
Extended Int(Extended x);
/// x - Int(x).
Extended Frac(Extended x);
/// Truncates toward zero to a 64-bit integer.
long long Trunc(Extended x);
/// Rounds to nearest, ties to even.
long long Round(Extended x);

/// H.MM clock value to decimal hours.
Extended HmToHours(Extended x);
/// Decimal hours to H.MM (no rounding).
Extended HoursToHm(Extended h);
/// D.MMSS sexagesimal value to decimal degrees.
Extended DmsToDegrees(Extended x);
/// Decimal degrees to D.MMSS, whole seconds truncated.
Extended DegreesToDms(Extended d);
Extended DegToRad(Extended d);
Extended RadToDeg(Extended r);
/// sin x / cos x, 0 where the cosine is exactly zero.
Extended SafeTan(Extended x);
int SignOf(Extended x);
/// Direction of the vector (x, y) in [0, 2pi); x is the cosine-like component.
Extended VectorAngle(Extended x, Extended y);
/// Square root that raises EInvalidOp for a negative argument.
Extended CheckedSqrt(Extended x);
/// Arcsine through the arctangent; +-pi/2 at +-1, EInvalidOp beyond.
Extended ArcSin(Extended x);
Extended ArcCos(Extended x);
/// Brings x one turn back into [0, 2pi].
Extended WrapOnce(Extended x);
/// x reduced to [0, 2pi].
Extended NormalizeAngle(Extended x);
/// |x| reduced by whole half turns.
Extended ReduceHalfTurn(Extended x);
/// Ecliptic longitude on the hour circle of right ascension a, at the current Obliquity.
Extended EquatorialToEcliptic(Extended a);
/// Splits degrees x >= 0 into the sign number and the degrees within the sign.
void SplitSign(Extended x, int &sign, Extended &rest);
/// Trunc(100 x) / 100 as "%4.2f": truncated, not rounded.
std::string FormatHundredths(Extended x);

} // namespace kyr
