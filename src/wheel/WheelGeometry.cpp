#include "WheelGeometry.h"

#include "Angles.h"
#include "WheelRadii.h"

#include <cstdlib>

namespace kyr {

namespace {

// With Aries at the left, 0 degrees Aries lies this far counter-clockwise past the left
// point, as the wheel has always drawn it; the hit tests subtract the same rotation.
constexpr Extended AriesOffset = 0.000001L;

// The ink of a body glyph spans about two thirds of its cell height (1.2 × 0.67/6 logical
// units for the chart's own glyphs, 0.67/6 for the partner's); glyphs on one ring keep that
// far apart.
constexpr Extended BodyGlyphExtent = 0.09L;
constexpr Extended PartnerGlyphExtent = 0.075L;

TWheelLine Spoke(const TWheelFrame &frame, Extended a, Extended from, Extended to) {
    return MakeWheelLine(frame.Polar(a, from), frame.Polar(a, to));
}

} // namespace

TWheelFontHeights WheelFontHeights(const TWheelFrame &frame) {
    TWheelFontHeights heights;
    const int glyphWidth = frame.Width(0.67L / 6);
    heights.HouseNumber = static_cast<int>(Round(0.85L * frame.Width(0.05L)));
    heights.SignGlyph = static_cast<int>(Round(0.85L * frame.Width(0.12L)));
    heights.BodyGlyph = static_cast<int>(Round(1.2L * glyphWidth));
    heights.NodeGlyph = heights.BodyGlyph * 7 / 12;
    heights.PartnerGlyph = std::abs(glyphWidth);
    heights.PartnerNodeGlyph = heights.PartnerGlyph * 7 / 12;
    return heights;
}

TWheelGeometry LayoutWheelGeometry(const TWheelLayoutInput &input) {
    static const TWheelAngles defaults = DefaultWheelAngles();
    const TWheelAngles &angles = input.Angles ? *input.Angles : defaults;
    const TWheelAngles &partner = input.PartnerAngles ? *input.PartnerAngles : defaults;
    const TWheelRadii &radii = WheelRadii(input.DualMode);

    TWheelGeometry g;
    g.Dual = input.DualMode;
    const TWheelFrame frame(FittedSquare(input.Rect));
    g.Square = frame.Square();
    g.Centre = frame.Centre();

    const Extended r = input.AriesAtLeft ? Pi - angles.SignAngle[1] + AriesOffset : 0;
    g.Rotation = r;
    if (input.DualMode)
        g.PartnerRotation = -partner.SignAngle[1] + angles.SignAngle[1] + r;
    const Extended p = g.PartnerRotation;

    g.SignCircle = frame.Circle(radii.SignOuter);
    g.ScaleCircle = frame.Circle(radii.ScaleOuter);
    g.ScaleInnerCircle = frame.Circle(radii.ScaleInner);
    g.MiddleCircle = frame.Circle(radii.Middle);
    g.InnermostCircle = frame.Circle(radii.Innermost);

    for (int j = 1; j <= 13; ++j)
        g.CuspLines[j] = Spoke(frame, angles.CuspAngle[j] + r, radii.ScaleInner, radii.CuspInner);
    for (int j = 1; j <= 12; ++j) {
        const Extended middle = (angles.CuspAngle[j] + angles.CuspAngle[j + 1]) / 2 + r;
        g.HouseLabels[j] = {std::to_string(j), frame.Polar(middle, radii.HouseLabel)};
    }

    g.FontHeights = WheelFontHeights(frame);

    const Extended scaleStart = ScaleStart(angles) + r;
    for (int n = 0; n < 360; ++n) {
        const Extended a = scaleStart + n * Pi / 180;
        const TPointI from = frame.Polar(a, n % 5 == 0 ? radii.ScaleInner : radii.ShortTick);
        const TPointI to = frame.Polar(a, radii.ScaleOuter);
        g.DegreeTicks[n] = {from.X, from.Y, to.X, to.Y};
    }

    for (int k = 1; k <= 4; ++k)
        g.Axes[k] = Spoke(frame, angles.AxisAngle[k] + r, radii.CuspInner, radii.AxisOuter);

    g.Bodies =
        LayoutBodyGlyphs(angles, frame, r,
                         {radii.BodyLevel, radii.ScaleInner, radii.BodyTickEnd, BodyGlyphExtent});
    g.Signs = LayoutSignSectors(angles, frame, r, radii, input.OffScreen);

    if (input.DualMode) {
        for (int j = 1; j <= 13; ++j)
            g.PartnerCuspLines[j] = Spoke(frame, partner.CuspAngle[j] + p, radii.PartnerCuspOuter,
                                          radii.PartnerCuspInner);
        for (int k = 1; k <= 4; ++k)
            g.PartnerAxes[k] = Spoke(frame, partner.AxisAngle[k] + p, radii.PartnerAxisInner,
                                     radii.PartnerAxisOuter);
        g.PartnerBodies =
            LayoutBodyGlyphs(partner, frame, p,
                             {radii.PartnerLevel, radii.PartnerTickInner, radii.PartnerTickOuter,
                              PartnerGlyphExtent});
    }

    if (HoroscopeReady(input.Horoscope))
        g.Chords = LayoutAspectChords(*input.Horoscope, frame, r, radii.Innermost);
    return g;
}

} // namespace kyr
