#include "WheelFrame.h"

#include "Angles.h"

#include <cmath>

namespace kyr {

TRectI FittedSquare(const TRectI &rect) {
    int w = rect.Right - rect.Left;
    int h = rect.Bottom - rect.Top;
    if (w % 2 != 0)
        --w;
    if (h % 2 != 0)
        --h;
    if (w == h)
        return rect;
    if (w < h) {
        const int d = (h - w) / 2;
        return {rect.Left, rect.Top + d, rect.Left + w, rect.Top + d + w};
    }
    const int d = (w - h) / 2;
    return {rect.Left + d, rect.Top, rect.Left + d + h, rect.Top + h};
}

TWheelFrame::TWheelFrame(const TRectI &square)
    : FSquare(square), FScaleX(static_cast<Extended>(square.Right - square.Left) / 2),
      FOffsetX(square.Left + FScaleX),
      FScaleY(static_cast<Extended>(square.Bottom - square.Top) / -2),
      FOffsetY(square.Top - FScaleY) {}

TPointI TWheelFrame::Pixel(Extended x, Extended y) const {
    return {static_cast<int>(Trunc(x * FScaleX + FOffsetX)),
            static_cast<int>(Trunc(y * FScaleY + FOffsetY))};
}

TPointI TWheelFrame::Polar(Extended a, Extended r) const {
    return Pixel(r * std::cos(a), r * std::sin(a));
}

TRectI TWheelFrame::Circle(Extended r) const {
    const TPointI corner = Pixel(-r, r);
    const TPointI centre = Centre();
    return {corner.X, corner.Y, 2 * centre.X - corner.X, 2 * centre.Y - corner.Y};
}

} // namespace kyr
