#include "WheelArrowhead.h"

#include <cmath>
#include <numbers>

namespace kyr {

namespace {

// Screen angle of p seen from c; y grows downward, so it is negated.
double ScreenDegrees(TPointI c, TPointI p) {
    return std::atan2(-(p.Y - c.Y), p.X - c.X) * 180 / std::numbers::pi;
}

TArrowArc MakeArc(TPointI centre, int r, TPointI start, TPointI end) {
    TArrowArc arc;
    arc.Centre = centre;
    arc.Bounds = {centre.X - r, centre.Y - r, centre.X + r, centre.Y + r};
    arc.Start = start;
    arc.End = end;
    arc.StartDegrees = ScreenDegrees(centre, start);
    arc.SpanDegrees = std::fmod(ScreenDegrees(centre, end) - arc.StartDegrees + 720, 360);
    return arc;
}

} // namespace

std::optional<std::array<TArrowArc, 2>> ArrowheadArcs(const TSegmentI &axis) {
    // Integer halves and fifths truncate toward zero, as C++ division does.
    const int dx = axis.X2 - axis.X1;
    const int dy = axis.Y2 - axis.Y1;
    const int length =
        static_cast<int>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    const int r = length / 2;
    if (r <= 0)
        return std::nullopt;
    const TPointI tip{axis.X2, axis.Y2};
    const TPointI back{axis.X2 - dx / 5, axis.Y2 - dy / 5};
    return std::array<TArrowArc, 2>{MakeArc({axis.X2 - dy / 2, axis.Y2 + dx / 2}, r, tip, back),
                                    MakeArc({axis.X2 + dy / 2, axis.Y2 - dx / 2}, r, back, tip)};
}

} // namespace kyr
