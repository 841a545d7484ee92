#include "AtlasEditing.h"

#include "IndexScope.h"

namespace kyr {

namespace {

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

bool ValidDate(const TDateInput &date) {
    return InRange(date.Year, FirstEntryYear, LastEntryYear) && InRange(date.Month, 1, 12) &&
           InRange(date.Day, 1, 31);
}

long long DateValue(const TDateInput &date) {
    return date.Year * 10000LL + date.Month * 100LL + date.Day;
}

// The identifier of a definition name by its name index, empty when there is none.
std::string IdByName(TKyrTable &ids, const char *index, const std::string &name,
                     const char *idField) {
    if (name.empty())
        return {};
    TIndexScope scope(ids, index);
    return ids.FindKey({name}) ? ids.FieldByName(idField).AsString() : std::string();
}

} // namespace

TZoneHistory LoadZoneHistory(TDataCollection &data, const std::string &name) {
    TZoneHistory history;
    TKyrTable &ids = data.ZoneIdTable;
    {
        TIndexScope scope(ids, "Zone");
        if (name.empty() || !ids.FindKey({name}))
            return history;
        history.Found = true;
        history.ZoneID = ids.FieldByName("ZoneID").AsString();
        history.GregDate = ids.FieldByName("GregDate").AsInteger();
    }
    TKyrTable &zone = data.ZoneTable;
    TIndexScope scope(zone, "");
    zone.FindNearest({history.ZoneID});
    if (zone.Bof() && zone.Eof())
        return history;
    for (; !zone.Eof() && zone.FieldByName("ZoneID").AsString() == history.ZoneID; zone.Next())
        history.Entries.push_back(
            {zone.FieldByName("StartDate").AsInteger(), zone.FieldByName("TimeDelta").AsInteger()});
    return history;
}

TSummerHistory LoadSummerHistory(TDataCollection &data, const std::string &name) {
    TSummerHistory history;
    history.SummerID = IdByName(data.SummerIdTable, "Summer", name, "SummerID");
    history.Found = !history.SummerID.empty();
    if (!history.Found)
        return history;
    TKyrTable &summer = data.SummerTable;
    TIndexScope scope(summer, "");
    summer.FindNearest({history.SummerID});
    if (summer.Bof() && summer.Eof())
        return history;
    for (; !summer.Eof() && summer.FieldByName("SummerID").AsString() == history.SummerID;
         summer.Next())
        history.Entries.push_back({summer.FieldByName("FromDate").AsInteger(),
                                   summer.FieldByName("FromTime").AsInteger(),
                                   summer.FieldByName("TimeDiff").AsInteger()});
    return history;
}

TEntryResult AddZoneEntry(TDataCollection &data, const std::string &name, const TDateInput &date,
                          int hours, int minutes, bool east, long long gregDate) {
    if (name.empty())
        return TEntryResult::NoName;
    if (!ValidDate(date) || !InRange(hours, 0, 23) || !InRange(minutes, 0, 59))
        return TEntryResult::BadValue;
    const long long startDate = DateValue(date);
    std::string id = IdByName(data.ZoneIdTable, "Zone", name, "ZoneID");
    // The duplicate test asks the definition that is written to, not a history shown before
    // the name was changed.
    if (!id.empty()) {
        TIndexScope scope(data.ZoneTable, "");
        if (data.ZoneTable.FindKey({id, startDate}))
            return TEntryResult::Duplicate;
    } else {
        TIndexScope scope(data.ZoneIdTable, "");
        id = NewIdentifier(data.ZoneIdTable);
        data.ZoneIdTable.InsertRecord({id, name, gregDate});
    }
    const long long delta = hours * 100LL + minutes;
    TIndexScope scope(data.ZoneTable, "");
    data.ZoneTable.InsertRecord({id, startDate, east ? -delta : delta});
    return TEntryResult::Added;
}

TEntryResult AddSummerEntry(TDataCollection &data, const std::string &name, const TDateInput &date,
                            int fromHours, int fromMinutes, int offsetHours, int offsetMinutes) {
    if (name.empty())
        return TEntryResult::NoName;
    if (!ValidDate(date) || !InRange(fromHours, 0, 23) || !InRange(fromMinutes, 0, 59) ||
        !InRange(offsetHours, 0, 23) || !InRange(offsetMinutes, 0, 59))
        return TEntryResult::BadValue;
    const long long fromDate = DateValue(date);
    std::string id = IdByName(data.SummerIdTable, "Summer", name, "SummerID");
    if (!id.empty()) {
        TIndexScope scope(data.SummerTable, "");
        if (data.SummerTable.FindKey({id, fromDate}))
            return TEntryResult::Duplicate;
    } else {
        TIndexScope scope(data.SummerIdTable, "");
        id = NewIdentifier(data.SummerIdTable);
        data.SummerIdTable.InsertRecord({id, name});
    }
    TIndexScope scope(data.SummerTable, "");
    data.SummerTable.InsertRecord(
        {id, fromDate, fromHours * 100LL + fromMinutes, offsetHours * 100LL + offsetMinutes});
    return TEntryResult::Added;
}

bool DeleteZoneEntry(TDataCollection &data, const std::string &zoneId, long long startDate) {
    TIndexScope scope(data.ZoneTable, "");
    if (zoneId.empty() || !data.ZoneTable.FindKey({zoneId, startDate}))
        return false;
    data.ZoneTable.Delete();
    return true;
}

bool DeleteSummerEntry(TDataCollection &data, const std::string &summerId, long long fromDate) {
    TIndexScope scope(data.SummerTable, "");
    if (summerId.empty() || !data.SummerTable.FindKey({summerId, fromDate}))
        return false;
    data.SummerTable.Delete();
    return true;
}

std::string ZoneRefFor(TDataCollection &data, const std::string &zoneName) {
    const std::string id = IdByName(data.ZoneIdTable, "Zone", zoneName, "ZoneID");
    return id.empty() ? std::string(NoDefinitionRef) : id;
}

std::string SummerRefFor(TDataCollection &data, const std::string &summerName) {
    const std::string id = IdByName(data.SummerIdTable, "Summer", summerName, "SummerID");
    return id.empty() ? std::string(NoDefinitionRef) : id;
}

std::optional<TStateRow> FindState(TDataCollection &data, const std::string &name) {
    TKyrTable &states = data.StatesTable;
    TIndexScope scope(states, "");
    if (name.empty() || !states.FindKey({name}))
        return std::nullopt;
    TStateRow row;
    row.StateID = states.FieldByName("StateID").AsString();
    row.StateName = states.FieldByName("StateName").AsString();
    row.Bounds = {states.FieldByName("MaxLatitude").AsInteger(),
                  states.FieldByName("MinLatitude").AsInteger(),
                  states.FieldByName("MaxLongitude").AsInteger(),
                  states.FieldByName("MinLongitude").AsInteger()};
    return row;
}

namespace {

void SetBounds(TKyrTable &states, const TStateBounds &bounds) {
    states.FieldByName("MaxLatitude").SetAsInteger(bounds.MaxLatitude);
    states.FieldByName("MinLatitude").SetAsInteger(bounds.MinLatitude);
    states.FieldByName("MaxLongitude").SetAsInteger(bounds.MaxLongitude);
    states.FieldByName("MinLongitude").SetAsInteger(bounds.MinLongitude);
}

} // namespace

bool UpdateState(TDataCollection &data, const std::string &name, const TStateBounds &bounds) {
    TKyrTable &states = data.StatesTable;
    TIndexScope scope(states, "");
    if (name.empty() || !states.FindKey({name}))
        return false;
    states.Edit();
    SetBounds(states, bounds);
    states.Post();
    return true;
}

std::string AddState(TDataCollection &data, const std::string &name, const TStateBounds &bounds) {
    TKyrTable &states = data.StatesTable;
    const std::string id = NewIdentifier(states);
    TIndexScope scope(states, "");
    states.Append();
    states.FieldByName("StateName").SetAsString(name);
    states.FieldByName("StateID").SetAsString(id);
    SetBounds(states, bounds);
    states.Post();
    return id;
}

bool PlaceExists(TDataCollection &data, const std::string &stateId, const std::string &place) {
    TIndexScope scope(data.PlacesTable, "");
    return data.PlacesTable.FindKey({stateId, place});
}

void WritePlace(TDataCollection &data, const TPlaceRow &row) {
    TKyrTable &places = data.PlacesTable;
    TIndexScope scope(places, "");
    if (places.FindKey({row.StateID, row.PlaceName})) {
        places.Edit();
    } else {
        places.Append();
        places.FieldByName("StateID").SetAsString(row.StateID);
        places.FieldByName("PlaceName").SetAsString(row.PlaceName);
    }
    places.FieldByName("Latitude").SetAsInteger(row.Latitude);
    places.FieldByName("Longitude").SetAsInteger(row.Longitude);
    places.FieldByName("ZoneRef").SetAsString(row.ZoneRef);
    places.FieldByName("SummerRef").SetAsString(row.SummerRef);
    places.Post();
}

std::optional<TPlaceRow> FirstPlaceOfState(TDataCollection &data, const std::string &stateId) {
    TKyrTable &places = data.PlacesTable;
    TIndexScope scope(places, "");
    places.FindNearest({stateId});
    if ((places.Bof() && places.Eof()) || places.FieldByName("StateID").AsString() != stateId)
        return std::nullopt;
    TPlaceRow row;
    row.StateID = stateId;
    row.PlaceName = places.FieldByName("PlaceName").AsString();
    row.Latitude = places.FieldByName("Latitude").AsInteger();
    row.Longitude = places.FieldByName("Longitude").AsInteger();
    row.ZoneRef = places.FieldByName("ZoneRef").AsString();
    row.SummerRef = places.FieldByName("SummerRef").AsString();
    return row;
}

std::string AddZoneDefinition(TDataCollection &data, const std::string &name, long long gregDate,
                              const std::vector<TZoneEntry> &entries) {
    std::string id;
    {
        TIndexScope scope(data.ZoneIdTable, "");
        id = NewIdentifier(data.ZoneIdTable);
        data.ZoneIdTable.InsertRecord({id, name, gregDate});
    }
    TIndexScope scope(data.ZoneTable, "");
    for (const TZoneEntry &entry : entries)
        data.ZoneTable.InsertRecord({id, entry.StartDate, entry.TimeDelta});
    return id;
}

bool SetZoneGregDate(TDataCollection &data, const std::string &name, long long gregDate) {
    TKyrTable &ids = data.ZoneIdTable;
    TIndexScope scope(ids, "Zone");
    if (name.empty() || !ids.FindKey({name}))
        return false;
    ids.Edit();
    ids.FieldByName("GregDate").SetAsInteger(gregDate);
    ids.Post();
    return true;
}

std::string AddSummerDefinition(TDataCollection &data, const std::string &name,
                                const std::vector<TSummerEntry> &entries) {
    std::string id;
    {
        TIndexScope scope(data.SummerIdTable, "");
        id = NewIdentifier(data.SummerIdTable);
        data.SummerIdTable.InsertRecord({id, name});
    }
    TIndexScope scope(data.SummerTable, "");
    for (const TSummerEntry &entry : entries)
        data.SummerTable.InsertRecord({id, entry.FromDate, entry.FromTime, entry.TimeDiff});
    return id;
}

long long LatitudeValue(int degrees, int minutes, const std::string &mark,
                        const std::string &northMark) {
    const long long value = degrees * 100LL + minutes;
    return mark == northMark && !mark.empty() ? value : -value;
}

long long LongitudeValue(int degrees, int minutes, const std::string &mark,
                         const std::string &eastMark) {
    const long long value = degrees * 100LL + minutes;
    return mark == eastMark && !mark.empty() ? -value : value;
}

} // namespace kyr
