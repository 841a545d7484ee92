#include "Aspects.h"

#include "Angles.h"
#include "Horoscope.h"

#include <cmath>
#include <cstdlib>

namespace kyr {

namespace {

// Separations are counted in whole minutes of arc and stepped in 15 degree slots.
constexpr Extended MinutesPerHalfTurn = 10800;
constexpr int MinutesPerSlot = 900;
// Aspect numbers beyond the opposition fold back: e = FullTurnSlots - c.
constexpr int FullTurnSlots = 24;
constexpr int OppositionNumber = 12;

// 15, 75, 105 and 165 degrees are slots of the table but never aspects.
bool FormsAspect(int aspectNumber) {
    return aspectNumber != 1 && aspectNumber != 5 && aspectNumber != 7 && aspectNumber != 11;
}

// The nodes are always opposite and Ascendant and MC belong to the same house frame: neither
// pair is an aspect. The rule drops every pair with the North Node or the Ascendant as first
// point; as second points both are examined.
bool ExaminedAsFirstPoint(int point) {
    return point != NorthNodeIndex && point != AspectPointAscendant;
}

void TestCandidate(THoroscope &h, int i, int j, long long separation, int candidate) {
    const int deviation = static_cast<int>(std::llabs(separation - MinutesPerSlot * candidate));
    const int e = candidate <= OppositionNumber ? candidate : FullTurnSlots - candidate;
    if (!FormsAspect(e))
        return;
    // Both points must allow the deviation: the smaller orb governs. Row e is slot e + 1.
    if (deviation > h.OrbTable[e][i] || deviation > h.OrbTable[e][j])
        return;
    if (h.AspectCount >= MaxAspects)
        return;
    h.Aspects[h.AspectCount++] = TAspectRecord{i, j, e, static_cast<Extended>(deviation)};
}

} // namespace

void FindAspects(THoroscope &horoscope) {
    horoscope.AspectCount = 0;
    if (!(horoscope.Options() & OptionAspects))
        return;
    const THoroscope *partner = horoscope.Partner();
    const THoroscope &second = partner ? *partner : horoscope;
    // This order numbers the records; readers rely on it.
    for (int i = 1; i < AspectPointCount; ++i) {
        if (!ExaminedAsFirstPoint(i))
            continue;
        const Extended a = horoscope.AspectPoint(i);
        for (int j = i + 1; j <= AspectPointCount; ++j) {
            const Extended b = second.AspectPoint(j);
            // Not folded to 180 degrees: the folding happens per candidate.
            const long long d = Trunc(std::fabs(a - b) / Pi * MinutesPerHalfTurn);
            const int c = static_cast<int>(d / MinutesPerSlot);
            TestCandidate(horoscope, i, j, d, c);
            TestCandidate(horoscope, i, j, d, c + 1);
        }
    }
}

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
