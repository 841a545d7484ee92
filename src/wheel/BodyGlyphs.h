// Body glyph placement: the level that keeps crowded glyphs apart, the glyph centre and the
// tick that marks the exact longitude on the degree scale.
#pragma once

#include "Angles.h"
#include "WheelAngles.h"
#include "WheelFrame.h"

#include <array>

namespace kyr {

/// Bodies this close to their predecessor in longitude step one ring inward.
constexpr Extended CrowdAngle = Pi / 180 * 8;

struct TBodyGlyph {
    int Glyph = 0;       ///< symbol-font code
    TSegmentI Tick;      ///< from the scale inward (own chart) or outward (partner)
    int Level = 1;       ///< 1 outermost .. 3 innermost
    TPointI Centre;      ///< glyph centre
    Extended Degree = 0; ///< D[b], D.MM within the sign, for the printed position
};

/// Records 1..12 by body index; entry 0 is unused.
using TBodyGlyphs = std::array<TBodyGlyph, BodyCount + 1>;

/// Glyph level of each body 1..12. Each body is compared only with its predecessor in the
/// longitude order, so the last and the first are never compared across 0 degrees.
std::array<int, BodyCount + 1> BodyLevels(const TWheelAngles &angles);

/// Where one set of body glyphs goes: the centre radius of each level and the tick's ends.
struct TBodyRing {
    std::array<Extended, 4> LevelRadius; ///< levels 1..3
    Extended TickFrom;
    Extended TickTo;
    /// Logical width a glyph needs along its ring; 0 places every glyph at its own longitude.
    Extended GlyphExtent = 0;
};

/// Glyphs of the bodies of angles, turned by rotation. The levels alone cannot part a long
/// stellium: every third body returns to the same ring. A glyph closer than the ring's glyph
/// extent to the previous glyph on its ring is therefore moved on along the ring until they
/// part; its tick stays at the exact longitude.
TBodyGlyphs LayoutBodyGlyphs(const TWheelAngles &angles, const TWheelFrame &frame,
                             Extended rotation, const TBodyRing &ring);

} // namespace kyr
