// Atlas places: finding them by name or prefix, and the zone and summer-time offsets of a birth
// at one of them.
//
// Before standard time, a zone's rows hold the local mean time of its reference place, which is
// minutes wrong for a birth elsewhere in the zone. Where the place is known (the name dialog's
// RecalcOffsets, the here-and-now chart, kyr-chart --place), ZoneTimeForPlace uses the place's
// own mean time on such dates; ZoneTimeFor keeps its result for callers that know no place.
#pragma once

#include "ChartTypes.h"
#include "DataCollection.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kyr {

/// The sources of the delivered atlas and their licences, for the about text.
extern const char *const AtlasAttribution;

/// A PLACES row with its state and its definitions' names.
struct TAtlasPlace {
    std::string StateID;
    std::string StateName;
    std::string PlaceName;
    long long Latitude = 0;  ///< ±(degrees·100 + minutes), north positive
    long long Longitude = 0; ///< ±(degrees·100 + minutes), west positive
    std::string ZoneRef;     ///< a ZoneID, or "0000"
    std::string SummerRef;   ///< a SummerID, or "0000"
    std::string ZoneName;    ///< empty when ZONEID has no such ZoneID
    std::string SummerName;  ///< empty when SUMMERID has no such SummerID
};

/// Splits a here-place text "STATE, PLACE" at its first comma; the place loses its leading
/// blanks. False when there is no comma or either part is empty.
bool SplitPlaceText(const std::string &text, std::string &state, std::string &place);

/// The place of the state (STATES primary index, then PLACES (StateID, place)); none when either
/// is missing. The indexes of the tables used are put back afterwards.
std::optional<TAtlasPlace> FindAtlasPlace(TDataCollection &data, const std::string &state,
                                          const std::string &place);

/// Places whose name begins with placePrefix, in states whose name begins with statePrefix
/// (empty: every state); ASCII letters match in either case, as the tables compare keys.
/// In state order, then place order; at most limit places.
std::vector<TAtlasPlace> FindPlacesByPrefix(TDataCollection &data, const std::string &statePrefix,
                                            const std::string &placePrefix, std::size_t limit);

/// Mean solar time of a longitude (±(degrees·100 + minutes), west positive) as a zone offset:
/// longitude / 15 to the nearest minute, H.MM, west positive.
Extended LocalMeanTimeOffset(long long longitude);

/// ZoneTimeFor (zoneName, date), except on dates whose zone row holds local mean time: there the
/// mean time of the longitude (±(degrees·100 + minutes), west positive), on the same side of the
/// date line as the zone's (so beyond ±12 hours where the zone's is).
Extended ZoneTimeForPlace(TDataCollection &data, const std::string &zoneName, long long date,
                          long long longitude);

struct TPlaceOffsets {
    Extended ZoneTime = 0;   ///< H.MM, west positive
    Extended SummerTime = 0; ///< H.MM
};

/// The offsets of a birth at the place on date (YYYYMMDD) at clock time (HHMMSS): the zone offset
/// by ZoneTimeForPlace when zoneSwitch is on and the place has a zone definition, the summer
/// offset by SummerTimeFor when summerSwitch is on and it has a summer definition; 0 otherwise.
TPlaceOffsets OffsetsForPlace(TDataCollection &data, const TAtlasPlace &place, long long date,
                              long long time, bool zoneSwitch = true, bool summerSwitch = true);

} // namespace kyr
