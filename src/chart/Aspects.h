// Aspects between the points of a horoscope, or between it and its partner.
#pragma once

#include <array>

namespace kyr {

class THoroscope;

/// The aspect pass: rebuilds the horoscope's aspect records from its orbs. With a partner set,
/// point 2 of every pair is the partner's point (synastry); the orbs are this horoscope's.
void FindAspects(THoroscope &horoscope);

/// Widest orb in degrees that counts for each aspect number 0..12; the interpretation grades
/// deviations against it and no system orb set goes beyond it. Numbers that never form an
/// aspect hold 1.
constexpr std::array<double, 13> MaxOrbTable = {14, 1, 1.5, 3, 6, 1, 8, 1, 10, 3, 1.5, 1, 12};

} // namespace kyr
