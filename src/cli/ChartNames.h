// English names of the chart's bodies, signs, points and house systems.
#pragma once

#include <string>

namespace kyr::cli {

/// Body index 1..12 (Sun .. South Node).
std::string BodyName(int body);
/// Sign 0..11 (Aries .. Pisces).
std::string SignName(int sign);
/// House system 0..2 (Placidus, Koch, Equal).
std::string HouseSystemName(int system);
/// Aspect point 1..14: the bodies, then "Ascendant" and "MC".
std::string AspectPointName(int point);
/// Transit body code 1..5 (Jupiter .. Pluto).
std::string TransitBodyName(int code);
/// Natal point of a transit: body 1..12, or 100 + cusp 1..12 ("Ascendant", "IC",
/// "Descendant", "MC" for the angles, "Cusp N" for the others).
std::string NatalPointName(int code);

/// Sign 0..11 of a longitude in degrees [0, 360), decided on whole minutes of arc so that
/// it agrees with the truncated degrees and minutes shown in the sign.
int SignOfLongitude(double degrees);
/// Whole minutes of arc of the longitude within its sign, 0..1799.
int MinutesInSign(double degrees);

} // namespace kyr::cli
