// Radii of the wheel's rings as fractions of the fitted square's half side, for the single
// chart and for the dual layout that holds the partner chart inside.
#pragma once

#include "ChartTypes.h"

#include <array>

namespace kyr {

struct TWheelRadii {
    Extended SignOuter = 0.95L;    ///< outer circle of the sign ring
    Extended SignGlyph = 0.89L;    ///< sign glyph centres
    Extended ScaleOuter = 0.83L;   ///< inner circle of the sign ring, outer end of all ticks
    Extended ShortTick = 0.82L;    ///< inner end of the one-degree ticks
    Extended ScaleInner = 0.80L;   ///< long ticks, outer end of cusp lines and body ticks
    Extended BodyTickEnd = 0.785L; ///< the body tick's other end
    std::array<Extended, 4> BodyLevel{0, 0.718L, 0.6175L, 0.517L}; ///< glyph centres, levels 1..3
    Extended HouseLabel = 0.425L;                                  ///< house-number centres
    Extended Middle = 0.45L;    ///< house-number ring; the partner chart's edge when dual
    Extended CuspInner = 0.40L; ///< inner end of cusp lines and axes
    Extended Innermost = 0.40L; ///< aspect chord ends and the innermost circle
    Extended AxisOuter = 1.0L;  ///< axes reach past the sign ring
    // The partner chart, dual layout only.
    Extended PartnerTickInner = 0.81L;
    Extended PartnerTickOuter = 0.82L;
    std::array<Extended, 4> PartnerLevel{0, 0.466L, 0.385L, 0.304L};
    Extended PartnerCuspOuter = 0.52L;
    Extended PartnerCuspInner = 0.25L;
    Extended PartnerAxisInner = 0.25L;
    Extended PartnerAxisOuter = 0.545L;
};

constexpr TWheelRadii NormalRadii{};

// The own bodies move outward to make room for the partner chart, and their ticks point out.
constexpr TWheelRadii DualRadii{
    .BodyTickEnd = 0.81L,
    .BodyLevel = {0, 0.732L, 0.6525L, 0.573L},
    .Middle = 0.52L,
    .CuspInner = 0.52L,
    .Innermost = 0.25L,
};

constexpr const TWheelRadii &WheelRadii(bool dual) {
    return dual ? DualRadii : NormalRadii;
}

} // namespace kyr
