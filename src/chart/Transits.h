// Transits of the slow bodies over a horoscope across a span of years.
#pragma once

#include "Horoscope.h"

namespace kyr {

/// First transit body (Jupiter); a record's body code is the body index minus 5.
constexpr int FirstTransitBody = 6;
constexpr int LastTransitBody = 10;
/// Transit aspects 0..8 in degrees.
constexpr int TransitAspectAngles[9] = {0, 30, 45, 60, 90, 120, 135, 150, 180};
/// Longest curve GetTransitCurve fills.
constexpr int MaxTransitCurveLength = 1023;

/// Orb in degrees of transit body 6..10, independent of the chart's orb table.
int TransitOrbDegrees(int body);

/// The span from 1 January fromYear through 1 January toYear (Gregorian): first record E,
/// base day B, day count N and start offset s.
TTransitSpan ComputeTransitSpan(int fromYear, int toYear);
/// Bytes the pass reads from record E - 1: whole records up to two past the last day.
int TransitReadSize(const TTransitSpan &span);

/// The transit pass: rebuilds the transit records and the house stories.
void FindTransits(THoroscope &horoscope);

} // namespace kyr
