// Transits of the slow bodies over a horoscope across a span of years.
#pragma once

namespace kyr {

class THoroscope;

/// The transit pass: rebuilds the transit records and the house stories.
void FindTransits(THoroscope &horoscope);

} // namespace kyr
