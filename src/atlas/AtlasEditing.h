// Changes to the atlas tables as the atlas editor makes them: states, places, and the dated
// histories of the time-zone and summer-time definitions. No windows, so that the rules are
// tested on their own; TAtlasDlg and TSavePlaceDlg only read fields and call these.
#pragma once

#include "DataCollection.h"

#include <optional>
#include <string>
#include <vector>

namespace kyr {

/// A definition reference that names no definition.
inline constexpr const char *NoDefinitionRef = "0000";

/// Start of a history entry's year range; dates outside are refused.
constexpr int FirstEntryYear = 1501;
constexpr int LastEntryYear = 2499;

struct TZoneEntry {
    long long StartDate = 0; ///< YYYYMMDD
    long long TimeDelta = 0; ///< ±(hours·100 + minutes), west positive
    bool operator==(const TZoneEntry &) const = default;
};

struct TSummerEntry {
    long long FromDate = 0; ///< YYYYMMDD
    long long FromTime = 0; ///< hours·100 + minutes
    long long TimeDiff = 0; ///< hours·100 + minutes
    bool operator==(const TSummerEntry &) const = default;
};

/// A zone definition with its rows in ZONE order, as the editor holds it.
struct TZoneHistory {
    bool Found = false; ///< ZONEID has the name
    std::string ZoneID; ///< empty when not found
    long long GregDate = 0;
    std::vector<TZoneEntry> Entries;
};

struct TSummerHistory {
    bool Found = false;
    std::string SummerID;
    std::vector<TSummerEntry> Entries;
};

/// The history of the zone definition of that name (the first in the "Zone" index). ZONEID's
/// index is put back afterwards.
TZoneHistory LoadZoneHistory(TDataCollection &data, const std::string &name);
TSummerHistory LoadSummerHistory(TDataCollection &data, const std::string &name);

/// What became of a new history entry. Refusals change nothing; the editor beeps for them
/// (the default sound for NoName, the hand sound for the others).
enum class TEntryResult { Added, NoName, BadValue, Duplicate };

/// Entry fields as typed; -1 stands for an empty or unreadable field.
struct TDateInput {
    int Year = -1, Month = -1, Day = -1;
};

/// Adds (date, ±(hours·100 + minutes)) to the named zone definition, creating the definition
/// with gregDate when ZONEID does not have the name. A start date the definition already has
/// is a Duplicate.
TEntryResult AddZoneEntry(TDataCollection &data, const std::string &name, const TDateInput &date,
                          int hours, int minutes, bool east, long long gregDate);
/// Adds (date, from hours·100 + minutes, offset) to the named summer definition, creating it
/// when needed. Every field is required.
TEntryResult AddSummerEntry(TDataCollection &data, const std::string &name, const TDateInput &date,
                            int fromHours, int fromMinutes, int offsetHours, int offsetMinutes);

/// Removes the row (id, date) of ZONE / SUMMER; false when there is none.
bool DeleteZoneEntry(TDataCollection &data, const std::string &zoneId, long long startDate);
bool DeleteSummerEntry(TDataCollection &data, const std::string &summerId, long long fromDate);

/// The ZoneID / SummerID of a definition name, or "0000" when there is none.
std::string ZoneRefFor(TDataCollection &data, const std::string &zoneName);
std::string SummerRefFor(TDataCollection &data, const std::string &summerName);

/// Northernmost, southernmost latitude; easternmost, westernmost longitude, each as
/// ±(degrees·100 + minutes).
struct TStateBounds {
    long long MaxLatitude = 0;
    long long MinLatitude = 0;
    long long MaxLongitude = 0;
    long long MinLongitude = 0;
    bool operator==(const TStateBounds &) const = default;
};

struct TStateRow {
    std::string StateID;
    std::string StateName;
    TStateBounds Bounds;
};

/// The STATES row of that name (primary index, which the table keeps).
std::optional<TStateRow> FindState(TDataCollection &data, const std::string &name);
/// Writes the bounds of an existing state; false when there is no such state.
bool UpdateState(TDataCollection &data, const std::string &name, const TStateBounds &bounds);
/// Appends a new state under a new identifier and returns the identifier.
std::string AddState(TDataCollection &data, const std::string &name, const TStateBounds &bounds);

/// The place row to write: the references are identifiers or "0000".
struct TPlaceRow {
    std::string StateID;
    std::string PlaceName;
    long long Latitude = 0;
    long long Longitude = 0;
    std::string ZoneRef = NoDefinitionRef;
    std::string SummerRef = NoDefinitionRef;
};

bool PlaceExists(TDataCollection &data, const std::string &stateId, const std::string &place);
/// Changes the place (StateID, PlaceName) when it exists, appends it otherwise.
void WritePlace(TDataCollection &data, const TPlaceRow &row);
/// The state's first place in key order; none when the state has none.
std::optional<TPlaceRow> FirstPlaceOfState(TDataCollection &data, const std::string &stateId);

/// A new zone definition name with gregDate and one ZONE row per entry; the new ZoneID.
std::string AddZoneDefinition(TDataCollection &data, const std::string &name, long long gregDate,
                              const std::vector<TZoneEntry> &entries);
/// Sets GregDate of the named zone definition; false when there is none.
bool SetZoneGregDate(TDataCollection &data, const std::string &name, long long gregDate);
std::string AddSummerDefinition(TDataCollection &data, const std::string &name,
                                const std::vector<TSummerEntry> &entries);

/// deg·100 + min, negative unless mark is the north mark (an empty mark is south).
long long LatitudeValue(int degrees, int minutes, const std::string &mark,
                        const std::string &northMark);
/// deg·100 + min, negative when mark is the east mark (an empty mark is west).
long long LongitudeValue(int degrees, int minutes, const std::string &mark,
                         const std::string &eastMark);

} // namespace kyr
