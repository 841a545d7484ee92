// Ascendant, Midheaven and the house cusps of a horoscope.
#pragma once

#include "ChartTypes.h"

namespace kyr {

class THoroscope;

/// Computes the six cusps (chart points 13..18) at the horoscope's sidereal time.
void ComputeCusps(THoroscope &horoscope);
/// Builds the cusp table C[0..13] and the cusp text from the computed cusps.
void BuildCuspTable(THoroscope &horoscope);

} // namespace kyr
