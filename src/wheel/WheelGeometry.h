// Everything the painter draws and the hit test measures, in pixels, for one layout
// rectangle: computed once by LayoutWheelGeometry, then only read.
#pragma once

#include "AspectChords.h"
#include "BodyGlyphs.h"
#include "SignSectors.h"
#include "WheelAngles.h"
#include "WheelFrame.h"
#include "WheelLine.h"

#include <array>
#include <string>
#include <vector>

namespace kyr {

class THoroscope;

/// Font cell heights in pixels.
struct TWheelFontHeights {
    int HouseNumber = 0;
    int SignGlyph = 0;
    int BodyGlyph = 0; ///< also the body hit diameter
    int NodeGlyph = 0; ///< bodies 11 and 12
    int PartnerGlyph = 0;
    int PartnerNodeGlyph = 0;
};

struct THouseLabel {
    std::string Text; ///< "1" .. "12"
    TPointI Centre;
};

/// Arrays of numbered items are indexed from 1 (cusp, house, axis, body, sign); entry 0 is
/// unused. The partner members are laid out only in the dual layout.
struct TWheelGeometry {
    bool Dual = false;
    TRectI Square; ///< the fitted square
    TPointI Centre;
    Extended Rotation = 0;        ///< R, added to every own angle
    Extended PartnerRotation = 0; ///< P, brings the partner's angles into this wheel's zodiac

    // Circles as bounding squares.
    TRectI SignCircle;       ///< 0.95, outer edge of the sign ring
    TRectI ScaleCircle;      ///< 0.83, outer edge of the degree scale
    TRectI ScaleInnerCircle; ///< 0.80
    TRectI MiddleCircle;     ///< 0.45 house-number ring; dual 0.52, the partner chart's edge
    TRectI InnermostCircle;  ///< 0.40; dual 0.25

    std::array<TWheelLine, 14> CuspLines{}; ///< 1..13, from the scale inward
    std::array<THouseLabel, 13> HouseLabels{};
    std::array<TSegmentI, 360> DegreeTicks{}; ///< one per whole degree, long on multiples of 5
    std::array<TWheelLine, 5> Axes{};         ///< 1..4; the second point is the tip
    TBodyGlyphs Bodies{};
    TSignSectors Signs{};
    std::vector<TAspectChord> Chords;

    std::array<TWheelLine, 14> PartnerCuspLines{};
    std::array<TWheelLine, 5> PartnerAxes{};
    TBodyGlyphs PartnerBodies{};

    TWheelFontHeights FontHeights;
};

struct TWheelLayoutInput {
    TRectI Rect;
    const TWheelAngles *Angles = nullptr;
    /// The relation wheel's sets in the dual layout; without one the partner frame is the
    /// default frame.
    const TWheelAngles *PartnerAngles = nullptr;
    bool DualMode = false;
    bool AriesAtLeft = false;
    bool OffScreen = false;
    /// The horoscope whose aspects become chords, only when it is ready.
    const THoroscope *Horoscope = nullptr;
};

TWheelGeometry LayoutWheelGeometry(const TWheelLayoutInput &input);

/// The font heights of a frame.
TWheelFontHeights WheelFontHeights(const TWheelFrame &frame);

} // namespace kyr
