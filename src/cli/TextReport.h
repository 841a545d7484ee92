// The chart as readable tables.
#pragma once

#include "ChartRun.h"

#include <ostream>
#include <string>

namespace kyr::cli {

/// Whole minutes of arc as degrees and minutes: 622 -> "10°22'".
std::string FormatDegreesMinutes(int minutes);
/// A signed deviation in degrees, rounded to the minute: -1.0834 -> "-1°05'".
std::string FormatDeviation(double degrees);
/// Signed minutes as an offset: 330 -> "+05:30", -720 -> "-12:00".
std::string FormatOffset(int minutes);
/// A latitude D.MMSS (north positive): "51°30'00\" N".
std::string FormatLatitude(Extended dms);
/// A longitude D.MMSS (west positive), shown east positive: "74°00'21\" W".
std::string FormatLongitude(Extended dms);

void WriteTextReport(const TChartRequest &request, const TChartResult &chart, std::ostream &out);

} // namespace kyr::cli
