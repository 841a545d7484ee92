// The interpolation of the ephemeris samples, shared by the reader and the file generator.
#pragma once

#include "ChartTypes.h"

namespace kyr {

/// One full circle in minutes of arc, the unit of the ephemeris samples.
constexpr int MinutesPerCircle = 21600;

/// Unwraps four consecutive samples (minutes of arc) across 0/360 degrees: each sample
/// that jumps more than half a circle from its predecessor is moved by a full circle.
void UnwrapSamples(Extended samples[4]);

/// Cubic Lagrange polynomial through samples at u = 0, 1, 2, 3, evaluated at u.
Extended InterpolateCubic(const Extended samples[4], Extended u);

} // namespace kyr
