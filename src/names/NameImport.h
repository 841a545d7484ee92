// Import of persons from a name file: fixed records of 35 bytes, names in the OEM character set.
// No windows: the import dialog (ImpDlg.h) shows what this returns.
//
// A name file comes from elsewhere and is read as untrusted input. A record is checked whole
// before anything is written, so the tables never hold part of one; records are written in
// batches, each batch one transaction per table, and a failed write rolls the open batch back, so
// that the count returned is always the number of persons the tables hold from the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <span>
#include <string>

namespace kyr {

class TDataCollection;
class TKyrTable;
class TLanguage;
class TPlaceFinder;

/// The size of one record of a name file.
constexpr std::size_t ImportRecordSize = 35;
/// Flag bits of byte 34.
constexpr std::uint8_t ImportLongitudeWest = 1;
constexpr std::uint8_t ImportLatitudeSouth = 2;
constexpr std::uint8_t ImportZoneWest = 4;
/// The most records a name file may hold, unless the options say otherwise (3.5 MB).
constexpr long long DefaultMaxImportRecords = 100000;

/// What a single record is.
enum class TImportRecordKind {
    Valid,
    NotANameRecord, ///< byte 0 is not the double quote: the import stops here
    NoBlank,        ///< the name is one word or starts with a blank: skipped
    NameNotText,    ///< the name holds control bytes: skipped
    InvalidData     ///< date, time, offset or coordinates outside what a name holds: skipped
};

/// One record decoded, in the NAME table's encodings.
struct TImportRecord {
    std::string FirstName, LastName; ///< UTF-8
    std::string BirthDate;           ///< YYYYMMDD
    std::string BirthTime;           ///< HHMMSS
    std::string TimeZone;            ///< HHMM + "W"/"E"
    long long Latitude = 0;          ///< degrees·100 + minutes, south negative
    long long Longitude = 0;         ///< degrees·100 + minutes, east negative
};

/// Decodes and checks one record of exactly ImportRecordSize bytes; record is filled only for a
/// valid one. The name is "first last" padded with blanks: the first name ends at the first
/// blank, the last name is everything after that blank up to the last non-blank byte (so a second
/// blank between the words stays in front of the last name). The date must be a real calendar
/// date in the program's years, the other numbers inside the limits of the name dialog's fields,
/// and a longitude at most 180°; unknown flag bits are ignored.
TImportRecordKind DecodeImportRecord(std::span<const std::uint8_t, ImportRecordSize> bytes,
                                     TImportRecord &record);

/// The tables an import writes: NAME, GROUPS and NAMEGRPS, open.
struct TImportTables {
    TKyrTable &Names;
    TKyrTable &Groups;
    TKyrTable &NameGroups;
};

struct TImportOptions {
    /// Every written person becomes a member; the group is created with the first written one.
    /// Empty: no memberships.
    std::string GroupName;
    /// Persons already in NAME are changed instead of left alone.
    bool Overwrite = false;
    /// Larger files are refused before anything is read; a stream of unknown size stops there.
    long long MaxRecords = DefaultMaxImportRecords;
    /// Records per transaction.
    int BatchSize = 256;
    /// After each record: records read so far and the number the file holds (-1 when the stream
    /// has no known size). Unset: nobody listens.
    std::function<void(long long done, long long total)> OnProgress;
    /// Asked before each record; true stops the import, keeping what was written.
    std::function<bool()> Cancelled;
    /// The atlas: a person gets the state and place nearest to its coordinates within 25 km
    /// (the file has no place names). Unset, or none that near: the fields stay as they are.
    const TPlaceFinder *Places = nullptr;
};

/// Why the import ended.
enum class TImportEnd {
    EndOfFile,        ///< every record read
    NotANameRecord,   ///< a record without the leading quote
    IncompleteRecord, ///< the file ends inside a record; that part is not imported
    TooLarge,         ///< more records than MaxRecords
    Cancelled,
    CannotOpen,
    ReadError,
    WriteError ///< a table refused a write; the open batch was rolled back
};

struct TImportResult {
    /// Persons written (new or overwritten) and kept in the tables.
    int Count = 0;
    TImportEnd End = TImportEnd::EndOfFile;
    /// Whole records read, the written, skipped and rolled-back ones included.
    long long RecordsRead = 0;
    long long SkippedNoBlank = 0;
    long long SkippedNotText = 0;
    long long SkippedInvalid = 0;
    long long SkippedExisting = 0;
    /// IncompleteRecord: the bytes of the broken record at the end.
    std::size_t TrailingBytes = 0;
    /// The record limit the import ran with.
    long long MaxRecords = 0;
    /// WriteError: the table's message; CannotOpen: the file name.
    std::string ErrorText;
};

/// Reads records from the stream's position to its end into the tables.
TImportResult ImportNames(std::istream &file, const TImportTables &tables,
                          const TImportOptions &options);
/// The same from a file, into the collection's tables (which must be active), with the places of
/// its atlas unless the options name other places.
TImportResult ImportNames(const std::string &fileName, TDataCollection &data,
                          const TImportOptions &options);

/// What the user is told, in the language's words.
struct TImportMessages {
    /// Shown first when the import ended early (a record that is not a name record, a broken
    /// or too large file, a failed read or write, cancellation); empty otherwise.
    std::string Stop;
    /// Always: the count followed by text 347, and a line for each kind of skipped record.
    std::string Summary;
};

TImportMessages ImportMessages(const TImportResult &result, const TLanguage &language);

} // namespace kyr
