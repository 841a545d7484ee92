// Zone and summer-time offsets of the atlas's definitions, and the Gregorian calendar start.
#include "Angles.h"
#include "Calendar.h"
#include "DataCollection.h"
#include "IndexScope.h"
#include "KyrTableImpl.h"

namespace kyr {

namespace {

constexpr int IdentifierWidth = 10;

bool SameIdentifier(TKyrField field, const std::string &id) {
    return SameKeyText(field.AsString(), id);
}

Extended Hundredths(TKyrField field) {
    return static_cast<Extended>(field.AsInteger()) / 100;
}

} // namespace

Extended TDataCollection::ZoneTimeFor(const std::string &zoneName, long long date) {
    if (zoneName.empty())
        return 0;
    ZoneIdTable.SetIndexName("Zone");
    if (!ZoneIdTable.FindKey({zoneName}))
        return 0;
    const std::string id =
        CutToCharacters(ZoneIdTable.FieldByName("ZoneID").AsString(), IdentifierWidth);

    // The nearest row at or after (id, date); when it is not the zone's row in force, the one
    // before it is.
    ZoneTable.SetIndexName("");
    ZoneTable.FindNearest({id, date});
    if (ZoneTable.Bof() || ZoneTable.Eof())
        return 0;
    const TKyrField zoneId = ZoneTable.FieldByName("ZoneID");
    const TKyrField delta = ZoneTable.FieldByName("TimeDelta");
    if (SameIdentifier(zoneId, id) && ZoneTable.FieldByName("StartDate").AsInteger() <= date)
        return Hundredths(delta);
    ZoneTable.Prior();
    if (ZoneTable.Bof())
        return 0;
    return SameIdentifier(zoneId, id) ? Hundredths(delta) : 0;
}

Extended TDataCollection::SummerTimeFor(const std::string &summerName, long long date,
                                        long long time) {
    if (summerName.empty())
        return 0;
    SummerIdTable.SetIndexName("Summer");
    if (!SummerIdTable.FindKey({summerName}))
        return 0;
    const std::string id =
        CutToCharacters(SummerIdTable.FieldByName("SummerID").AsString(), IdentifierWidth);

    SummerTable.SetIndexName("");
    SummerTable.FindNearest({id, date});
    if (SummerTable.Bof() || SummerTable.Eof())
        return 0;
    const TKyrField summerId = SummerTable.FieldByName("SummerID");
    const TKyrField diff = SummerTable.FieldByName("TimeDiff");
    if (SameIdentifier(summerId, id)) {
        const long long fromDate = SummerTable.FieldByName("FromDate").AsInteger();
        // A period that starts on the day itself counts from its hour and minute on.
        if (fromDate < date ||
            (fromDate == date && SummerTable.FieldByName("FromTime").AsInteger() * 100 <= time))
            return Hundredths(diff);
    }
    SummerTable.Prior();
    if (SummerTable.Bof())
        return 0;
    return SameIdentifier(summerId, id) ? Hundredths(diff) : 0;
}

Extended TDataCollection::GregorianStartFor(const std::string &stateName,
                                            const std::string &placeName, Extended /*date*/) {
    // The calendar change belongs to the place's zone definition; the atlas fills GregDate with
    // the country's first Gregorian day (London 1752-09-14, Moscow 1918-02-14).
    constexpr Extended ReformStart = 1582.1015L;
    if (stateName.empty() || placeName.empty() || !StatesTable.Active() ||
        !PlacesTable.Active() || !ZoneIdTable.Active())
        return ReformStart;
    TIndexScope statesScope(StatesTable, "");
    if (!StatesTable.FindKey({stateName}))
        return ReformStart;
    TIndexScope placesScope(PlacesTable, "");
    if (!PlacesTable.FindKey({StatesTable.FieldByName("StateID").AsString(), placeName}))
        return ReformStart;
    TIndexScope zonesScope(ZoneIdTable, "");
    if (!ZoneIdTable.FindKey({PlacesTable.FieldByName("ZoneRef").AsString()}))
        return ReformStart;
    const long long start = ZoneIdTable.FieldByName("GregDate").AsInteger();
    const TYmd ymd = SplitYmd(static_cast<int>(start));
    if (start <= 0 || ymd.Month < 1 || ymd.Month > 12 || ymd.Day < 1 || ymd.Day > 31)
        return ReformStart;
    return MakeDateValue(ymd.Year, ymd.Month, ymd.Day);
}

} // namespace kyr
