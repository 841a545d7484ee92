#include "TruePositions.h"

#include "Calendar.h"
#include "Interpolation.h"

#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <thread>

namespace kyr::generator {

namespace {

constexpr std::array<int, 11> SweBodies = {SE_SUN,     SE_MOON,    SE_MERCURY,  SE_VENUS,
                                           SE_MARS,    SE_JUPITER, SE_SATURN,   SE_URANUS,
                                           SE_NEPTUNE, SE_PLUTO,   SE_MEAN_NODE};

// Grid spacing in days per body; each divides the body's sampling step, so the samples
// themselves are computed values. Finer grids change the interpolated truth by less than
// 0.03', while the Moon's needs one day.
constexpr std::array<int, 11> Spacing = {4, 1, 2, 4, 4, 4, 4, 4, 4, 4, 4};
constexpr int CoarsestSpacing = 4;

constexpr int LagrangePoints = 8;

} // namespace

double SweLongitude(int body, double jd) {
    double x[6];
    char error[AS_MAXCH] = "";
    if (swe_calc_ut(jd, SweBodies.at(body - 1), SEFLG_MOSEPH, x, error) < 0)
        throw std::runtime_error("swe_calc_ut failed at JD " + std::to_string(jd) + ": " + error);
    return x[0];
}

TTrueLongitudes::TTrueLongitudes(int firstDay, int lastDay, int threadCount) : FFirstDay(firstDay) {
    if (firstDay % CoarsestSpacing != 0 || lastDay % CoarsestSpacing != 0 || lastDay <= firstDay)
        throw std::invalid_argument("true longitudes: bad day range");
    const int days = lastDay - firstDay;
    for (int b = 0; b < 11; ++b)
        FValues[b].resize(days / Spacing[b] + 1);
    // The library keeps its state per thread, so each thread takes a block of days and
    // computes all bodies due at a moment one after the other (the Earth and the nutation
    // are then computed once per moment).
    threadCount = std::clamp(threadCount, 1, 16);
    // Thread t computes the days from start(t) to start(t + 1), whole blocks of the coarsest
    // spacing.
    const long long blocks = days / CoarsestSpacing + 1;
    auto start = [&](int t) {
        return std::min(days + 1, CoarsestSpacing * static_cast<int>(blocks * t / threadCount));
    };
    std::vector<std::thread> threads;
    std::vector<std::string> errors(threadCount);
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            try {
                const int begin = start(t), end = start(t + 1);
                for (int i = begin; i < end; ++i) {
                    const double jd = static_cast<double>(EphemerisEpoch) + firstDay + i;
                    for (int b = 0; b < 11; ++b)
                        if (i % Spacing[b] == 0)
                            FValues[b][i / Spacing[b]] = 60 * SweLongitude(b + 1, jd);
                }
            } catch (const std::exception &e) {
                errors[t] = e.what();
            }
        });
    }
    for (auto &thread : threads)
        thread.join();
    for (const auto &error : errors)
        if (!error.empty())
            throw std::runtime_error(error);
    // Make each series continuous across 0/360 degrees: no body moves half a circle
    // between grid days.
    for (auto &values : FValues) {
        double shift = 0;
        for (std::size_t i = 1; i < values.size(); ++i) {
            const double raw = values[i] + shift;
            if (raw - values[i - 1] > MinutesPerCircle / 2)
                shift -= MinutesPerCircle;
            else if (values[i - 1] - raw > MinutesPerCircle / 2)
                shift += MinutesPerCircle;
            values[i] += shift;
        }
    }
}

double TTrueLongitudes::At(int body, double x) const {
    const auto &values = FValues.at(body - 1);
    const int spacing = Spacing[body - 1];
    const double local = (x - FFirstDay) / spacing;
    const int base = static_cast<int>(std::floor(local));
    const double u = local - base;
    if (u == 0 && base >= 0 && base < static_cast<int>(values.size()))
        return values[base];
    const int first = base - LagrangePoints / 2 + 1;
    if (first < 0 || first + LagrangePoints > static_cast<int>(values.size()))
        throw std::out_of_range("day " + std::to_string(x) + " outside the true longitudes");
    // Relative to the first node, so that values of many turns cost no precision.
    const double origin = values[first];
    const double v = u + (base - first); // position counted in grid steps from that node
    double sum = 0;
    for (int k = 0; k < LagrangePoints; ++k) {
        double weight = 1;
        for (int m = 0; m < LagrangePoints; ++m)
            if (m != k)
                weight *= (v - m) / (k - m);
        sum += weight * (values[first + k] - origin);
    }
    return origin + sum;
}

} // namespace kyr::generator
