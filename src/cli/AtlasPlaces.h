// kyr-chart and the atlas: --place takes coordinates and offsets from the atlas tables in Data/
// beside the executable, --find-place lists places by the beginning of their names.
#pragma once

#include "CommandLine.h"
#include "DataCollection.h"

#include <ostream>
#include <string>

namespace kyr::cli {

/// The atlas tables (STATES, PLACES, ZONEID, ZONE, SUMMERID, SUMMER) of a data directory, open
/// for look-ups. A missing or unreadable table raises EStoreError.
class TAtlas {
public:
    /// dataDirectory empty: the program directory + "Data/".
    explicit TAtlas(const std::string &dataDirectory = {});
    TDataCollection Data;
};

/// The request with --place resolved: latitude and longitude of the place and, for a local
/// moment, the UTC offset and daylight saving in force there, the zone offset being the place's
/// own local mean time before standard time. Unchanged without --place. EUsageError when the
/// atlas has no such state or place, when the clocks there skipped the local time, and when
/// they repeated it and --fold does not say which of its two moments is meant.
TChartRequest ResolvePlace(const TChartRequest &request, TAtlas &atlas);

/// At most this many places are listed; more are announced.
constexpr std::size_t FoundPlacesShown = 200;

/// Lists the places that begin with the text ("PLACE" or "STATE, PLACE", blanks at the end
/// ignored), one a line: "STATE, PLACE", latitude and longitude as --lat and --lon read them,
/// and the zone. Returns the number of places found (up to FoundPlacesShown + 1).
std::size_t WritePlaceList(TAtlas &atlas, const std::string &text, std::ostream &out);

} // namespace kyr::cli
