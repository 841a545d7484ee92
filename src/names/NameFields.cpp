#include "NameFields.h"

#include "DataCollection.h"
#include "Language.h"
#include "RangeCheck.h"
#include "TextHelpers.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace kyr {

namespace {

int Value(const std::string &text) {
    return StrToIntZero(text);
}

Extended HoursMinutes(const std::string &hours, const std::string &minutes) {
    return std::abs(Value(hours)) + std::abs(Value(minutes)) / 100.0L;
}

std::string Upper(std::string text) {
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Hours and two-digit minutes of an H.MM offset's magnitude.
void SplitOffset(Extended value, std::string &hours, std::string &minutes) {
    const Extended magnitude = std::fabs(value);
    hours = std::to_string(static_cast<int>(std::trunc(magnitude)));
    minutes = TwoDigits(static_cast<int>(std::llround(magnitude * 100) % 100));
}

} // namespace

void ShowLatitude(TNameFields &fields, long long latitude, const THemisphereMarks &marks) {
    const TAngleParts parts = DecodeAngle(latitude);
    fields.LatMark = parts.Positive ? marks.North : marks.South;
    fields.LatDegrees = std::to_string(parts.Degrees);
    fields.LatMinutes = TwoDigits(parts.Minutes);
}

void ShowLongitude(TNameFields &fields, long long longitude, const THemisphereMarks &marks) {
    const TAngleParts parts = DecodeAngle(longitude);
    fields.LonMark = parts.Positive ? marks.West : marks.East;
    fields.LonDegrees = std::to_string(parts.Degrees);
    fields.LonMinutes = TwoDigits(parts.Minutes);
}

void ShowZoneOffset(TNameFields &fields, Extended zone, const THemisphereMarks &marks) {
    SplitOffset(zone, fields.ZoneHours, fields.ZoneMinutes);
    fields.ZoneMark = zone >= 0 ? marks.West : marks.East;
}

void ShowSummerOffset(TNameFields &fields, Extended summer) {
    SplitOffset(summer, fields.SummerHours, fields.SummerMinutes);
}

TNameFields FieldsFromRecord(const TNameRecord &r, const THemisphereMarks &marks) {
    TNameFields f;
    f.FirstName = r.FirstName;
    f.LastName = r.LastName;
    f.Country = r.BirthCountry;
    f.Place = r.BirthTown;
    // The stored digits as they stand: "0806" shows as "08" and "06".
    const auto chars = [](const std::string &text, std::size_t from, std::size_t count) {
        return text.size() < from ? std::string() : text.substr(from - 1, count);
    };
    f.Year = chars(r.BirthDate, 1, 4);
    f.Month = chars(r.BirthDate, 5, 2);
    f.Day = chars(r.BirthDate, 7, 2);
    f.Hour = chars(r.BirthTime, 1, 2);
    f.Minute = chars(r.BirthTime, 3, 2);
    f.Second = chars(r.BirthTime, 5, 2);
    f.TimeUnknown = r.TimeUnknown;
    ShowLatitude(f, r.Latitude, marks);
    ShowLongitude(f, r.Longitude, marks);
    f.ZoneHours = chars(r.TimeZone, 1, 2);
    f.ZoneMinutes = chars(r.TimeZone, 3, 2);
    f.ZoneMark = DecodeTimeZone(r.TimeZone).West ? marks.West : marks.East;
    f.SummerHours = chars(r.SummerTime, 2, 2);
    f.SummerMinutes = chars(r.SummerTime, 4, 2);
    f.Address1 = r.Address1;
    f.Address2 = r.Address2;
    f.PostalCode = r.PostalCode;
    f.City = r.Town;
    f.AddressCountry = r.Country;
    f.Phone = r.HomePhone;
    f.Fax = r.WorkPhone;
    f.EMail = r.Fax;
    f.Notes = r.Notes;
    f.Picture = r.Picture;
    return f;
}

TNameRecord RecordFromFields(const TNameFields &f, const THemisphereMarks &marks) {
    TNameRecord r;
    r.FirstName = f.FirstName;
    r.LastName = f.LastName;
    r.BirthCountry = f.Country;
    r.BirthTown = f.Place;
    r.BirthDate = EncodeBirthDate({Value(f.Year), Value(f.Month), Value(f.Day)});
    r.BirthTime = EncodeBirthTime({Value(f.Hour), Value(f.Minute), Value(f.Second)});
    r.TimeUnknown = f.TimeUnknown;
    r.Latitude = std::llround(DialogLatitude(f, marks) * 100);
    r.Longitude = std::llround(DialogLongitude(f, marks) * 100);
    // East only with the east mark, as DialogZoneTime reads it: a blank mark must not save the
    // opposite of what the chart was given.
    r.TimeZone =
        EncodeTimeZone({Value(f.ZoneHours), Value(f.ZoneMinutes), f.ZoneMark != marks.East});
    r.SummerTime = EncodeSummerTime(Value(f.SummerHours), Value(f.SummerMinutes));
    r.Address1 = f.Address1;
    r.Address2 = f.Address2;
    r.PostalCode = f.PostalCode;
    r.Town = f.City;
    r.Country = f.AddressCountry;
    r.HomePhone = f.Phone;
    r.WorkPhone = f.Fax;
    r.Fax = f.EMail;
    r.Notes = f.Notes;
    r.Picture = f.Picture;
    return r;
}

Extended DialogBirthDate(const TNameFields &f) {
    return (Value(f.Year) * 10000LL + Value(f.Month) * 100LL + Value(f.Day)) / 10000.0L;
}

Extended DialogBirthTime(const TNameFields &f) {
    return (Value(f.Hour) * 10000LL + Value(f.Minute) * 100LL + Value(f.Second)) / 10000.0L;
}

Extended DialogLatitude(const TNameFields &f, const THemisphereMarks &marks) {
    const Extended value = (Value(f.LatDegrees) * 100LL + Value(f.LatMinutes)) / 100.0L;
    return f.LatMark == marks.North ? value : -value;
}

Extended DialogLongitude(const TNameFields &f, const THemisphereMarks &marks) {
    const Extended value = (Value(f.LonDegrees) * 100LL + Value(f.LonMinutes)) / 100.0L;
    return f.LonMark == marks.East ? -value : value;
}

Extended DialogZoneTime(const TNameFields &f, const THemisphereMarks &marks) {
    const Extended value = HoursMinutes(f.ZoneHours, f.ZoneMinutes);
    return f.ZoneMark == marks.East ? -value : value;
}

Extended DialogSummerTime(const TNameFields &f) {
    return HoursMinutes(f.SummerHours, f.SummerMinutes);
}

long long DialogDateNumber(const TNameFields &f) {
    return Value(f.Year) * 10000LL + Value(f.Month) * 100LL + Value(f.Day);
}

long long DialogTimeNumber(const TNameFields &f) {
    return Value(f.Hour) * 10000LL + Value(f.Minute) * 100LL + Value(f.Second);
}

bool DateIsValid(const TNameFields &f) {
    const int y = Value(f.Year), m = Value(f.Month), d = Value(f.Day);
    if (y < FirstBirthYear || y > LastBirthYear || m < 1 || m > 12 || d < 1)
        return false;
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= days[m - 1] + (m == 2 && leap ? 1 : 0);
}

bool TimeIsValid(const TNameFields &f) {
    const auto inRange = [](const std::string &text, TNameField field) {
        const TFieldLimits limits = LimitsOf(field);
        return TrimLeftBlanks(TrimRightBlanks(text)).empty() ||
               CheckRange(text, limits.Min, limits.Max).InRange;
    };
    return inRange(f.Hour, TNameField::Hour) && inRange(f.Minute, TNameField::Minute) &&
           inRange(f.Second, TNameField::Second);
}

TFieldLimits LimitsOf(TNameField field) {
    switch (field) {
    case TNameField::Year:
        return {FirstBirthYear, LastBirthYear, 4};
    case TNameField::Month:
        return {1, 12, 2};
    case TNameField::Day:
        return {1, 31, 2};
    case TNameField::Hour:
    case TNameField::ZoneHours:
    case TNameField::SummerHours:
        return {0, 23, 2};
    case TNameField::LatDegrees:
        return {0, 89, 2};
    case TNameField::LonDegrees:
        return {0, 180, 3};
    case TNameField::Minute:
    case TNameField::Second:
    case TNameField::LatMinutes:
    case TNameField::LonMinutes:
    case TNameField::ZoneMinutes:
    case TNameField::SummerMinutes:
        return {0, 59, 2};
    }
    return {};
}

bool DigitKeyAccepted(char32_t key) {
    if (key >= U'0' && key <= U'9')
        return true;
    return key != U' ' && key <= 64;
}

std::optional<std::string> HemisphereKey(const std::string &key, const std::string &mark1,
                                         const std::string &mark2) {
    const std::string upper = Upper(key);
    if (!upper.empty() && (upper == Upper(mark1) || upper == Upper(mark2)))
        return upper;
    return std::nullopt;
}

TEditState StateAfterChange(TEditState state) {
    switch (state) {
    case TEditState::Empty:
        return TEditState::New;
    case TEditState::Found:
        return TEditState::Changed;
    case TEditState::Changed:
        return TEditState::Changed;
    case TEditState::New:
        return TEditState::New;
    }
    return state;
}

TStateButtons ButtonsOf(TEditState state) {
    switch (state) {
    case TEditState::Empty:
        return {false, false, false, false};
    case TEditState::Found:
        return {true, false, true, true};
    case TEditState::Changed:
        return {true, true, true, true};
    case TEditState::New:
        return {true, true, false, false};
    }
    return {};
}

std::string EditStateCaption(TEditState state) {
    switch (state) {
    case TEditState::Empty:
        return "Edit State = [Init/Clear]";
    case TEditState::Found:
        return "Edit State = [Name Found]";
    case TEditState::Changed:
        return "Edit State = [Name Changed]";
    case TEditState::New:
        return "Edit State = [New Name]";
    }
    return {};
}

TConfirmStep PlanConfirmSave(TEditState state, bool force, bool bothNamesEmpty) {
    switch (state) {
    case TEditState::Empty:
        return TConfirmStep::GoOn;
    case TEditState::Found:
        return force ? TConfirmStep::SaveAndReload : TConfirmStep::GoOn;
    case TEditState::Changed:
        return force ? TConfirmStep::SaveAndReload : TConfirmStep::Ask;
    case TEditState::New:
        return bothNamesEmpty ? TConfirmStep::ClearAndGoOn : TConfirmStep::Ask;
    }
    return TConfirmStep::GoOn;
}

std::string SaveQuestion(const std::string &format1033, const std::string &text465,
                         const std::string &first, const std::string &last) {
    const std::string name = first + " " + last;
    if (format1033.empty())
        return text465 + name;
    std::string question = format1033;
    if (const auto at = question.find("%1"); at != std::string::npos)
        question.replace(at, 2, name);
    return question;
}

const TGuessedTime GuessedTimes[5] = {
    {TextNo(330), 9}, {TextNo(331), 15}, {TextNo(332), 21}, {TextNo(333), 3}, {TextNo(334), 12},
};

TFieldOffsets OffsetsOfFields(TDataCollection &data, const TNameFields &fields, bool zoneSwitch,
                              bool summerSwitch) {
    TFieldOffsets result;
    if (fields.Country.empty() || fields.Place.empty())
        return result;
    result.Place = FindAtlasPlace(data, fields.Country, fields.Place);
    if (result.Place)
        result.Offsets = OffsetsForPlace(data, *result.Place, DialogDateNumber(fields),
                                         DialogTimeNumber(fields), zoneSwitch, summerSwitch);
    return result;
}

} // namespace kyr
