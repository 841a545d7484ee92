#include "Houses.h"

#include "Angles.h"
#include "Horoscope.h"

#include <cmath>
#include <cstdlib>

namespace kyr {

namespace {

// Iteration stops once the last correction was at most this (radians); one more step
// follows, which with Newton's convergence is far below a second of arc.
constexpr Extended PlacidusTolerance = 0.0002L;

// tan(obliquity) * tan(latitude): with sin(RA) it gives minus the cosine of the diurnal
// semi-arc of the ecliptic point at that right ascension.
Extended LatitudeFactor(const THoroscope &horoscope) {
    const Extended phi = DegToRad(DmsToDegrees(horoscope.Latitude()));
    return SafeTan(Obliquity) * SafeTan(phi);
}

Extended Ascendant(Extended k, Extended x) {
    const Extended a = x + HalfPi;
    const Extended e = ReduceHalfTurn(VectorAngle(-k * std::sin(a), k * std::cos(a) - 1));
    return EquatorialToEcliptic(a - e + HalfPi);
}

// The ecliptic point whose right ascension lies the fraction c of its own semi-arc from
// the meridian; y is found by Newton's method.
Extended PlacidusCusp(Extended k, int h, Extended x) {
    const int b = h - 7;
    const Extended c = std::abs(b) / 3.0L - 1;
    const Extended a = x + (b - std::abs(b)) * Pi / 6;
    if (b == -6)
        return Ascendant(k, a);
    Extended y = a + c * HalfPi;
    if (c == 0)
        return EquatorialToEcliptic(y);
    Extended f = 0;
    int steps = 0;
    do {
        if (steps++ == PlacidusMaxSteps)
            throw EInvalidOp("Placidus iteration does not converge");
        const Extended s = -k * std::sin(y);
        f = y - c * ArcCos(s) - a;
        y += f / (c * k * std::cos(y) / CheckedSqrt(1 - s * s) - 1);
    } while (!(std::fabs(f) <= PlacidusTolerance));
    return EquatorialToEcliptic(y);
}

// Ascendants at the sidereal times that divide the MC degree's diurnal semi-arc into thirds,
// counted from its rising.
Extended KochCusp(Extended k, int h, Extended x) {
    const int b = h <= 9 ? h - 1 : h - 13;
    const Extended y = x + (b / 3.0L) * ArcCos(-k * std::sin(x));
    return NormalizeAngle(Ascendant(k, y));
}

Extended EqualCuspFrom(Extended ascendant, int h) {
    return WrapOnce(ascendant + (h - 1) * Pi / 6);
}

Extended EqualCusp(Extended k, int h, Extended x) {
    return EqualCuspFrom(Ascendant(k, x), h);
}

// Chart points 13, 14, 15 are cusps 10, 11, 12; points 16, 17, 18 are cusps 1, 2, 3.
int CuspOfChartPoint(int point) {
    if (point < PointMC || point > PointCusp3)
        throw EHoroscopeException("Incorrect Position Index.");
    return point <= PointCusp12 ? point - 3 : point - 15;
}

// Half-open interval [lo, hi) of D.MM degrees, wrapping through 0 when lo > hi.
bool InInterval(Extended lo, Extended hi, Extended d) {
    if (lo <= hi)
        return lo <= d && d < hi;
    return (lo <= d && d < 360) || (0 <= d && d < hi);
}

void RequireBodyOrdinal(int planet) {
    if (planet < plSun || planet > plSouthNode)
        throw EHoroscopeException("Incorrect Position Index.");
}

} // namespace

Extended AscendantAt(const THoroscope &horoscope, Extended x) {
    return Ascendant(LatitudeFactor(horoscope), x);
}

Extended CuspOfPoint(THoroscope &horoscope, int point, Extended x) {
    const int h = CuspOfChartPoint(point);
    const Extended k = LatitudeFactor(horoscope);
    Extended cusp = 0;
    try {
        switch (horoscope.HouseSystem()) {
        case HousePlacidus:
            cusp = PlacidusCusp(k, h, x);
            break;
        case HouseKoch:
            cusp = KochCusp(k, h, x);
            break;
        case HouseEqual:
            cusp = EqualCusp(k, h, x);
            break;
        default:
            throw EHoroscopeException("Invalid House System!");
        }
    } catch (const EInvalidOp &) {
        // Near the polar circles; the recalculation repeats the pass with Equal houses.
        horoscope.NumericalFailure = true;
        cusp = 0;
    }
    return NormalizeAngle(cusp);
}

Extended MidheavenAt(Extended x) {
    return NormalizeAngle(EquatorialToEcliptic(x));
}

void ComputeCusps(THoroscope &horoscope) {
    const Extended x = horoscope.Moment.LST;
    for (int point : {PointMC, PointAscendant, PointCusp11, PointCusp12, PointCusp2, PointCusp3})
        horoscope.Positions[point] = CuspOfPoint(horoscope, point, x);
    // Equal houses put cusp 10 square to the Ascendant, not on the meridian.
    if (horoscope.HouseSystem() == HouseEqual)
        horoscope.Positions[PointMC] = MidheavenAt(x);
}

void BuildCuspTable(THoroscope &horoscope) {
    auto &c = horoscope.CuspTable;
    const auto &p = horoscope.Positions;
    c[1] = p[PointAscendant];
    c[2] = p[PointCusp2];
    c[3] = p[PointCusp3];
    c[10] = horoscope.HouseSystem() == HouseEqual
                ? NormalizeAngle(EqualCuspFrom(p[PointAscendant], 10))
                : p[PointMC];
    c[11] = p[PointCusp11];
    c[12] = p[PointCusp12];
    for (int i = 1; i <= 3; ++i) {
        c[i + 6] = NormalizeAngle(c[i] - Pi);
        c[i + 3] = NormalizeAngle(c[i + 9] - Pi);
    }
    c[0] = c[12];
    c[13] = c[1];

    // Minutes of arc of C[1..13], low byte first.
    std::string text;
    for (int i = 1; i <= 13; ++i) {
        const long long v = Trunc(c[i] / Pi * 10800);
        text += static_cast<char>(v % 256);
        text += static_cast<char>(v / 256);
    }
    text.resize(CuspTextLength);
    horoscope.CuspText = text;
}

int THoroscope::HouseOfLongitude(Extended degreesDm) const {
    for (int h = 1; h <= 12; ++h)
        if (InInterval(CuspDeg(h), CuspDeg(h + 1), degreesDm))
            return h;
    return 0;
}

int THoroscope::HouseOfBody(int planet) const {
    RequireBodyOrdinal(planet);
    return HouseOfLongitude(PositionDeg(planet + 1));
}

TPlanetSet THoroscope::BodiesInHouse(int house) const {
    if (house < 1 || house > 12)
        return 0;
    const Extended lo = CuspDeg(house);
    const Extended hi = CuspDeg(house + 1);
    TPlanetSet set = 0;
    for (int b = 1; b <= BodyCount; ++b)
        if (InInterval(lo, hi, PositionDeg(b)))
            set |= static_cast<TPlanetSet>(1u << (b - 1));
    return set;
}

TPlanetSet THoroscope::BodiesInSign(int sign) const {
    TPlanetSet set = 0;
    for (int b = 1; b <= BodyCount; ++b) {
        const Extended d = PositionDeg(b);
        if (30 * sign <= d && d < 30 * sign + 30)
            set |= static_cast<TPlanetSet>(1u << (b - 1));
    }
    return set;
}

int THoroscope::SignOfBody(int planet) const {
    RequireBodyOrdinal(planet);
    return static_cast<int>(Trunc(PositionDeg(planet + 1) / 30) % 12);
}

} // namespace kyr
