#include "OrbSets.h"

#include "Horoscope.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace kyr {

namespace {

constexpr int FieldCount = 2 + OrbColumnCount;

[[noreturn]] void Fail(int lineNumber, const std::string &what) {
    throw std::runtime_error("orb sets, line " + std::to_string(lineNumber) + ": " + what);
}

int ParseInt(const std::string &field, int low, int high, int lineNumber, const char *what) {
    int value = 0;
    const char *end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (ec != std::errc() || ptr != end)
        Fail(lineNumber, std::string(what) + " '" + field + "' is not a whole number");
    if (value < low || value > high)
        Fail(lineNumber, std::string(what) + " " + field + " is outside " + std::to_string(low) +
                             ".." + std::to_string(high));
    return value;
}

} // namespace

std::vector<TOrbRow> ReadOrbSets(std::istream &in) {
    std::vector<TOrbRow> rows;
    std::set<std::pair<std::string, int>> seen;
    std::string line;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
        line.erase(std::min(line.find('#'), line.size()));
        std::istringstream fields(line);
        std::vector<std::string> f;
        for (std::string field; fields >> field;)
            f.push_back(field);
        if (f.empty())
            continue;
        if (f.size() != FieldCount)
            Fail(lineNumber, "expected a set name, a point and " + std::to_string(OrbColumnCount) +
                                 " orbs, found " + std::to_string(f.size()) + " fields");
        TOrbRow row;
        row.Name = f[0];
        row.Point = ParseInt(f[1], 1, AspectPointCount, lineNumber, "point");
        for (int k = 0; k < OrbColumnCount; ++k)
            row.Degrees[k] = ParseInt(f[2 + k], 0, MaxOrbDegrees, lineNumber, "orb");
        // The data store keys the rows by set and point.
        if (!seen.emplace(row.Name, row.Point).second)
            Fail(lineNumber, "second row for set " + row.Name + ", point " + f[1]);
        rows.push_back(std::move(row));
    }
    return rows;
}

void ApplyOrbSet(THoroscope &horoscope, const std::vector<TOrbRow> &rows, const std::string &name) {
    std::vector<const TOrbRow *> set;
    for (const TOrbRow &row : rows)
        if (row.Name == name)
            set.push_back(&row);
    // Checked before anything changes, so that a bad row cannot leave the horoscope inactive.
    for (const TOrbRow *row : set) {
        if (row->Point < 1 || row->Point > AspectPointCount)
            throw std::invalid_argument("orb set " + name + ": point " +
                                        std::to_string(row->Point) + " is outside 1.." +
                                        std::to_string(AspectPointCount));
        for (int degrees : row->Degrees)
            if (degrees < 0 || degrees > MaxOrbDegrees)
                throw std::invalid_argument("orb set " + name + ": orb " + std::to_string(degrees) +
                                            " is outside 0.." + std::to_string(MaxOrbDegrees));
    }
    std::stable_sort(set.begin(), set.end(),
                     [](const TOrbRow *x, const TOrbRow *y) { return x->Point < y->Point; });
    // The store's lookup starts at the row for point 1; without it nothing is loaded.
    if (!set.empty() && set.front()->Point != 1)
        set.clear();

    const bool wasActive = horoscope.Active();
    horoscope.SetActive(false);
    for (int slot = 1; slot <= AspectSlotCount; ++slot)
        for (int point = 1; point <= AspectPointCount; ++point)
            horoscope.SetOrb(slot, point, 0);
    for (const TOrbRow *row : set)
        for (int k = 0; k < OrbColumnCount; ++k)
            horoscope.SetOrb(OrbColumnSlots[k], row->Point, row->Degrees[k]);
    horoscope.SetActive(wasActive);
}

} // namespace kyr
