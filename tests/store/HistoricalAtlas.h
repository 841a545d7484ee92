// A small atlas of places whose countries changed to the Gregorian calendar on different days,
// as the delivered atlas has them.
#pragma once

#include "StoreTestSupport.h"

#include <string>

namespace kyr::test {

using namespace std::string_literals;

/// STATES, PLACES and ZONEID in the directory: London (zone starting Gregorian 1752-09-14),
/// Moscow (1918-02-14), Rome (1582-10-15), Athens (1923-03-01); "Nowhere, No Zone" refers to no
/// zone definition and "Nowhere, No Date" to one without a date.
inline void MakeHistoricalAtlas(const TTempDir &dir) {
    MakeTable(dir, "STATES"s,
              {{"1001"s, "United Kingdom"s, 6100LL, 4950LL, 800LL, -180LL},
               {"1002"s, "Russia"s, 8200LL, 4100LL, 1900LL, -18000LL},
               {"1003"s, "Italy"s, 4700LL, 3630LL, -630LL, -1830LL},
               {"1004"s, "Greece"s, 4145LL, 3445LL, -1930LL, -2940LL},
               {"1005"s, "Nowhere"s, 100LL, -100LL, 100LL, -100LL}});
    MakeTable(dir, "PLACES"s,
              {{"1001"s, "London"s, 5131LL, 8LL, "0318"s, "0000"s},
               {"1002"s, "Moscow"s, 5545LL, -3737LL, "0325"s, "0000"s},
               {"1003"s, "Rome"s, 4154LL, -1231LL, "0331"s, "0000"s},
               {"1004"s, "Athens"s, 3759LL, -2344LL, "0296"s, "0000"s},
               {"1005"s, "No Zone"s, 0LL, 0LL, "0000"s, "0000"s},
               {"1005"s, "No Date"s, 0LL, 0LL, "0400"s, "0000"s}});
    MakeTable(dir, "ZONEID"s,
              {{"0296"s, "Europe/Athens"s, 19230301LL},
               {"0318"s, "Europe/London"s, 17520914LL},
               {"0325"s, "Europe/Moscow"s, 19180214LL},
               {"0331"s, "Europe/Rome"s, 15821015LL},
               {"0400"s, "Test/Undated"s, 0LL}});
}

} // namespace kyr::test
