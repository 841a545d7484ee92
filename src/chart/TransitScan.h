// The working routines of the transit pass: daily longitudes of one slow body, the scan
// of one aspect to one natal point, and the story of the natal houses a body travels.
//
// All angles are whole minutes of arc (a full circle is 21600). Days are counted from
// day 0 of the span; the daily table starts s days earlier, at the first day of the
// record that holds day 0, so day d of the span is entry s + d of the table.
#pragma once

#include <cstdint>

namespace kyr {

/// Closeness byte of an exact aspect; each further unit is 4 minutes of arc.
constexpr int ClosenessExact = 5;

/// Closeness byte at the edge of orb O (minutes of arc), and of every day outside the orb.
constexpr int ClosenessEdge(int orb) {
    return orb / 4 + ClosenessExact;
}

/// Entry d of a daily table: 16-bit little-endian minutes of arc.
inline int DailyLongitude(const std::uint8_t *daily, int d) {
    return daily[2 * d] | (daily[2 * d + 1] << 8);
}

/// Expands the raw records into one longitude per day for body index 1..11.
///
/// raw holds whole 80-byte records, the first being the record before the one that
/// holds covered day 0; a record begins on covered day 0, 32, 64, ... The body's area
/// and step are those of the ephemeris file. Entry j of daily (2 bytes, little-endian)
/// receives the longitude at 0 h UT of covered day j, interpolated as the reader does
/// (four samples, unwrapped, cubic; the days between samples are stepped by differences,
/// within 1e-7 minutes of direct evaluation), reduced to 0..21599 and rounded down.
/// raw must hold the records up to the one two after the record of the last covered
/// day, that is coveredDays div 32 + 4 records.
///
/// Returns the largest change between two consecutive entries, the shorter way round:
/// the speed bound that ScanTransit uses to skip days that cannot come within its orb.
int ExpandDailyLongitudes(const std::uint8_t *raw, std::uint8_t *daily, int body, int coveredDays);

struct TTransitScan {
    bool InOrb = false; ///< some day of the span lies within the orb
    int First = 0;      ///< f: first in-orb day; 0 when none
    int Last = 0;       ///< l: one past the last in-orb day (f < l); 0 when none
};

/// Scans days 0..dayCount-1 of the daily table for the aspect of angle `aspect` (0..10800)
/// to the natal longitude `target`, within `orb`. A day is in orb when the deviation,
/// the separation of body and target folded to 0..10800 minus the aspect angle, taken
/// absolutely, is at most the orb; both sides of the target count.
///
/// closeness receives dayCount + 2 bytes: c[d + 1] for day d is 5 + deviation div 4 on
/// an in-orb day and ClosenessEdge(orb) on every other day, as are c[0] and
/// c[dayCount + 1], so that readers of a day just outside the span see the edge. With
/// closeness null only First and Last are found, which reads far fewer days.
///
/// maxDailyMotion must bound the change between consecutive table entries (the value
/// ExpandDailyLongitudes returns); days that this bound keeps out of orb are not read.
/// Between First and Last there may be days out of orb (a retrograde loop that leaves
/// the orb and comes back).
TTransitScan ScanTransit(const std::uint8_t *daily, std::uint8_t *closeness, int target,
                         int dayCount, int startOffset, int aspect, int orb, int maxDailyMotion);

/// Writes the house story of a body into bytes 26..99 of block, from its daily table for
/// days 0..dayCount-1 and the cusps in bytes 0..25 (cusp i = 1..13 as low byte, high byte
/// of minutes of arc; cusp 13 closes house 12).
///
/// An entry (16-bit little-endian day, 8-bit house) starts at day 0 and at every day on
/// which the house differs from the day before, retrograde returns included. The houses
/// are those of HouseOfLongitude: house h runs from cusp h up to, not including, cusp
/// h + 1, the first match wins. The closing entry has house 0 and day dayCount. The block
/// holds 24 entries: when the story needs more, the 24th is the closing entry, carrying
/// the day of the change that did not fit. A longitude that lies in no house (all cusps
/// equal) ends the story at that day. Bytes after the closing entry are 0.
void BuildHouseStory(const std::uint8_t *daily, std::uint8_t *block, int startOffset, int dayCount);

} // namespace kyr
