// A person's record in the NAME table: its value encodings, the record as plain values, reading
// and writing it, loading it into a horoscope, and its group memberships. No windows.
#pragma once

#include "ChartTypes.h"
#include "KyrTable.h"

#include <optional>
#include <string>
#include <vector>

namespace kyr {

class TDataCollection;
class THoroscope;

// --- encodings of the NAME fields -------------------------------------------------------------
//
// Numbers are written as the last digits of the value plus a power of ten, so that every pair of
// digits keeps its leading zero ("19410806", "090507", "0530E", "+0100"). The dialog's range
// checks keep the parts in range; a part that is not (a negative or too large value) is held to
// its nearest limit here, so that a record never holds a sign or a cut-off digit.

struct TDateParts {
    int Year = 0, Month = 0, Day = 0;
    bool operator==(const TDateParts &) const = default;
};

struct TTimeParts {
    int Hour = 0, Minute = 0, Second = 0;
    bool operator==(const TTimeParts &) const = default;
};

/// Hours and minutes of an offset; West marks a zone offset west of Greenwich ("W").
struct TOffsetParts {
    int Hours = 0, Minutes = 0;
    bool West = true;
    bool operator==(const TOffsetParts &) const = default;
};

/// Degrees and minutes of an angle; Positive is north for a latitude and west for a longitude.
struct TAngleParts {
    int Degrees = 0, Minutes = 0;
    bool Positive = true;
    bool operator==(const TAngleParts &) const = default;
};

/// BirthDate: YYYYMMDD, eight digits.
std::string EncodeBirthDate(const TDateParts &date);
/// Characters 1–4, 5–6 and 7–8; a part that is missing or no number is 0.
TDateParts DecodeBirthDate(const std::string &text);
/// BirthTime: HHMMSS, six digits.
std::string EncodeBirthTime(const TTimeParts &time);
TTimeParts DecodeBirthTime(const std::string &text);
/// TimeZone: HHMM followed by "W" or "E".
std::string EncodeTimeZone(const TOffsetParts &zone);
/// Hours from characters 1–2, minutes from 3–4; west exactly when character 5 is "W".
TOffsetParts DecodeTimeZone(const std::string &text);
/// SummerTime: "+" followed by HHMM.
std::string EncodeSummerTime(int hours, int minutes);
/// Hours from characters 2–3, minutes from 4–5 (West is unused and left true).
TOffsetParts DecodeSummerTime(const std::string &text);
/// Latitude and Longitude: ±(degrees·100 + minutes).
long long EncodeAngle(const TAngleParts &angle);
TAngleParts DecodeAngle(long long value);

/// The horoscope's values of a stored record: D.MM angles, YYYY.MMDD date, H.MMSS time and H.MM
/// offsets (the zone negated when its fifth character is "E").
struct TBirthValues {
    Extended BirthDate = 0, BirthTime = 0;
    Extended Latitude = 0, Longitude = 0;
    Extended ZoneTime = 0, SummerTime = 0;
};

// --- the record ---------------------------------------------------------------------------------

/// One NAME row as plain values, in the table's encodings.
struct TNameRecord {
    std::string FirstName, LastName;
    std::string BirthCountry, BirthTown;
    std::string BirthDate; ///< YYYYMMDD
    std::string BirthTime; ///< HHMMSS
    bool TimeUnknown = false;
    long long Latitude = 0;  ///< north positive
    long long Longitude = 0; ///< west positive
    std::string TimeZone;    ///< HHMM + "W"/"E"
    std::string SummerTime;  ///< "+" HHMM
    std::string Address1, Address2, PostalCode, Town, Country;
    std::string HomePhone; ///< the phone
    std::string WorkPhone; ///< shown as the fax number
    std::string Fax;       ///< shown as the e-mail address
    TBytes Picture;        ///< an encoded image, or empty
    std::vector<std::string> Notes;

    bool operator==(const TNameRecord &) const = default;
};

TBirthValues BirthValuesOf(const TNameRecord &record);

/// The current row of NAME.
TNameRecord ReadNameRecord(TKyrTable &names);
/// Every field into the record being edited or appended; Sex is written "U", Modem empty.
void WriteNameRecord(TKyrTable &names, const TNameRecord &record);

/// The person (first, last) of NAME, on its primary index; none when NAME is closed or has no
/// such record.
std::optional<TNameRecord> FindName(TDataCollection &data, const std::string &first,
                                    const std::string &last);
/// Writes the record under its first and last name: the stored one is changed when there is
/// one, otherwise a new record is added. Another first or last name never touches the old one.
void SaveName(TDataCollection &data, const TNameRecord &record);

/// Fills the horoscope from the stored person: names, place, coordinates, date, time and offsets
/// through the validating setters, and the Gregorian start of the place. The horoscope's Active
/// state is the same afterwards, also when a setter refuses a stored value (its exception then
/// reaches the caller). False, with the horoscope untouched, when NAME is closed or lacks the
/// person.
bool LoadNameIntoHoroscope(TDataCollection &data, const std::string &first, const std::string &last,
                           THoroscope &horoscope);

// --- group memberships (NAMEGRPS)
// -----------------------------------------------------------------

/// The groups of the person, in group order.
std::vector<std::string> GroupsOfName(TDataCollection &data, const std::string &first,
                                      const std::string &last);
/// Writes the membership unless it exists; true when it was written.
bool AddMembership(TDataCollection &data, const std::string &first, const std::string &last,
                   const std::string &group);
/// Deletes the membership; false when there was none.
bool RemoveMembership(TDataCollection &data, const std::string &first, const std::string &last,
                      const std::string &group);

} // namespace kyr
