// Aspect chords: one line across the inner circle per aspect of the horoscope.
#pragma once

#include "WheelFrame.h"
#include "WheelLine.h"

#include <array>
#include <vector>

namespace kyr {

class THoroscope;

/// Chord colours by aspect number 0..12: hard aspects dark red, soft ones dark blue,
/// the quincunx olive. Numbers 1, 5, 7 and 11 never form aspects but keep a colour.
constexpr std::array<TRgb, 13> AspectColours = {{{128, 0, 0},
                                                 {128, 128, 0},
                                                 {0, 0, 128},
                                                 {128, 0, 0},
                                                 {0, 0, 128},
                                                 {0, 0, 128},
                                                 {128, 0, 0},
                                                 {128, 128, 0},
                                                 {0, 0, 128},
                                                 {128, 0, 0},
                                                 {128, 128, 0},
                                                 {0, 0, 128},
                                                 {128, 0, 0}}};

/// The colour of aspect number e; black for a number outside the table.
TRgb AspectColour(int e);

struct TAspectChord {
    TWheelLine Line; ///< from point 1 to point 2
    TRgb Colour;
    int Point1 = 0; ///< aspect points: 1..12 bodies, 13 Ascendant, 14 Midheaven
    int Point2 = 0;
};

/// One chord per aspect, in the horoscope's aspect-list order, ending on the circle of
/// radius r; rotation is the wheel's R.
std::vector<TAspectChord> LayoutAspectChords(const THoroscope &horoscope, const TWheelFrame &frame,
                                             Extended rotation, Extended r);

} // namespace kyr
