// The options of kyr-chart and what they ask for.
#pragma once

#include "InputParsing.h"

#include <optional>
#include <string>
#include <vector>

namespace kyr::cli {

/// --wheel and the options that shape the image.
struct TWheelRequest {
    std::string File; ///< empty: no wheel
    TWheelFormat Format = TWheelFormat::Png;
    int Size = 800; ///< side in pixels (points for PDF)
    bool BW = false;
    bool AriesAtLeft = false;
};

/// The partner chart of a bi-wheel: a moment in universal time and a place, drawn inside.
struct TPartnerRequest {
    TDate Date;
    int Seconds = 0;        ///< since midnight, universal time
    Extended Latitude = 0;  ///< D.MMSS, north positive
    Extended Longitude = 0; ///< D.MMSS, west positive
};

struct TChartRequest {
    bool Help = false;
    bool Json = false;

    /// True for --ut; otherwise Date and Seconds are local clock time.
    bool UniversalTime = false;
    TDate Date;
    int Seconds = 0;          ///< since midnight
    int UtcOffsetMinutes = 0; ///< standard time, east of Greenwich positive
    int DstMinutes = 0;       ///< daylight saving in force

    Extended Latitude = 0;  ///< D.MMSS, north positive
    Extended Longitude = 0; ///< D.MMSS, west positive

    /// --place: "STATE, PLACE" of the atlas, which then gives the coordinates and, for a local
    /// moment, the offsets (AtlasPlaces.h fills them in).
    std::string Place;
    std::string PlaceZone; ///< the place's zone definition, once filled in
    /// --fold: which of the two moments of a clock time the place repeats (the hour the clocks
    /// are put back) is meant: true the later (standard time), false the earlier.
    std::optional<bool> FoldLater;
    /// --find-place: list the atlas places that begin with this text instead of a chart.
    std::optional<std::string> FindPlace;

    int HouseSystem = HousePlacidus;
    std::string OrbSet = "Medium";
    bool OrbSetGiven = false; ///< by --orbs; otherwise a missing set is the orb file's fault
    /// The first Gregorian day: the reform's unless --gregorian-start or --place gives another.
    TDate GregorianStart{1582, 10, 15};
    bool GregorianStartGiven = false; ///< by --gregorian-start; a --place then keeps it
    std::optional<TYearSpan> Transits;

    TWheelRequest Wheel;
    /// Set when --partner-ut, --partner-lat and --partner-lon are all given.
    std::optional<TPartnerRequest> Partner;
};

/// EUsageError when the date or the partner's date is no day of its calendar (Julian before
/// GregorianStart).
void CheckDatesExist(const TChartRequest &request);

/// The arguments after the program name. Throws EUsageError for an unknown or repeated
/// option, a missing value, a bad value or an incomplete set of options.
TChartRequest ParseCommandLine(const std::vector<std::string> &args);

/// The text of --help.
const char *UsageText();

} // namespace kyr::cli
