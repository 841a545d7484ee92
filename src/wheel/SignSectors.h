// The sign ring: one coloured ring sector per sign with its glyph.
#pragma once

#include "WheelAngles.h"
#include "WheelFrame.h"
#include "WheelRadii.h"

#include <array>

namespace kyr {

/// Sign colours in colour style, Aries first.
constexpr std::array<TRgb, 12> SignColours = {{{255, 0, 0},
                                               {255, 128, 0},
                                               {255, 255, 0},
                                               {128, 255, 0},
                                               {0, 255, 0},
                                               {0, 255, 128},
                                               {0, 255, 255},
                                               {0, 128, 255},
                                               {0, 0, 255},
                                               {128, 0, 255},
                                               {255, 0, 255},
                                               {255, 0, 128}}};

constexpr int SectorPointCount = 62;
/// The two outline points that every layout stores: the outer and the inner end of a
/// boundary line between two signs.
constexpr int SectorBoundaryOuter = 30;
constexpr int SectorBoundaryInner = 31;

struct TSignSector {
    int Glyph = 0;  ///< symbol-font code
    TRgb Colour;    ///< colour style; black-and-white paints grey instead
    TPointI Centre; ///< glyph centre
    /// Points 0..30 run along the outer circle from the sector's start to its end, points
    /// 31..61 back along the inner circle. Off-screen only points 30 and 31 are set, on the
    /// start boundary, since that path paints pies from boundary to boundary.
    std::array<TPointI, SectorPointCount> Outline{};
    /// The pie of the off-screen path in degrees, counter-clockwise from 3 o'clock.
    double StartDegrees = 0;
    double SpanDegrees = 0;
};

/// Records 1..12 by sign; entry 0 is unused.
using TSignSectors = std::array<TSignSector, 13>;

TSignSectors LayoutSignSectors(const TWheelAngles &angles, const TWheelFrame &frame,
                               Extended rotation, const TWheelRadii &radii, bool offScreen);

} // namespace kyr
