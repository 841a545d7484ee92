// Day numbers computed without the program's calendar code, to check it against: Fliegel and
// Van Flandern's integer algorithms, giving the Julian day of noon of a date.
#pragma once

namespace kyr::test {

inline long GregorianDayNumber(long y, long m, long d) {
    return (1461 * (y + 4800 + (m - 14) / 12)) / 4 + (367 * (m - 2 - 12 * ((m - 14) / 12))) / 12 -
           (3 * ((y + 4900 + (m - 14) / 12) / 100)) / 4 + d - 32075;
}

inline long JulianCalendarDayNumber(long y, long m, long d) {
    return 367 * y - (7 * (y + 5001 + (m - 9) / 7)) / 4 + (275 * m) / 9 + d + 1729777;
}

} // namespace kyr::test
