// Named orb sets as text: one row per set and aspect point, nine whole-degree orbs each.
#pragma once

#include "ChartTypes.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace kyr {

class THoroscope;

/// The nine aspects that take orbs, in column order: 0, 30, 45, 60, 90, 120, 135, 150, 180.
constexpr int OrbColumnCount = 9;
/// Aspect slot of each column; the slots between (15, 75, 105, 165 degrees) get no orb.
constexpr std::array<int, OrbColumnCount> OrbColumnSlots = {1, 3, 4, 5, 7, 9, 10, 11, 13};
/// Widest orb a horoscope accepts: half a circle.
constexpr int MaxOrbDegrees = 180;

struct TOrbRow {
    std::string Name;
    int Point = 0; ///< aspect point 1..14
    std::array<int, OrbColumnCount> Degrees{};
};

/// Reads rows "name point d0 d30 d45 d60 d90 d120 d135 d150 d180"; '#' starts a comment and
/// blank lines are skipped. A malformed line, or a second row for the same set and point,
/// throws std::runtime_error naming the line.
std::vector<TOrbRow> ReadOrbSets(std::istream &in);

/// Loads the named set into the horoscope: all orbs to 0, then the set's rows. A set without a
/// row for point 1 loads nothing, as the orb table of the data store does. The horoscope is
/// deactivated meanwhile so that only the final activation recalculates.
void ApplyOrbSet(THoroscope &horoscope, const std::vector<TOrbRow> &rows, const std::string &name);

} // namespace kyr
