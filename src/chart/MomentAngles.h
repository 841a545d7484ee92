// Time in centuries, obliquity and local sidereal time of a moment.
#pragma once

#include "ChartTypes.h"

namespace kyr {

struct TMomentAngles {
    Extended T = 0;    ///< Julian centuries since 1 January 1900, 0 h UT
    Extended LST = 0;  ///< local sidereal time (RAMC), radians in [0, 2pi]
    bool Polar = false; ///< the place lies within a polar circle
};

/// Mean obliquity of the ecliptic, radians, at T Julian centuries since 1900.
Extended ObliquityAt(Extended T);

/// Computes the moment angles and stores the mean obliquity in Obliquity.
/// latitude and longitude are D.MMSS, longitude west positive.
TMomentAngles ComputeMomentAngles(int dayNumber, Extended ut, Extended latitude,
                                  Extended longitude);

} // namespace kyr
