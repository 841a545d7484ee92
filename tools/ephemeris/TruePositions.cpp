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

constexpr std::array<int, 11> SweBodies = {SE_SUN,     SE_MOON,    SE_MERCURY, SE_VENUS,
                                           SE_MARS,    SE_JUPITER, SE_SATURN,  SE_URANUS,
                                           SE_NEPTUNE, SE_PLUTO,   SE_MEAN_NODE};

constexpr int LagrangePoints = 8;

} // namespace

double SweLongitude(int body, double jd) {
    double x[6];
    char error[AS_MAXCH] = "";
    if (swe_calc_ut(jd, SweBodies.at(body - 1), SEFLG_MOSEPH, x, error) < 0)
        throw std::runtime_error("swe_calc_ut failed at JD " + std::to_string(jd) + ": " + error);
    return x[0];
}

TDailyLongitudes::TDailyLongitudes(int firstDay, int lastDay, int threadCount)
    : FFirstDay(firstDay) {
    const int count = lastDay - firstDay + 1;
    for (auto &values : FValues)
        values.resize(count);
    // The library keeps its state per thread, so each thread takes a contiguous block
    // of days and asks for all bodies at one moment in turn (the Earth and nutation are
    // then computed once per moment).
    threadCount = std::clamp(threadCount, 1, 16);
    std::vector<std::thread> threads;
    std::vector<std::string> errors(threadCount);
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            try {
                const int begin = static_cast<int>(static_cast<long long>(count) * t / threadCount);
                const int end = static_cast<int>(static_cast<long long>(count) * (t + 1) / threadCount);
                for (int i = begin; i < end; ++i) {
                    const double jd = static_cast<double>(EphemerisEpoch) + firstDay + i;
                    for (int b = 1; b <= 11; ++b)
                        FValues[b - 1][i] = 60 * SweLongitude(b, jd);
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
    // Make each series continuous across 0/360 degrees: no body moves half a circle a day.
    for (auto &values : FValues) {
        double shift = 0;
        for (int i = 1; i < count; ++i) {
            const double raw = values[i] + shift;
            if (raw - values[i - 1] > MinutesPerCircle / 2)
                shift -= MinutesPerCircle;
            else if (values[i - 1] - raw > MinutesPerCircle / 2)
                shift += MinutesPerCircle;
            values[i] += shift;
        }
    }
}

double TDailyLongitudes::At(int body, double x) const {
    const auto &values = FValues[body - 1];
    const double local = x - FFirstDay;
    const int base = static_cast<int>(std::floor(local));
    const double u = local - base;
    if (u == 0 && base >= 0 && base < static_cast<int>(values.size()))
        return values[base];
    const int first = base - LagrangePoints / 2 + 1;
    if (first < 0 || first + LagrangePoints > static_cast<int>(values.size()))
        throw std::out_of_range("day " + std::to_string(x) + " outside the computed range");
    // Relative to the first node so that the large continuous values do not cost precision.
    const double origin = values[first];
    const double v = u + (base - first); // position counted from the first node
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
