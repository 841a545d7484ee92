// Ascendant, Midheaven and the house cusps of a horoscope.
#pragma once

#include "ChartTypes.h"

namespace kyr {

class THoroscope;

/// Newton steps allowed for one Placidus cusp; reaching the cap counts as a numerical failure.
constexpr int PlacidusMaxSteps = 100;

/// Ascendant (radians) for right ascension of the MC x, at the horoscope's latitude and
/// the current Obliquity.
Extended AscendantAt(const THoroscope &horoscope, Extended x);

/// Cusp (radians, [0, 2pi]) of chart point 13..18 at RAMC x in the horoscope's house system.
/// A cusp that cannot be computed (near the polar circles) sets the horoscope's
/// NumericalFailure and gives 0. An unknown house system raises EHoroscopeException.
Extended CuspOfPoint(THoroscope &horoscope, int point, Extended x);

/// Midheaven (radians, [0, 2pi)): the ecliptic point culminating at RAMC x, whatever the
/// house system.
Extended MidheavenAt(Extended x);

/// Computes the six cusps (chart points 13..18) at the horoscope's sidereal time. Point 13
/// is always the true Midheaven; with Equal houses cusp 10 differs from it and is set only
/// in the cusp table.
void ComputeCusps(THoroscope &horoscope);
/// Builds the cusp table C[0..13] and the cusp text from the computed cusps.
void BuildCuspTable(THoroscope &horoscope);

} // namespace kyr
