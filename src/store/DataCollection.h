// The one owner of every table of the program, and the look-ups built on them.
#pragma once

#include "ChartTypes.h"
#include "KyrTable.h"

#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace kyr {

/// Owns the program's tables. Created once at start-up; all other code reaches the tables
/// through it (DataCollection()).
///
/// Texts handed out as streams are the memo's bytes as stored: lines separated by CR LF, CR or
/// LF; readers accept all three.
class TDataCollection {
public:
    /// Creates the tables (NAME, NAME1, GROUPS, NAMEGRPS, ZONEID, ZONE, SUMMERID, SUMMER, ORBIS,
    /// ORBISDEF, PLACES, STATES, BOOK__, HELP__, KHLP__, SYBOOK__); opens nothing.
    TDataCollection();
    ~TDataCollection();
    TDataCollection(const TDataCollection &) = delete;
    TDataCollection &operator=(const TDataCollection &) = delete;

    TKyrTable NameTable;
    TKyrTable Name1Table;
    TKyrTable GroupsTable;
    TKyrTable NameGroupsTable;
    TKyrTable BookTable;
    TKyrTable ZoneIdTable;
    TKyrTable ZoneTable;
    TKyrTable SummerIdTable;
    TKyrTable SummerTable;
    TKyrTable OrbisTable;
    TKyrTable OrbisDefTable;
    TKyrTable HelpTable;
    TKyrTable KeywordTable;
    TKyrTable PlacesTable;
    TKyrTable StatesTable;
    TKyrTable SynastryBookTable;

    /// Language code of the per-language tables; empty at creation.
    const std::string &LanguageCode() const { return LanguageCode_; }
    /// Whether the tables are open.
    bool Active() const { return Active_; }

    /// Opens (True) every table but those left out, or closes (False) every table, in creation
    /// order; nothing when unchanged.
    /// A table that cannot be opened raises EStoreError; the collection then closes the others
    /// again and stays inactive.
    void SetActive(bool value);
    /// Renames BOOK, KHLP, HELP and SYBOOK to name + code and reopens them when active;
    /// nothing when the code is the current one.
    void SetLanguage(const std::string &code);
    /// Data directory of every table (tests); empty restores the program directory + "Data/".
    /// Only while inactive.
    void SetDirectory(const std::string &directory);
    /// Tables that stay closed when the collection opens: a damaged table the user chose not
    /// to restore, so that the program goes on without it. Set while inactive.
    void SetLeftOut(std::vector<std::string> tableNames) { LeftOut_ = std::move(tableNames); }
    const std::vector<std::string> &LeftOut() const { return LeftOut_; }

    /// The passage (Book, Chapter, Code3, Code4) of BOOK: Attitude := its Attitude and its Text
    /// appended at the stream's position; not found: Attitude empty, stream untouched. Codes
    /// keep their first two characters.
    void GetChapter(const std::string &book, const std::string &chapter, const std::string &code3,
                    const std::string &code4, std::string &attitude, std::ostream &text);
    /// The same against SYBOOK, with its Title as the attitude.
    void GetSynastryChapter(const std::string &book, const std::string &chapter,
                            const std::string &code3, const std::string &code4,
                            std::string &attitude, std::ostream &text);
    /// The books (as integers, in Book order) that have a passage for the chapter key. Writes
    /// Books[1] := 0 first, then each book followed by a 0 while elements remain; stops when
    /// the array is full. BOOK is left on its primary index.
    void GetBooks(const std::string &chapter, const std::string &code3, const std::string &code4,
                  int &count, std::span<std::uint8_t> books);
    /// The language's caption and message texts (HELP record 11000) into the emptied stream,
    /// rewound to its start; empty when the record is missing. Opens HELP when closed.
    void GetLanguageTexts(const std::string &newLanguage, std::stringstream &stream);

    /// Zone offset (H.MM, west positive) of the named zone definition in force on the date
    /// (YYYYMMDD); 0 when none. Leaves ZONEID on index "Zone".
    Extended ZoneTimeFor(const std::string &zoneName, long long date);
    /// Summer-time offset (H.MM) of the named definition in force at date (YYYYMMDD) and time
    /// (HHMMSS); 0 when none. Leaves SUMMERID on index "Summer".
    Extended SummerTimeFor(const std::string &summerName, long long date, long long time);
    /// First Gregorian day (YYYY.MMDD) at the place: the GregDate of its zone definition (PLACES
    /// row, ZoneRef, ZONEID); 1582.1015 without such a place or date. Dates before it are Julian.
    Extended GregorianStartFor(const std::string &stateName, const std::string &placeName,
                               Extended date);

    /// The tables in creation order.
    const std::array<TKyrTable *, 16> &Tables() const { return Tables_; }

private:
    std::vector<std::string> LeftOut_;
    std::string LanguageCode_;
    bool Active_ = false;
    std::array<TKyrTable *, 16> Tables_;
};

/// Writes a memo or graphic field's content at the stream's current position.
void BlobToStream(const TKyrField &field, std::ostream &stream);
/// Replaces the list with a memo field's lines.
void BlobToStrings(const TKyrField &field, std::vector<std::string> &lines);

/// Identifier for a new state (STATES), time-zone (ZONEID) or summer-time definition
/// (SUMMERID): the last identifier + 1 when it is above 1000, otherwise "1001". Moves the
/// table's position; its index is restored. EStoreError for any other table.
std::string NewIdentifier(TKyrTable &table);

/// The program's one collection; null until start-up creates it.
TDataCollection *DataCollection();
/// Set by start-up (and tests); a collection clears it when destroyed while registered.
void SetDataCollection(TDataCollection *collection);

} // namespace kyr
