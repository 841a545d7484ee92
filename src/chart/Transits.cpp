#include "Transits.h"

#include "Horoscope.h"

namespace kyr {

// The transit search is still to come: no transits are found.
void FindTransits(THoroscope &horoscope) { horoscope.TransitCount = 0; }

bool THoroscope::GetTransit(int n, int &body, int &aspect, int &natalPoint, int &startYmd,
                            int &endYmd) const {
    if (n < 1 || n > TransitCount)
        return false;
    const TTransitRecord &r = Transits[n - 1];
    body = r.Body;
    aspect = r.Aspect;
    natalPoint = r.NatalPoint;
    startYmd = r.Start;
    endYmd = r.End;
    return true;
}

bool THoroscope::GetTransitCurve(int, int, Extended *) { return false; }

void THoroscope::GetTxHouseStory(int i, std::uint8_t *block) const {
    if (i != 6 && i != 7)
        throw EHoroscopeException("Invalid index in GetTxHouseStory!");
    const auto &story = HouseStories[i - 6];
    std::copy(story.begin(), story.end(), block);
}

} // namespace kyr
