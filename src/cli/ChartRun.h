// From a request to the computed chart: sets up a horoscope, runs it and collects what the
// reports print, already named and in decimal degrees.
#pragma once

#include "CommandLine.h"
#include "OrbSets.h"

#include <array>
#include <string>
#include <vector>

namespace kyr {
class THoroscope;
}

namespace kyr::cli {

struct TBodyResult {
    std::string Name;
    double Longitude = 0; ///< degrees [0, 360)
    bool Retrograde = false;
    int Sign = 0;  ///< 0..11
    int House = 0; ///< 1..12
};

struct TAspectResult {
    std::string Point1;
    std::string Point2;
    int Angle = 0;        ///< degrees, a multiple of 15
    double Deviation = 0; ///< degrees from the exact angle
};

struct TTransitResult {
    std::string Body;
    int Angle = 0;
    std::string NatalPoint;
    TDate Start;
    TDate End;
};

struct TChartResult {
    double JulianDay = 0;
    bool Julian = false; ///< the date was read in the Julian calendar
    int RequestedHouseSystem = 0;
    int HouseSystem = 0; ///< the one used, after any fall-back
    std::string OrbSet;
    std::vector<TBodyResult> Bodies;
    double Ascendant = 0;
    double Mc = 0;
    std::array<double, 12> Cusps{}; ///< cusp 1 first
    std::vector<TAspectResult> Aspects;
    bool HasTransits = false;
    std::vector<TTransitResult> Transits;
};

/// Radians to degrees in [0, 360), with the true pi (the program's own conversion factor
/// is short by about 3e-9 of a turn).
double NormalizedDegrees(Extended radians);

/// Birth time H.MM (minutes with their fraction) from seconds since midnight.
Extended BirthTimeValue(int seconds);

struct TZoneFields {
    Extended ZoneTime = 0;   ///< H.MM added to clock time, west positive
    Extended SummerTime = 0; ///< H.MM subtracted
};

/// The horoscope's zone and summer time for an ISO offset and daylight saving in minutes.
TZoneFields ZoneFields(int utcOffsetMinutes, int dstMinutes);

/// Most daylight saving in minutes that the horoscope takes on top of a UTC offset: what
/// ZoneFields carries beyond +12:00 into the summer time leaves that much less room.
int MaxDaylightSavingMinutes(int utcOffsetMinutes);

/// The options a request's place came from, so that a value out of range is named as given.
struct TPlaceOptions {
    const char *Latitude = "--lat";
    const char *Longitude = "--lon";
};
constexpr TPlaceOptions PartnerPlaceOptions{"--partner-lat", "--partner-lon"};

/// The canonical name of the orb set that matches name in any case; EUsageError if none.
std::string FindOrbSet(const std::vector<TOrbRow> &rows, const std::string &name);

/// Sets the birth data, place, calendar, house system and options of an inactive horoscope.
/// The horoscope's setters reject values out of range with EHoroscopeException.
void ConfigureHoroscope(THoroscope &horoscope, const TChartRequest &request);

/// Reads the computed chart from an active horoscope.
TChartResult CollectChart(const THoroscope &horoscope, const TChartRequest &request);

/// Configures the horoscope, gives it the orb set from orbs.txt in the program directory and
/// computes it; returns the orb set's canonical name. Errors as ComputeChart; a coordinate
/// or an offset the horoscope cannot take names its option. A damaged orbs.txt, or one
/// without the set asked for by default, is a std::runtime_error naming the file.
std::string RunHoroscope(THoroscope &horoscope, const TChartRequest &request,
                         const TPlaceOptions &options = {});

/// Everything: orb sets from orbs.txt in the program directory, configuration, computation.
/// Bad values come back as EUsageError; computation failures as the horoscope raised them.
TChartResult ComputeChart(const TChartRequest &request);

} // namespace kyr::cli
