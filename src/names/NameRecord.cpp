#include "NameRecord.h"

#include "DataCollection.h"
#include "Horoscope.h"
#include "IndexScope.h"
#include "KyrTableImpl.h"
#include "TextHelpers.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

namespace kyr {

namespace {

// The value held to the digits the text has room for.
long long Clamp(long long value, long long max) {
    return std::clamp(value, 0LL, max);
}

// The last `digits` characters of value + 10^digits: the value zero-padded.
std::string Digits(long long value, int digits) {
    long long power = 1;
    for (int i = 0; i < digits; ++i)
        power *= 10;
    const std::string text = std::to_string(Clamp(value, power - 1) + power);
    return text.substr(text.size() - static_cast<std::size_t>(digits));
}

// Characters from..from+count-1 (counted from 1) as a number; 0 where the text is too short or
// holds no number.
int Part(const std::string &text, std::size_t from, std::size_t count) {
    if (text.size() < from)
        return 0;
    return StrToIntZero(text.substr(from - 1, count));
}

} // namespace

std::string EncodeBirthDate(const TDateParts &date) {
    return Digits(Clamp(date.Year, 9999), 4) + Digits(date.Month, 2) + Digits(date.Day, 2);
}

TDateParts DecodeBirthDate(const std::string &text) {
    return {Part(text, 1, 4), Part(text, 5, 2), Part(text, 7, 2)};
}

std::string EncodeBirthTime(const TTimeParts &time) {
    return Digits(time.Hour, 2) + Digits(time.Minute, 2) + Digits(time.Second, 2);
}

TTimeParts DecodeBirthTime(const std::string &text) {
    return {Part(text, 1, 2), Part(text, 3, 2), Part(text, 5, 2)};
}

std::string EncodeTimeZone(const TOffsetParts &zone) {
    return Digits(zone.Hours, 2) + Digits(zone.Minutes, 2) + (zone.West ? "W" : "E");
}

TOffsetParts DecodeTimeZone(const std::string &text) {
    return {Part(text, 1, 2), Part(text, 3, 2), text.size() >= 5 && text[4] == 'W'};
}

std::string EncodeSummerTime(int hours, int minutes) {
    return "+" + Digits(hours, 2) + Digits(minutes, 2);
}

TOffsetParts DecodeSummerTime(const std::string &text) {
    return {Part(text, 2, 2), Part(text, 4, 2), true};
}

long long EncodeAngle(const TAngleParts &angle) {
    const long long magnitude =
        std::llabs(static_cast<long long>(angle.Degrees)) * 100 + std::abs(angle.Minutes);
    return angle.Positive ? magnitude : -magnitude;
}

TAngleParts DecodeAngle(long long value) {
    const long long magnitude = std::llabs(value);
    return {static_cast<int>(magnitude / 100), static_cast<int>(magnitude % 100), value >= 0};
}

TBirthValues BirthValuesOf(const TNameRecord &record) {
    TBirthValues values;
    values.BirthDate = StrToIntZero(record.BirthDate) / 10000.0L;
    values.BirthTime = StrToIntZero(record.BirthTime) / 10000.0L;
    values.Latitude = record.Latitude / 100.0L;
    values.Longitude = record.Longitude / 100.0L;
    values.ZoneTime = StrToIntZero(record.TimeZone.substr(0, 4)) / 100.0L;
    if (record.TimeZone.size() >= 5 && record.TimeZone[4] == 'E')
        values.ZoneTime = -values.ZoneTime;
    values.SummerTime = StrToIntZero(record.SummerTime) / 100.0L;
    return values;
}

namespace {

// The text fields of a NAME row and the record's members that hold them.
const std::pair<const char *, std::string TNameRecord::*> NameTextFields[] = {
    {"FirstName", &TNameRecord::FirstName},
    {"LastName", &TNameRecord::LastName},
    {"BirthCountry", &TNameRecord::BirthCountry},
    {"BirthTown", &TNameRecord::BirthTown},
    {"BirthDate", &TNameRecord::BirthDate},
    {"BirthTime", &TNameRecord::BirthTime},
    {"TimeZone", &TNameRecord::TimeZone},
    {"SummerTime", &TNameRecord::SummerTime},
    {"Address1", &TNameRecord::Address1},
    {"Address2", &TNameRecord::Address2},
    {"PostalCode", &TNameRecord::PostalCode},
    {"Town", &TNameRecord::Town},
    {"Country", &TNameRecord::Country},
    {"HomePhone", &TNameRecord::HomePhone},
    {"WorkPhone", &TNameRecord::WorkPhone},
    {"Fax", &TNameRecord::Fax},
};

} // namespace

TNameRecord ReadNameRecord(TKyrTable &names) {
    TNameRecord r;
    for (const auto &[field, member] : NameTextFields)
        r.*member = names.FieldByName(field).AsString();
    r.TimeUnknown = names.FieldByName("TimeUnknown").AsBoolean();
    r.Latitude = names.FieldByName("Latitude").AsInteger();
    r.Longitude = names.FieldByName("Longitude").AsInteger();
    r.Picture = names.FieldByName("Picture").AsBytes();
    names.FieldByName("Notes").SaveToStrings(r.Notes);
    return r;
}

void WriteNameRecord(TKyrTable &names, const TNameRecord &r) {
    for (const auto &[field, member] : NameTextFields)
        names.FieldByName(field).SetAsString(r.*member);
    names.FieldByName("TimeUnknown").SetAsBoolean(r.TimeUnknown);
    names.FieldByName("Latitude").SetAsInteger(r.Latitude);
    names.FieldByName("Longitude").SetAsInteger(r.Longitude);
    if (r.Picture.empty())
        names.FieldByName("Picture").Clear();
    else
        names.FieldByName("Picture").SetAsBytes(r.Picture);
    names.FieldByName("Notes").LoadFromStrings(r.Notes);
    names.FieldByName("Sex").SetAsString("U");
    names.FieldByName("Modem").SetAsString("");
}

std::optional<TNameRecord> FindName(TDataCollection &data, const std::string &first,
                                    const std::string &last) {
    TKyrTable &names = data.NameTable;
    if (!names.Active())
        return std::nullopt;
    TIndexScope scope(names, "");
    if (!names.FindKey({first, last}))
        return std::nullopt;
    return ReadNameRecord(names);
}

void SaveName(TDataCollection &data, const TNameRecord &record) {
    TKyrTable &names = data.NameTable;
    TIndexScope scope(names, "");
    if (names.FindKey({record.FirstName, record.LastName}))
        names.Edit();
    else
        names.Append();
    try {
        WriteNameRecord(names, record);
        names.Post();
    } catch (...) {
        names.Cancel();
        throw;
    }
}

namespace {

// Puts the horoscope's Active state back however the loading ends.
class TActiveGuard {
public:
    explicit TActiveGuard(THoroscope &horoscope) : Horoscope(horoscope), Was(horoscope.Active()) {
        Horoscope.SetActive(false);
    }
    ~TActiveGuard() {
        try {
            Horoscope.SetActive(Was);
        } catch (...) {
            // The refused value's exception is the one the caller hears of.
        }
    }
    TActiveGuard(const TActiveGuard &) = delete;
    TActiveGuard &operator=(const TActiveGuard &) = delete;

private:
    THoroscope &Horoscope;
    bool Was;
};

} // namespace

bool LoadNameIntoHoroscope(TDataCollection &data, const std::string &first, const std::string &last,
                           THoroscope &horoscope) {
    const std::optional<TNameRecord> record = FindName(data, first, last);
    if (!record)
        return false;
    const TBirthValues values = BirthValuesOf(*record);
    TActiveGuard active(horoscope);
    horoscope.PlaceName = TruncateString48(record->BirthTown);
    horoscope.StateName = TruncateString48(record->BirthCountry);
    horoscope.FirstName = TruncateString48(record->FirstName);
    horoscope.LastName = TruncateString48(record->LastName);
    horoscope.SetLatitude(values.Latitude);
    horoscope.SetLongitude(values.Longitude);
    horoscope.SetBirthDate(values.BirthDate);
    horoscope.SetBirthTime(values.BirthTime);
    horoscope.SetSummerTime(values.SummerTime);
    horoscope.SetZoneTime(values.ZoneTime);
    // The stored date is in the calendar of the place at the time.
    horoscope.SetGregorianStart(
        data.GregorianStartFor(horoscope.StateName, horoscope.PlaceName, horoscope.BirthDate()));
    return true;
}

std::vector<std::string> GroupsOfName(TDataCollection &data, const std::string &first,
                                      const std::string &last) {
    std::vector<std::string> groups;
    TKyrTable &memberships = data.NameGroupsTable;
    TIndexScope scope(memberships, "");
    memberships.FindNearest({first, last});
    for (; !memberships.IsEmpty() && !memberships.Eof(); memberships.Next()) {
        // Keys compare without regard to case, so the pair does too.
        if (!SameKeyText(memberships.FieldByName("FirstName").AsString(), first) ||
            !SameKeyText(memberships.FieldByName("LastName").AsString(), last))
            break;
        groups.push_back(memberships.FieldByName("GroupName").AsString());
    }
    return groups;
}

bool AddMembership(TDataCollection &data, const std::string &first, const std::string &last,
                   const std::string &group) {
    TKyrTable &memberships = data.NameGroupsTable;
    TIndexScope scope(memberships, "");
    if (memberships.FindKey({first, last, group}))
        return false;
    memberships.AppendRecord({first, last, group});
    return true;
}

bool RemoveMembership(TDataCollection &data, const std::string &first, const std::string &last,
                      const std::string &group) {
    TKyrTable &memberships = data.NameGroupsTable;
    TIndexScope scope(memberships, "");
    if (!memberships.FindKey({first, last, group}))
        return false;
    memberships.Delete();
    return true;
}

} // namespace kyr
