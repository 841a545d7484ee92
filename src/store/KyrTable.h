// A cursor over one table of the data store: one SQLite file per table, TABLE.DAT.
//
// Order and matching: text keys compare without regard to the case of ASCII letters (SQLite
// NOCASE); other characters compare by their UTF-8 bytes. FindKey is exact in that sense.
// Records with equal keys in a named index run in the order they were written.
//
// Every write is one SQLite transaction (rollback journal, synchronous FULL), so a crash or a
// killed process leaves each record either wholly old or wholly new.
//
// Between writes an open table keeps a shared read lock on its file, so that moving the cursor
// costs no locking. Other tables of this process on the same file give way before any write;
// another process can read, but it can write only once EndReads has let the locks go (the
// program does so whenever it waits for input).
#pragma once

#include "StoreError.h"
#include "TableSchemas.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace kyr {

/// A key or field value: empty, integer, text or Boolean. Texts and integers convert into each
/// other as the field's type needs ("1001" ↔ 1001).
using TFieldValue = std::variant<std::monostate, long long, std::string, bool>;

/// Content of a graphic field.
using TBytes = std::vector<std::uint8_t>;

enum class TTableState {
    Inactive, ///< closed
    Browse,   ///< open, no record being edited
    Edit,     ///< the current record is being changed (Edit)
    Insert    ///< a new record is being filled (Append / Insert)
};

class TKyrTable;
struct TKeyDeletion;

/// One field of a table's current record (or of the record being edited). A light handle: it
/// stays valid while the table is open and always reads the record current at the time of use.
///
/// Memo fields hold text, graphic fields bytes; both keep exactly what was written. As a string
/// list a memo is split at CR LF, CR or LF (a final line break adds no empty line); a list is
/// written back joined with LF.
class TKyrField {
public:
    const std::string &FieldName() const;
    TFieldType DataType() const;

    /// Text as stored; integers as decimal text; Booleans as "True"/"False"; empty → "".
    std::string AsString() const;
    /// Integers as stored; a text is parsed (empty → 0, not a number → EStoreError).
    long long AsInteger() const;
    /// Booleans as stored; integers ≠ 0; texts "True"/"1" (any case) are True.
    bool AsBoolean() const;
    /// True when the field holds nothing: no value, an empty text or an empty blob.
    bool IsNull() const;
    TFieldValue Value() const;

    // Writing needs the table in Edit or Insert state (EStoreError otherwise).
    void SetAsString(const std::string &value);
    void SetAsInteger(long long value);
    void SetAsBoolean(bool value);
    /// std::monostate clears the field.
    void SetValue(const TFieldValue &value);
    void Clear();

    // Memo and graphic fields.
    /// Writes the content at the stream's current position.
    void SaveToStream(std::ostream &stream) const;
    /// Replaces the content with the rest of the stream.
    void LoadFromStream(std::istream &stream);
    /// Replaces the list with the memo's lines.
    void SaveToStrings(std::vector<std::string> &lines) const;
    void LoadFromStrings(const std::vector<std::string> &lines);
    TBytes AsBytes() const;
    void SetAsBytes(const TBytes &bytes);

private:
    friend class TKyrTable;
    TKyrField(TKyrTable *table, int index) : Table(table), Index(index) {}
    TKyrTable *Table;
    int Index;
};

/// A table of the store, bound to the file Directory() + TableName() + ".DAT".
///
/// Positioning (First, Last, Next, Prior, FindKey, FindNearest, SetIndexName, Close) first
/// completes a pending Edit/Append/Insert: the record is written when a field was changed,
/// otherwise dropped.
///
/// BOF and EOF: both True on an empty table. Otherwise First sets BOF, Last sets EOF; Next on the
/// last record sets EOF and Prior on the first sets BOF, the position staying where it is; every
/// other successful move (including FindKey and FindNearest) clears both.
class TKyrTable {
public:
    explicit TKyrTable(std::string tableName = {}, std::string directory = {});
    ~TKyrTable();
    TKyrTable(const TKyrTable &) = delete;
    TKyrTable &operator=(const TKyrTable &) = delete;

    const std::string &TableName() const;
    /// Renames the table; EStoreError while it is open.
    void SetTableName(const std::string &tableName);
    /// The data directory with a trailing '/': the one set, or the program directory + "Data/".
    std::string Directory() const;
    /// Empty restores the default; EStoreError while the table is open.
    void SetDirectory(const std::string &directory);
    /// Directory() + TableName() + ".DAT".
    std::string FileName() const;

    /// Opens the file, positioned on the first record of the primary index. A missing file, a
    /// file that is no table file or a table of another layout or version raise EStoreError.
    void Open();
    /// Completes a pending edit and closes; closing a closed table does nothing.
    void Close();
    bool Active() const;
    void SetActive(bool value);
    TTableState State() const;

    /// Empty names the primary index. The current record is kept.
    const std::string &IndexName() const;
    /// EStoreError for a name the table does not have.
    void SetIndexName(const std::string &indexName);
    /// The fields of the current index in order.
    std::vector<std::string> IndexFields() const;

    /// Values for the leading fields of the current index. True and positioned on the first
    /// matching record, or False with the position (and BOF/EOF) unchanged.
    bool FindKey(const std::vector<TFieldValue> &values);
    /// The first record whose key is ≥ the values; the last record when every key is smaller.
    void FindNearest(const std::vector<TFieldValue> &values);
    void First();
    void Last();
    void Next();
    void Prior();
    bool Bof() const;
    bool Eof() const;
    /// True when the table has no records.
    bool IsEmpty() const;
    long long RecordCount() const;

    /// Start a new record: every field empty (key fields "" or 0).
    void Append();
    void Insert();
    /// Start changing the current record; on an empty table the same as Insert.
    void Edit();
    /// Writes the record being edited and positions on it. A duplicate primary key raises
    /// EStoreError and leaves the edit pending (Cancel drops it).
    void Post();
    /// Drops the pending edit; after a dropped new record the previous position comes back.
    void Cancel();
    /// Removes the current record (a pending new record is dropped instead); positions on the
    /// record that followed it, or on the new last record with EOF set.
    void Delete();

    /// A new record from values in field order, from the first field on, written at once.
    void InsertRecord(const std::vector<TFieldValue> &values);
    void AppendRecord(const std::vector<TFieldValue> &values);
    /// Assigns values in field order to the record being edited; std::monostate clears a field.
    void SetFields(const std::vector<TFieldValue> &values);

    int FieldCount() const;
    TKyrField Fields(int index);
    /// EStoreError for a name the table does not have.
    TKyrField FieldByName(const std::string &fieldName);
    /// The layout; null while the table has none (never opened and no known name).
    const TTableSchema *Schema() const;

    /// Groups many writes into one transaction (the importer and bulk loads); without it every
    /// write is a transaction of its own. Rollback also drops a pending edit.
    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const;

    /// Ends the read transactions of every open table of this process, so that other processes
    /// can write; the next move takes a new one. Positions, pending edits and transactions
    /// stay as they are.
    static void EndReads();

private:
    friend class TKyrField;
    friend std::vector<long long> DeleteAtomically(const std::vector<TKeyDeletion> &deletions);
    struct TImpl;
    std::unique_ptr<TImpl> Impl;
};

} // namespace kyr
