#include "MomentAngles.h"

#include "Angles.h"

#include <cmath>

namespace kyr {

Extended ObliquityAt(Extended T) { return 0.40932L - 0.00022714L * T; }

TMomentAngles ComputeMomentAngles(int dayNumber, Extended ut, Extended latitude,
                                  Extended longitude) {
    TMomentAngles m;
    m.T = (dayNumber + ut / 24) / DaysPerCentury;
    Obliquity = ObliquityAt(m.T);
    const Extended eastLongitude = DegToRad(DmsToDegrees(-longitude));
    m.LST = NormalizeAngle(eastLongitude + 1.74846L + TwoPi * SiderealRate * DaysPerCentury * m.T);
    const Extended phi = DegToRad(DmsToDegrees(latitude));
    m.Polar = std::fabs(phi) + Obliquity >= HalfPi;
    return m;
}

} // namespace kyr
