// Plain pixel values of the wheel geometry: what the painter and the hit test read.
#pragma once

namespace kyr {

struct TPointI {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPointI &, const TPointI &) = default;
};

/// Left, Top, Right, Bottom; the width is Right - Left.
struct TRectI {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const TRectI &, const TRectI &) = default;
};

/// A line segment from (X1, Y1) to (X2, Y2).
struct TSegmentI {
    int X1 = 0;
    int Y1 = 0;
    int X2 = 0;
    int Y2 = 0;
    friend bool operator==(const TSegmentI &, const TSegmentI &) = default;
};

struct TRgb {
    int R = 0;
    int G = 0;
    int B = 0;
    friend bool operator==(const TRgb &, const TRgb &) = default;
};

} // namespace kyr
