// Shared vocabulary of the chart computation: number type, bodies, signs, points.
#pragma once

#include <cstdint>
#include <string>

namespace kyr {

// Every angle, time, date value and coordinate is held in extended precision.
using Extended = long double;

// Bodies in their fixed order; the odd spellings are the enumeration's own.
enum TPlanet : int {
    plSun,
    plMoon,
    plMercury,
    plVenua,
    plMars,
    plJupiter,
    plSaturn,
    plUrania,
    plNeptune,
    plPluto,
    plNorthNode,
    plSouthNode
};

// A set of bodies: bit k stands for the body with ordinal k.
using TPlanetSet = std::uint16_t;

constexpr TPlanetSet PlanetBit(TPlanet p) { return static_cast<TPlanetSet>(1u << p); }

enum TSign : int {
    siAries,
    siTaurus,
    siGemini,
    siCancer,
    siLeo,
    siVirgo,
    siLibra,
    siScorpio,
    siSagittarius,
    siCapricorn,
    siAquarius,
    siPisces
};

// Body indices run 1..12 (ordinal + 1); the first eleven come from the ephemeris.
constexpr int BodyCount = 12;
constexpr int EphemerisBodyCount = 11;
constexpr int NorthNodeIndex = 11;
constexpr int SouthNodeIndex = 12;

// Chart points of the position table: 1..12 bodies, then the six computed cusps.
constexpr int PointMC = 13;
constexpr int PointCusp11 = 14;
constexpr int PointCusp12 = 15;
constexpr int PointAscendant = 16;
constexpr int PointCusp2 = 17;
constexpr int PointCusp3 = 18;
constexpr int ChartPointCount = 18;

// Aspect points: 1..12 bodies, 13 Ascendant, 14 Midheaven.
constexpr int AspectPointAscendant = 13;
constexpr int AspectPointMC = 14;
constexpr int AspectPointCount = 14;

// House systems.
constexpr int HousePlacidus = 0;
constexpr int HouseKoch = 1;
constexpr int HouseEqual = 2;

// Aspect slots 1..13 stand for (slot - 1) * 15 degrees.
constexpr int AspectSlotCount = 13;

// Short text fields of the birth data hold at most this many characters.
constexpr std::size_t String48Length = 48;

} // namespace kyr
