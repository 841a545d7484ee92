// True longitudes from the Swiss Ephemeris, the data the ephemeris file is fitted to.
#pragma once

#include <array>
#include <vector>

namespace kyr::generator {

/// Apparent geocentric longitude of date of body index 1..11 at Julian day jd (UT), in
/// degrees [0, 360), from the built-in Moshier theory; body 11 is the mean lunar node.
double SweLongitude(int body, double jd);

/// Continuous (unwrapped) longitudes in minutes of arc of the eleven bodies, computed at
/// 0 h UT every day (the Moon), every second day (Mercury) or every fourth day (the rest)
/// and interpolated between.
class TTrueLongitudes {
public:
    /// Covers the days firstDay..lastDay after the epoch (both multiples of 4), computing
    /// on up to threadCount threads.
    TTrueLongitudes(int firstDay, int lastDay, int threadCount);

    /// Longitude of body 1..11 at x days after the epoch: the computed value on a grid day,
    /// otherwise the eight-point Lagrange polynomial through the surrounding grid days
    /// (within 0.03', mostly far less: sharper is only the light bending of a planet close
    /// to the Sun). x must lie four grid steps inside the covered days.
    double At(int body, double x) const;

private:
    int FFirstDay;
    std::array<std::vector<double>, 11> FValues;
};

} // namespace kyr::generator
