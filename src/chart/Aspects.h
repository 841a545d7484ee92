// Aspects between the points of a horoscope, or between it and its partner.
#pragma once

namespace kyr {

class THoroscope;

/// The aspect pass: rebuilds the horoscope's aspect records from its orbs.
void FindAspects(THoroscope &horoscope);

} // namespace kyr
