#include "Houses.h"

#include "Horoscope.h"

namespace kyr {

// The house systems are still to come: the cusps stay where they are.
void ComputeCusps(THoroscope &) {}

void BuildCuspTable(THoroscope &) {}

int THoroscope::HouseOfLongitude(Extended) const { return 0; }

int THoroscope::HouseOfBody(int) const { return 0; }

TPlanetSet THoroscope::BodiesInHouse(int) const { return 0; }

TPlanetSet THoroscope::BodiesInSign(int) const { return 0; }

int THoroscope::SignOfBody(int) const { return 0; }

} // namespace kyr
