#include "SignSectors.h"

#include "Angles.h"
#include "Glyphs.h"

namespace kyr {

TSignSectors LayoutSignSectors(const TWheelAngles &angles, const TWheelFrame &frame,
                               Extended rotation, const TWheelRadii &radii, bool offScreen) {
    TSignSectors sectors{};
    const auto &s = angles.SignAngle;
    for (int i = 1; i <= 12; ++i) {
        TSignSector &sector = sectors[i];
        sector.Glyph = SignGlyphCodes[i - 1];
        sector.Colour = SignColours[i - 1];
        sector.Centre = frame.Polar((s[i] + s[i + 1]) / 2 + rotation, radii.SignGlyph);
        const Extended a = s[i] + rotation;
        const Extended e = s[i + 1] + rotation;
        sector.StartDegrees = static_cast<double>(a * 180 / Pi);
        sector.SpanDegrees = static_cast<double>((e - a) * 180 / Pi);
        if (offScreen) {
            sector.Outline[SectorBoundaryOuter] = frame.Polar(a, radii.SignOuter);
            sector.Outline[SectorBoundaryInner] = frame.Polar(a, radii.ScaleOuter);
            continue;
        }
        for (int k = 0; k <= 30; ++k) {
            const Extended angle = a + k * (e - a) / 30;
            sector.Outline[k] = frame.Polar(angle, radii.SignOuter);
            sector.Outline[61 - k] = frame.Polar(angle, radii.ScaleOuter);
        }
    }
    return sectors;
}

} // namespace kyr
