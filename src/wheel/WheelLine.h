// A wheel line (cusp, axis, aspect chord) with its normalised equation, so that the hit test
// measures the pixel distance of a press from it directly.
#pragma once

#include "ChartTypes.h"
#include "WheelTypes.h"

namespace kyr {

struct TWheelLine : TSegmentI {
    /// a·x + b·y + c = 0 with a² + b² = 1.
    Extended A = 0;
    Extended B = 0;
    Extended C = 0;

    /// Signed pixel distance of (x, y) from the line; its absolute value is the distance.
    Extended Distance(Extended x, Extended y) const { return A * x + B * y + C; }
};

/// The line from p1 to p2 with its equation.
TWheelLine MakeWheelLine(TPointI p1, TPointI p2);

} // namespace kyr
