// What the name dialog does with its fields, without the widgets: the texts of the edits and
// their conversion to and from a NAME record, the values the chart receives, the limits and key
// filters of the numeric fields, the edit states with their buttons and the save question.
#pragma once

#include "RangeCheck.h"

#include "ChartTypes.h"
#include "NameRecord.h"
#include "PlaceOffsets.h"
#include "SupportedDates.h"

#include <optional>
#include <string>

namespace kyr {

/// The hemisphere marks of the current language (texts 169, 168, 170, 171).
struct THemisphereMarks {
    std::string North = "N", South = "S", West = "W", East = "E";
};

/// The texts of the dialog's edits, as the user sees them.
struct TNameFields {
    std::string FirstName, LastName;
    std::string Country, Place;
    std::string Year, Month, Day;
    std::string Hour, Minute, Second;
    bool TimeUnknown = false;
    std::string LatDegrees, LatMinutes, LatMark;
    std::string LonDegrees, LonMinutes, LonMark;
    std::string ZoneHours, ZoneMinutes, ZoneMark;
    std::string SummerHours, SummerMinutes;
    std::string Address1, Address2, PostalCode, City, AddressCountry;
    std::string Phone, Fax, EMail;
    std::vector<std::string> Notes;
    TBytes Picture;

    bool operator==(const TNameFields &) const = default;
};

/// The fields of a stored record; every numeric field with its leading zero where the record has
/// one, degrees without it.
TNameFields FieldsFromRecord(const TNameRecord &record, const THemisphereMarks &marks);
/// The record the fields save. A numeric field that is no number counts as 0.
TNameRecord RecordFromFields(const TNameFields &fields, const THemisphereMarks &marks);

/// The latitude fields of a stored angle: the south mark below 0, else north.
void ShowLatitude(TNameFields &fields, long long latitude, const THemisphereMarks &marks);
/// The longitude fields: the east mark below 0, else west.
void ShowLongitude(TNameFields &fields, long long longitude, const THemisphereMarks &marks);
/// The zone fields of an H.MM offset (west positive).
void ShowZoneOffset(TNameFields &fields, Extended zone, const THemisphereMarks &marks);
/// The summer fields of an H.MM offset.
void ShowSummerOffset(TNameFields &fields, Extended summer);

// The values the chart receives.
/// (y·10000 + m·100 + d)/10000.
Extended DialogBirthDate(const TNameFields &fields);
/// (h·10000 + min·100 + s)/10000.
Extended DialogBirthTime(const TNameFields &fields);
/// Negated unless the mark is the north mark: a blank mark gives a south latitude.
Extended DialogLatitude(const TNameFields &fields, const THemisphereMarks &marks);
/// Negated when the mark is the east mark: a blank mark gives a west longitude.
Extended DialogLongitude(const TNameFields &fields, const THemisphereMarks &marks);
/// |h| + |min|/100, negated when the mark is the east mark.
Extended DialogZoneTime(const TNameFields &fields, const THemisphereMarks &marks);
/// |h| + |min|/100.
Extended DialogSummerTime(const TNameFields &fields);
/// Date (YYYYMMDD) and time (HHMMSS) as the offset look-ups take them.
long long DialogDateNumber(const TNameFields &fields);
long long DialogTimeNumber(const TNameFields &fields);

/// The year range of the birth date: the years charts are computed for.
constexpr int FirstBirthYear = FirstSupportedYear;
constexpr int LastBirthYear = LastSupportedYear;

/// Whether year, month and day form a real calendar date (proleptic Gregorian) inside
/// FirstBirthYear..LastBirthYear; fields that are no numbers count as 0 and fail.
bool DateIsValid(const TNameFields &fields);
/// Whether hour (0..23), minute and second (0..59) are numbers within their ranges; an empty
/// field counts as 0.
bool TimeIsValid(const TNameFields &fields);

// --- numeric fields ---------------------------------------------------------------------------

enum class TNameField {
    Year,
    Month,
    Day,
    Hour,
    Minute,
    Second,
    LatDegrees,
    LatMinutes,
    LonDegrees,
    LonMinutes,
    ZoneHours,
    ZoneMinutes,
    SummerHours,
    SummerMinutes
};

struct TFieldLimits {
    int Min = 0, Max = 0;
    int MaxLength = 2; ///< characters the edit takes
};

TFieldLimits LimitsOf(TNameField field);

/// Whether a digit field takes a key: digits and control keys, and the punctuation codes 33–47
/// and 58–64; a blank and every code above 64 are refused.
bool DigitKeyAccepted(char32_t key);
/// A hemisphere field takes only one of its two marks, compared in upper case; the stored mark
/// is the upper-cased key. None means the key is refused.
std::optional<std::string> HemisphereKey(const std::string &key, const std::string &mark1,
                                         const std::string &mark2);

// --- edit states ------------------------------------------------------------------------------

enum class TEditState { Empty = 0, Found = 1, Changed = 2, New = 3 };

/// The state after a change of a latitude, longitude or address field, the notes or the
/// picture: empty and new become new, found and changed become changed.
TEditState StateAfterChange(TEditState state);

/// The buttons of a state.
struct TStateButtons {
    bool Ok = false;
    bool Save = false;
    bool Memberships = false; ///< group Add/Remove and picture Insert
    bool KeepGroups = false;  ///< the groups list stays (else it is cleared)
    bool operator==(const TStateButtons &) const = default;
};

TStateButtons ButtonsOf(TEditState state);

/// "Edit State = [...]", shown in the caption with the database debug setting.
std::string EditStateCaption(TEditState state);

/// What ConfirmSave does before the caller may go on.
enum class TConfirmStep {
    GoOn,          ///< nothing to do
    SaveAndReload, ///< save, then load the names again
    ClearAndGoOn,  ///< load the empty names (a new record without names)
    Ask,           ///< ask Yes / No / Cancel
};

TConfirmStep PlanConfirmSave(TEditState state, bool force, bool bothNamesEmpty);

/// The save question: text 1033 as a format of "first last" when the language has it, else
/// text 465 followed by the names.
std::string SaveQuestion(const std::string &format1033, const std::string &text465,
                         const std::string &first, const std::string &last);

// --- the guessed time of day ----------------------------------------------------------------

struct TGuessedTime {
    int TextNumber; ///< the menu item's caption
    int Hour;
};

/// Morning 09, afternoon 15, evening 21, night 03, no idea 12.
extern const TGuessedTime GuessedTimes[5];

// --- offsets from the atlas -----------------------------------------------------------------

/// The offsets of the fields' place and moment: the place looked up by state and place name,
/// the zone offset when zoneSwitch is on, the summer offset when summerSwitch is on; 0 for
/// what the atlas does not hold. Place is set when the atlas has the place.
struct TFieldOffsets {
    std::optional<TAtlasPlace> Place;
    TPlaceOffsets Offsets;
};

TFieldOffsets OffsetsOfFields(TDataCollection &data, const TNameFields &fields, bool zoneSwitch,
                              bool summerSwitch);

} // namespace kyr
