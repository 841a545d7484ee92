// The generated ephemeris file, read through the program's own reader, against the Swiss
// Ephemeris (Moshier theory, mean node) computed directly at the same moments.
#include "Angles.h"
#include "Ephemeris.h"
#include "Horoscope.h"
#include "HoroscopeException.h"
#include "ProgramDirectory.h"

#include <swephexp.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

using namespace kyr;

namespace {

struct TBodyCase {
    const char *Name;
    int SweBody;
    double MaxError; ///< minutes of arc
    bool Retrograde; ///< whether the reader's retrograde flag follows the motion
};

// Index b - 1 for body b. The bounds are wider for the bodies whose speed changes fast
// between samples. The program never flags the node, which always moves backwards.
constexpr TBodyCase Bodies[EphemerisBodyCount] = {
    {"Sun", SE_SUN, 1.0, true},         {"Moon", SE_MOON, 1.5, true},
    {"Mercury", SE_MERCURY, 2.5, true}, {"Venus", SE_VENUS, 2.0, true},
    {"Mars", SE_MARS, 1.0, true},       {"Jupiter", SE_JUPITER, 1.0, true},
    {"Saturn", SE_SATURN, 1.5, true},   {"Uranus", SE_URANUS, 1.0, true},
    {"Neptune", SE_NEPTUNE, 1.0, true}, {"Pluto", SE_PLUTO, 1.0, true},
    {"Node", SE_MEAN_NODE, 1.0, false}};

constexpr double MeanErrorBound = 0.35;
constexpr int RandomMoments = 4000;

double Julian(int year, int month, int day, double hour = 0) {
    return swe_julday(year, month, day, hour, SE_GREG_CAL);
}

struct TSweBody {
    double Longitude; ///< degrees
    double Speed;     ///< degrees per day
};

TSweBody SweBody(int body, double jd) {
    double x[6];
    char error[AS_MAXCH];
    if (swe_calc_ut(jd, Bodies[body - 1].SweBody, SEFLG_MOSEPH | SEFLG_SPEED, x, error) < 0)
        ADD_FAILURE() << "swe_calc_ut: " << error;
    return {x[0], x[3]};
}

// Signed difference in minutes of arc, taken across 0/360 degrees.
double ArcMinutes(Extended radians, double degrees) {
    return 60 * std::remainder(static_cast<double>(radians * 180 / Pi) - degrees, 360.0);
}

// An interpolant within E of the true longitude may be off in its slope by a few E per
// sampling step, so the flag can disagree with the motion while the speed is that small.
double StationMargin(int body) {
    return 4 * Bodies[body - 1].MaxError / EphemerisStep(body) / 60;
}

class EphemerisAccuracy : public ::testing::Test {
protected:
    void SetUp() override {
        ResetEphemeris();
        SetProgramDirectory(KYR_PROGRAM_DIR);
        ASSERT_TRUE(OpenEphemeris()) << "no " << EphemerisPath();
    }
    void TearDown() override {
        ResetEphemeris();
        SetProgramDirectory("");
    }

    // The edges of the range the file must cover, then pseudo-random moments through
    // 1500-01-21 .. 2100-12-31 (a fixed seed: a failure must repeat).
    static std::vector<double> Moments() {
        std::vector<double> moments = {Julian(1500, 1, 21), Julian(1500, 1, 21, 13.5),
                                       Julian(2100, 12, 31, 23.99), Julian(2101, 3, 31, 23.99)};
        std::mt19937_64 random(20240601);
        std::uniform_real_distribution<double> uniform(Julian(1500, 1, 21), Julian(2101, 1, 1));
        for (int i = 0; i < RandomMoments; ++i)
            moments.push_back(uniform(random));
        return moments;
    }

    THoroscope Chart;
};

TEST_F(EphemerisAccuracy, LongitudesFollowTheSwissEphemeris) {
    double maxError[EphemerisBodyCount + 1] = {};
    double sumError[EphemerisBodyCount + 1] = {};
    double worstMoment[EphemerisBodyCount + 1] = {};
    const std::vector<double> moments = Moments();
    for (const double jd : moments) {
        EvaluateBodies(Chart, AllBodiesMask, jd);
        for (int b = 1; b <= EphemerisBodyCount; ++b) {
            const double e = std::fabs(ArcMinutes(Chart.Positions[b], SweBody(b, jd).Longitude));
            sumError[b] += e;
            if (e > maxError[b]) {
                maxError[b] = e;
                worstMoment[b] = jd;
            }
        }
    }
    std::printf("%-8s %9s %9s   (minutes of arc, %zu moments)\n", "body", "max", "mean",
                moments.size());
    for (int b = 1; b <= EphemerisBodyCount; ++b) {
        const TBodyCase &body = Bodies[b - 1];
        const double mean = sumError[b] / static_cast<double>(moments.size());
        std::printf("%-8s %9.3f %9.3f\n", body.Name, maxError[b], mean);
        EXPECT_LE(maxError[b], body.MaxError)
            << body.Name << " at JD " << std::fixed << worstMoment[b];
        EXPECT_LE(mean, MeanErrorBound) << body.Name;
    }
}

TEST_F(EphemerisAccuracy, RetrogradeFlagsFollowTheMotion) {
    int compared[EphemerisBodyCount + 1] = {};
    int retrograde[EphemerisBodyCount + 1] = {};
    for (const double jd : Moments()) {
        EvaluateBodies(Chart, AllBodiesMask, jd);
        for (int b = 1; b <= EphemerisBodyCount; ++b) {
            if (!Bodies[b - 1].Retrograde)
                continue;
            const double speed = SweBody(b, jd).Speed;
            if (std::fabs(speed) <= StationMargin(b))
                continue;
            ++compared[b];
            retrograde[b] += speed < 0;
            EXPECT_EQ(Chart.RetrogradeFlags[b], speed < 0)
                << Bodies[b - 1].Name << " at JD " << std::fixed << jd << ", speed " << speed
                << " deg/day";
        }
    }
    // The margins must leave nearly all moments compared, and the planets' retrograde
    // stretches among them.
    for (int b = 1; b <= EphemerisBodyCount; ++b) {
        if (!Bodies[b - 1].Retrograde)
            continue;
        EXPECT_GT(compared[b], RandomMoments * 9 / 10) << Bodies[b - 1].Name;
        if (b >= 3) {
            EXPECT_GT(retrograde[b], RandomMoments / 20) << Bodies[b - 1].Name;
        }
    }
}

TEST_F(EphemerisAccuracy, CoversExactlyTheEvaluableRange) {
    const double minute = 1.0 / 1440;
    const double first = Julian(1500, 1, 21);
    EXPECT_NO_THROW(EvaluateBodies(Chart, AllBodiesMask, first));
    EXPECT_THROW(EvaluateBodies(Chart, AllBodiesMask, first - minute), EHoroscopeException);

    // The whole first quarter of 2101 evaluates, and the file ends a few records later.
    const double end = static_cast<double>(EphemerisEndJulianDay());
    EXPECT_GE(end, Julian(2101, 4, 1));
    EXPECT_LT(end, Julian(2101, 4, 1) + 4 * EphemerisRecordDays);
    EXPECT_NO_THROW(EvaluateBodies(Chart, AllBodiesMask, end - minute));
    EXPECT_THROW(EvaluateBodies(Chart, AllBodiesMask, end), EHoroscopeException);
}

} // namespace
