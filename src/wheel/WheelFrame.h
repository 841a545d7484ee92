// The fitted square of a layout rectangle and the mapping of the wheel's logical square
// (x and y from -1 to +1, y upward) onto its pixels.
#pragma once

#include "ChartTypes.h"
#include "WheelTypes.h"

namespace kyr {

/// The square the wheel is drawn in, centred in rect. When the even-rounded width and
/// height agree the rectangle itself is used, so a 201 x 200 rectangle keeps its odd column.
TRectI FittedSquare(const TRectI &rect);

class TWheelFrame {
public:
    TWheelFrame() = default;
    explicit TWheelFrame(const TRectI &square);

    const TRectI &Square() const { return FSquare; }
    /// The pixel of the logical point (x, y).
    TPointI Pixel(Extended x, Extended y) const;
    /// The pixel at wheel angle a (radians, counter-clockwise from 3 o'clock) and radius r.
    TPointI Polar(Extended a, Extended r) const;
    TPointI Centre() const { return Pixel(0, 0); }
    /// The bounding square of the circle of radius r.
    TRectI Circle(Extended r) const;
    /// Pixel length of radius r along x; font heights are measured with it.
    int Width(Extended r) const { return Pixel(r, 0).X - Centre().X; }

private:
    TRectI FSquare;
    Extended FScaleX = 0;
    Extended FOffsetX = 0;
    Extended FScaleY = 0;
    Extended FOffsetY = 0;
};

} // namespace kyr
