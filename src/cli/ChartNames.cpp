#include "ChartNames.h"

#include "ChartTypes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace kyr::cli {

namespace {

constexpr std::array<const char *, BodyCount> Bodies = {
    "Sun",    "Moon",   "Mercury", "Venus",   "Mars",       "Jupiter",
    "Saturn", "Uranus", "Neptune", "Pluto",   "North Node", "South Node"};

constexpr std::array<const char *, 12> Signs = {
    "Aries", "Taurus",  "Gemini",  "Cancer",      "Leo",       "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

constexpr std::array<const char *, 3> HouseSystems = {"Placidus", "Koch", "Equal"};

// A code out of range is a fault of the computation, not of the input.
[[noreturn]] void Unknown(const char *what, int code) {
    throw std::out_of_range(std::string("unknown ") + what + " " + std::to_string(code));
}

long long WholeMinutes(double degrees) {
    const long long minutes = static_cast<long long>(std::floor(degrees * 60));
    return std::clamp(minutes, 0LL, 360LL * 60 - 1);
}

} // namespace

std::string BodyName(int body) {
    if (body < 1 || body > BodyCount)
        Unknown("body", body);
    return Bodies[body - 1];
}

std::string SignName(int sign) {
    if (sign < 0 || sign > 11)
        Unknown("sign", sign);
    return Signs[sign];
}

std::string HouseSystemName(int system) {
    if (system < 0 || system > 2)
        Unknown("house system", system);
    return HouseSystems[system];
}

std::string AspectPointName(int point) {
    if (point == AspectPointAscendant)
        return "Ascendant";
    if (point == AspectPointMC)
        return "MC";
    if (point < 1 || point > BodyCount)
        Unknown("aspect point", point);
    return BodyName(point);
}

std::string TransitBodyName(int code) {
    if (code < 1 || code > 5)
        Unknown("transit body", code);
    return BodyName(plJupiter + code);
}

std::string NatalPointName(int code) {
    if (code >= 1 && code <= BodyCount)
        return BodyName(code);
    switch (code - 100) {
    case 1: return "Ascendant";
    case 4: return "IC";
    case 7: return "Descendant";
    case 10: return "MC";
    }
    if (code < 101 || code > 112)
        Unknown("natal point", code);
    return "Cusp " + std::to_string(code - 100);
}

int SignOfLongitude(double degrees) { return static_cast<int>(WholeMinutes(degrees) / 1800); }

int MinutesInSign(double degrees) { return static_cast<int>(WholeMinutes(degrees) % 1800); }

} // namespace kyr::cli
