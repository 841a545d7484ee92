// The options of kyr-chart and what they ask for.
#pragma once

#include "InputParsing.h"

#include <optional>
#include <string>
#include <vector>

namespace kyr::cli {

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

    int HouseSystem = HousePlacidus;
    std::string OrbSet = "Medium";
    TDate GregorianStart{1522, 1, 1};
    std::optional<TYearSpan> Transits;
};

/// The arguments after the program name. Throws EUsageError for an unknown or repeated
/// option, a missing value, a bad value or an incomplete set of options.
TChartRequest ParseCommandLine(const std::vector<std::string> &args);

/// The text of --help.
const char *UsageText();

} // namespace kyr::cli
