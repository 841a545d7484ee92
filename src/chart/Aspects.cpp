#include "Aspects.h"

#include "Horoscope.h"

namespace kyr {

// The aspect search is still to come: no aspects are found.
void FindAspects(THoroscope &horoscope) { horoscope.AspectCount = 0; }

bool THoroscope::GetAspect(int n, int &point1, int &point2, int &aspectNumber,
                           Extended &deviation) const {
    if (n < 1 || n > AspectCount)
        return false;
    const TAspectRecord &r = Aspects[n - 1];
    point1 = r.Point1;
    point2 = r.Point2;
    aspectNumber = r.AspectNumber;
    deviation = r.Deviation;
    return true;
}

} // namespace kyr
