// The arrowhead on the Ascendant and Midheaven axes: two short arcs that curve back from the
// tip toward the axis, as the wheel has always drawn them.
#pragma once

#include "WheelTypes.h"

#include <array>
#include <optional>

namespace kyr {

/// An arc drawn counter-clockwise on the screen (y downward) from Start to the ray through End.
struct TArrowArc {
    TRectI Bounds; ///< the bounding square of the arc's circle
    TPointI Centre;
    TPointI Start;
    TPointI End;
    double StartDegrees = 0; ///< counter-clockwise on the screen from 3 o'clock
    double SpanDegrees = 0;  ///< counter-clockwise, 0 .. 360
};

/// The two arcs of the arrowhead on the segment whose second point is the tip; none when the
/// segment is shorter than two pixels.
std::optional<std::array<TArrowArc, 2>> ArrowheadArcs(const TSegmentI &axis);

} // namespace kyr
