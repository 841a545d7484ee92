#include "WheelLine.h"

#include <cmath>

namespace kyr {

TWheelLine MakeWheelLine(TPointI p1, TPointI p2) {
    TWheelLine line;
    line.X1 = p1.X;
    line.Y1 = p1.Y;
    line.X2 = p2.X;
    line.Y2 = p2.Y;
    // Vertical and horizontal segments first: the slope form cannot hold the one and a
    // segment of one point falls into the first case, so nothing divides by zero.
    if (p1.X == p2.X) {
        line.A = 1;
        line.B = 0;
        line.C = -p2.X;
    } else if (p1.Y == p2.Y) {
        line.A = 0;
        line.B = 1;
        line.C = -p2.Y;
    } else {
        line.A = static_cast<Extended>(p2.Y - p1.Y) / (p2.X - p1.X);
        line.B = -1;
        line.C = p1.Y - p1.X * line.A;
    }
    const Extended norm = std::sqrt(line.A * line.A + line.B * line.B);
    line.A /= norm;
    line.B /= norm;
    line.C /= norm;
    return line;
}

} // namespace kyr
