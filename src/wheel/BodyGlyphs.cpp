#include "BodyGlyphs.h"

#include "Glyphs.h"

#include <cmath>

namespace kyr {

std::array<int, BodyCount + 1> BodyLevels(const TWheelAngles &angles) {
    std::array<int, BodyCount + 1> levels{};
    const auto &order = angles.BodyOrder;
    levels[order[1]] = 1;
    for (int n = 2; n <= BodyCount; ++n) {
        const int b = order[n];
        const int p = order[n - 1];
        Extended d = std::fabs(angles.BodyAngle[b] - angles.BodyAngle[p]);
        if (d > Pi)
            d = std::fabs(d - TwoPi);
        int level = 1;
        if (d <= CrowdAngle) {
            level = levels[p] + 1;
            if (level > 3)
                level = 1;
        }
        levels[b] = level;
    }
    return levels;
}

TBodyGlyphs LayoutBodyGlyphs(const TWheelAngles &angles, const TWheelFrame &frame,
                             Extended rotation, const TBodyRing &ring) {
    const auto levels = BodyLevels(angles);
    TBodyGlyphs glyphs{};
    for (int b = 1; b <= BodyCount; ++b) {
        TBodyGlyph &glyph = glyphs[b];
        const Extended a = angles.BodyAngle[b] + rotation;
        glyph.Glyph = BodyGlyphCodes[b - 1];
        glyph.Level = levels[b];
        glyph.Centre = frame.Polar(a, ring.LevelRadius[glyph.Level]);
        const TPointI from = frame.Polar(a, ring.TickFrom);
        const TPointI to = frame.Polar(a, ring.TickTo);
        glyph.Tick = {from.X, from.Y, to.X, to.Y};
        glyph.Degree = angles.BodyDegree[b];
    }
    return glyphs;
}

} // namespace kyr
