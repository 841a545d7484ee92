// Layouts of the program's tables and the creation of empty table files.
#pragma once

#include <string>
#include <vector>

namespace kyr {

/// Raised in PRAGMA user_version of every table file; a file of another version is refused.
constexpr int StoreSchemaVersion = 1;

enum class TFieldType { Text, Integer, Boolean, Memo, Graphic };

struct TFieldDef {
    std::string Name;
    TFieldType Type = TFieldType::Text;
    /// Text fields: the most characters kept (longer texts are cut); 0 for the other types.
    int Size = 0;
};

struct TIndexDef {
    std::string Name;
    std::vector<std::string> Fields;
};

struct TTableSchema {
    /// The layout's name: the table name without a language code (BOOKUK → "BOOK").
    std::string Kind;
    /// In field order: InsertRecord, AppendRecord and SetFields assign in this order.
    std::vector<TFieldDef> Fields;
    /// The primary index; unique.
    std::vector<std::string> PrimaryKey;
    /// The named indexes; not unique (ties run in the order the records were written).
    std::vector<TIndexDef> Indexes;
};

/// The layout of a table name: NAME, NAME1, GROUPS, NAMEGRPS, STATES, PLACES, ZONEID, ZONE,
/// SUMMERID, SUMMER, ORBIS, ORBISDEF, and BOOK, SYBOOK, HELP, KHLP followed by a language code.
/// Null for any other name.
const TTableSchema *FindSchema(const std::string &tableName);

/// Creates the empty table file directory + tableName + ".DAT" with the layout of the name.
/// Throws EStoreError when the name has no layout or the file exists already.
void CreateTable(const std::string &directory, const std::string &tableName);

} // namespace kyr
