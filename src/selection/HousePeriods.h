// The periods that Jupiter and Saturn spend in one natal house during the transit span, read
// from the chart's two house stories.
#pragma once

#include <vector>

namespace kyr {

class THoroscope;

struct THousePeriod {
    int StartYmd = 0; ///< YYYYMMDD, first day in the house
    int EndYmd = 0;   ///< YYYYMMDD, last day in the house
    int Body = 0;     ///< transit body code: 1 Jupiter, 2 Saturn
    friend bool operator==(const THousePeriod &, const THousePeriod &) = default;
};

/// Jupiter's periods in house, then Saturn's, each in story order. Day indices count from
/// 1 January of the chart's FromYear.
std::vector<THousePeriod> HousePeriods(const THoroscope &horoscope, int house);

} // namespace kyr
