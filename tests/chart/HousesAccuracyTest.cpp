// Ascendant, MC and the Placidus and Koch intermediate cusps against the Swiss Ephemeris.
//
// Two comparisons over the same pseudo-random charts (latitudes within 60 degrees):
//  - at our own RAMC and obliquity (swe_houses_armc): what remains is the house algorithm;
//  - from the birth moment (swe_houses_ex, births 1800..2099): adds our mean sidereal time
//    (some 16" behind, no nutation) and linear mean obliquity against apparent sidereal
//    time and true obliquity; high latitudes magnify that in the cusps near the horizon.
#include "Angles.h"
#include "Horoscope.h"
#include "Houses.h"

#include <gtest/gtest.h>
#include <swephexp.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>

namespace kyr {
namespace {

constexpr int ChartCount = 1000;
constexpr double LimitMinutes = 2.5;
// Like for like, only the house algorithm differs: a wrong formula or an iteration stopped
// early shows far above this.
constexpr double AlgorithmLimitMinutes = 0.01;
constexpr Extended TrueDegree = Pi / 180;

// Portable uniform numbers: the engine is fixed by the standard, the distributions are not.
class TRandom {
public:
    explicit TRandom(std::uint64_t seed) : FEngine(seed) {}
    double Uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(FEngine() >> 11) * 0x1p-53;
    }
    int Between(int low, int high) {
        return low + static_cast<int>(FEngine() % static_cast<std::uint64_t>(high - low + 1));
    }

private:
    std::mt19937_64 FEngine;
};

// D.MMSS from whole seconds of arc.
Extended SecondsToDms(long seconds) {
    const long a = std::labs(seconds);
    const Extended dms = a / 3600 + (a / 60 % 60) / 100.0L + (a % 60) / 10000.0L;
    return seconds < 0 ? -dms : dms;
}

double GapMinutes(double ourDegrees, double theirDegrees) {
    return std::fabs(std::remainder(ourDegrees - theirDegrees, 360.0)) * 60;
}

struct TCuspKind {
    const char *Name;
    int Point;     // our chart point
    int SweIndex;  // index into the Swiss cusp array
};

constexpr std::array<TCuspKind, 6> Kinds = {{
    {"Ascendant", PointAscendant, 1},
    {"MC", PointMC, 10},
    {"cusp 11", PointCusp11, 11},
    {"cusp 12", PointCusp12, 12},
    {"cusp 2", PointCusp2, 2},
    {"cusp 3", PointCusp3, 3},
}};

struct TWorst {
    std::array<double, Kinds.size()> Minutes{};
    std::array<double, Kinds.size()> Latitude{};
    void Note(std::size_t kind, double minutes, double latitude) {
        if (minutes > Minutes[kind]) {
            Minutes[kind] = minutes;
            Latitude[kind] = latitude;
        }
    }
};

struct TSystemCase {
    int System;
    char SweCode;
};

constexpr TSystemCase Systems[] = {{HousePlacidus, 'P'}, {HouseKoch, 'K'}};

class HousesAccuracy : public ::testing::Test {
protected:
    static void TearDownTestSuite() { swe_close(); }

    // A random birth moment between 1800 and 2100 at |latitude| <= 60 degrees.
    static void RandomChart(TRandom &random, THoroscope &h) {
        const int year = random.Between(1800, 2099);
        const int month = random.Between(1, 12);
        const int day = random.Between(1, 28);
        h.SetBirthDate((year * 10000 + month * 100 + day) / 10000.0L);
        h.SetBirthTime(random.Between(0, 23) + random.Between(0, 59) / 100.0L);
        h.SetLatitude(SecondsToDms(random.Between(-60 * 3600, 60 * 3600)));
        h.SetLongitude(SecondsToDms(random.Between(-180 * 3600, 180 * 3600)));
    }

    static void Report(const char *title, char sweCode, const TWorst &worst) {
        std::printf("%s, system %c: largest difference (arc minutes, at latitude)\n", title,
                    sweCode);
        for (std::size_t k = 0; k < Kinds.size(); ++k)
            std::printf("  %-9s %9.5f'  (%+.2f)\n", Kinds[k].Name, worst.Minutes[k],
                        worst.Latitude[k]);
    }

    static void ExpectWithinLimit(const TWorst &worst, char sweCode, double limit) {
        for (std::size_t k = 0; k < Kinds.size(); ++k)
            EXPECT_LE(worst.Minutes[k], limit) << sweCode << " " << Kinds[k].Name;
    }
};

TEST_F(HousesAccuracy, AlgorithmAtOurRamcAndObliquity) {
    for (const auto &system : Systems) {
        TRandom random(19410806);
        TWorst worst;
        double literalFactorShift = 0; // degrees read through RadToDeg rather than 180/pi
        for (int n = 0; n < ChartCount; ++n) {
            THoroscope h;
            RandomChart(random, h);
            ASSERT_NE(h.HouseSystem(), HouseEqual);
            h.SetHouseSystem(system.System);
            ComputeCusps(h);
            ASSERT_FALSE(h.NumericalFailure);

            // Our latitude in radians, read back exactly: same geometry on both sides.
            const double phi = static_cast<double>(DegToRad(DmsToDegrees(h.Latitude())));
            const double latitude = phi / static_cast<double>(TrueDegree);
            std::array<double, 13> cusps{};
            std::array<double, 10> ascmc{};
            swe_houses_armc(static_cast<double>(h.Moment.LST / TrueDegree), latitude,
                            static_cast<double>(Obliquity / TrueDegree), system.SweCode,
                            cusps.data(), ascmc.data());
            for (std::size_t k = 0; k < Kinds.size(); ++k) {
                const Extended ours = h.Positions[Kinds[k].Point];
                worst.Note(k, GapMinutes(static_cast<double>(ours / TrueDegree),
                                         cusps[Kinds[k].SweIndex]),
                           latitude);
                literalFactorShift = std::max(
                    literalFactorShift, static_cast<double>(std::fabs(RadToDeg(ours) -
                                                                      ours / TrueDegree)));
            }
        }
        Report("Our RAMC and obliquity", system.SweCode, worst);
        std::printf("  degrees through the literal conversion factor differ by at most "
                    "%.3g\" from 180/pi\n",
                    literalFactorShift * 3600);
        ExpectWithinLimit(worst, system.SweCode, AlgorithmLimitMinutes);
    }
}

TEST_F(HousesAccuracy, FullChartFromTheBirthMoment) {
    for (const auto &system : Systems) {
        TRandom random(19410806);
        TWorst worst;
        for (int n = 0; n < ChartCount; ++n) {
            THoroscope h;
            RandomChart(random, h);
            h.SetHouseSystem(system.System);
            ComputeCusps(h);
            ASSERT_FALSE(h.NumericalFailure);

            const double latitude = static_cast<double>(DmsToDegrees(h.Latitude()));
            const double eastLongitude = static_cast<double>(-DmsToDegrees(h.Longitude()));
            std::array<double, 13> cusps{};
            std::array<double, 10> ascmc{};
            swe_houses_ex(static_cast<double>(h.Moment.JulianDay), 0, latitude, eastLongitude,
                          system.SweCode, cusps.data(), ascmc.data());
            for (std::size_t k = 0; k < Kinds.size(); ++k)
                worst.Note(k,
                           GapMinutes(static_cast<double>(RadToDeg(h.Positions[Kinds[k].Point])),
                                      cusps[Kinds[k].SweIndex]),
                           latitude);
        }
        Report("Full chart from the birth moment", system.SweCode, worst);
        ExpectWithinLimit(worst, system.SweCode, LimitMinutes);
    }
}

} // namespace
} // namespace kyr
