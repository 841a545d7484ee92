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

namespace {

// Angle of each glyph centre: the body's own angle, moved on along its ring in longitude order
// while it would stand closer than the glyph extent to the previous glyph on that ring.
std::array<Extended, BodyCount + 1> GlyphAngles(const TWheelAngles &angles,
                                                const std::array<int, BodyCount + 1> &levels,
                                                const TBodyRing &ring) {
    std::array<Extended, BodyCount + 1> placed{};
    std::array<int, 4> previous{}; // last body placed on each level, 0 = none yet
    for (int n = 1; n <= BodyCount; ++n) {
        const int b = angles.BodyOrder[n];
        const int level = levels[b];
        placed[b] = angles.BodyAngle[b];
        const int p = previous[level];
        previous[level] = b;
        if (p == 0 || ring.GlyphExtent <= 0)
            continue;
        const Extended least = ring.GlyphExtent / ring.LevelRadius[level];
        const Extended gap = std::remainder(placed[b] - placed[p], TwoPi);
        if (gap < least)
            placed[b] = placed[p] + least;
    }
    return placed;
}

} // namespace

TBodyGlyphs LayoutBodyGlyphs(const TWheelAngles &angles, const TWheelFrame &frame,
                             Extended rotation, const TBodyRing &ring) {
    const auto levels = BodyLevels(angles);
    const auto glyphAngles = GlyphAngles(angles, levels, ring);
    TBodyGlyphs glyphs{};
    for (int b = 1; b <= BodyCount; ++b) {
        TBodyGlyph &glyph = glyphs[b];
        const Extended a = angles.BodyAngle[b] + rotation;
        glyph.Glyph = BodyGlyphCodes[b - 1];
        glyph.Level = levels[b];
        glyph.Centre = frame.Polar(glyphAngles[b] + rotation, ring.LevelRadius[glyph.Level]);
        const TPointI from = frame.Polar(a, ring.TickFrom);
        const TPointI to = frame.Polar(a, ring.TickTo);
        glyph.Tick = {from.X, from.Y, to.X, to.Y};
        glyph.Degree = angles.BodyDegree[b];
    }
    return glyphs;
}

} // namespace kyr
