// True longitudes from the Swiss Ephemeris, the data the ephemeris file is fitted to.
#pragma once

#include <array>
#include <vector>

namespace kyr::generator {

/// Apparent geocentric longitude of date of body index 1..11 at Julian day jd (UT), in
/// degrees [0, 360), from the built-in Moshier theory; body 11 is the mean lunar node.
double SweLongitude(int body, double jd);

/// Continuous (unwrapped) longitudes in minutes of arc of the eleven bodies at 0 h UT of
/// the days firstDay..lastDay after the epoch, computed once and interpolated between.
class TDailyLongitudes {
public:
    /// Computes the days in parallel on up to threadCount threads.
    TDailyLongitudes(int firstDay, int lastDay, int threadCount);

    int FirstDay() const { return FFirstDay; }
    int LastDay() const { return FFirstDay + static_cast<int>(FValues[0].size()) - 1; }
    /// Longitude on a whole day.
    double AtDay(int body, int day) const { return FValues[body - 1][day - FFirstDay]; }
    /// Longitude at x days after the epoch, by the eight-point Lagrange polynomial through
    /// the surrounding days (accurate to about 1e-4 minutes even for the Moon); x must lie
    /// four days inside the computed range.
    double At(int body, double x) const;

private:
    int FFirstDay;
    std::array<std::vector<double>, 11> FValues;
};

} // namespace kyr::generator
