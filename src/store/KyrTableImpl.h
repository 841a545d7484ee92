// The cursor's state, shared by the table and its field handles. Internal to the store.
//
// The cursor keeps the current record's key values and moves with one indexed query per step:
// WHERE (k1, k2, …) > (current) ORDER BY k1, k2, … LIMIT 1. Named indexes carry the hidden
// RecNo column last, so equal keys have a fixed order and every step is one index seek.
#pragma once

#include "KyrTable.h"
#include "SqliteHandles.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kyr {

// Conversions between the value kinds; a text that is no number or truth value raises
// EStoreError naming the file and the field.
std::string ValueAsString(const TFieldValue &value);
long long ValueAsInteger(const TFieldValue &value, const std::string &fileName,
                         const std::string &fieldName);
bool ValueAsBoolean(const TFieldValue &value, const std::string &fileName,
                    const std::string &fieldName);
/// Equal as the store compares keys: ASCII letters without regard to case.
bool SameKeyText(const std::string &a, const std::string &b);
/// The first count characters of UTF-8 text.
std::string CutToCharacters(const std::string &text, int count);

struct TIndexCursor {
    std::string Name;        ///< empty for the primary index
    std::vector<int> Fields; ///< field numbers
    bool TieBreak = false;   ///< RecNo follows the fields (named indexes)
    sqlite::TStatement First, Last;
    sqlite::TStatement Next, Prior; ///< without LIMIT: a walk keeps stepping them
    std::vector<sqlite::TStatement> FindKey, FindNearest; ///< by number of values − 1, on demand
};

struct TKyrTable::TImpl {
    std::string TableName;
    std::string DirectoryOverride;
    std::string IndexName;
    const TTableSchema *Schema = nullptr;
    std::unique_ptr<sqlite::TDatabase> Db;

    std::vector<int> ResultColumn; ///< field → column of the cursor queries; −1 for blobs
    std::vector<int> ResultField;  ///< column of the cursor queries (after RecNo) → field
    std::string SelectList;
    std::vector<TIndexCursor> Indexes;
    int Current = 0;
    sqlite::TStatement ByRecNo, InsertStatement, DeleteStatement, CountStatement, AnyStatement;
    std::vector<sqlite::TStatement> BlobReads;         ///< by field, on demand
    std::map<std::string, sqlite::TStatement> Updates; ///< by the changed-field mask

    // The current record.
    bool HasRecord = false;
    long long RecNo = 0;
    std::vector<TFieldValue> Row;
    std::vector<char> BlobLoaded;
    std::vector<TFieldValue> Scratch;
    std::vector<TFieldValue> KeyValues;
    std::vector<char> KeyField; ///< by field: part of some index, so never empty
    bool BofFlag = true;
    bool EofFlag = true;

    // The record being edited or filled.
    TTableState State = TTableState::Inactive;
    std::vector<TFieldValue> Buffer;
    std::vector<char> Changed;
    bool Modified = false;
    bool SavedHasRecord = false;
    long long SavedRecNo = 0;
    bool Transaction = false;
    /// Reads share one read transaction until the next write: taking and dropping the file
    /// lock around every single step would cost more than the step itself.
    bool ReadTransaction = false;
    sqlite::TStatement BeginStatement, CommitStatement;
    /// A Next or Prior statement left running, so that a walk steps on instead of seeking anew.
    sqlite::TStatement *Walking = nullptr;

    std::string FileName() const;
    [[noreturn]] void Fail(const std::string &message) const;
    void RequireOpen() const;
    const TTableSchema &RequireSchema() const;
    int FieldNumber(const std::string &fieldName) const;

    void OpenFile();
    void Validate(sqlite::TDatabase &db) const;
    void PrepareCursors();
    void CloseFile() noexcept;

    void BeginRead();
    /// Ends the shared read transaction before a write, which is then a transaction of its own.
    void EndRead();
    /// Before a write: ends this table's read transaction and those of the other open tables of
    /// the same file in this process, whose read locks would otherwise hold the write off.
    void PrepareWrite();
    /// Open tables by file, for PrepareWrite.
    static std::multimap<std::string, TImpl *> &OpenTables();
    std::string LockPath;
    void StopWalk();
    /// Steps the statement; on a row makes it the current record. The statement is reset,
    /// unless keepRunning asks to leave it running for the next step of a walk.
    bool Load(sqlite::TStatement &statement, bool keepRunning = false);
    void SetEmpty();
    void BindCurrentKey(sqlite::TStatement &statement);
    void BindValues(sqlite::TStatement &statement, const std::vector<TFieldValue> &values);
    sqlite::TStatement &FindStatement(bool exact, std::size_t count);

    void MoveFirst();
    void MoveLast();
    bool MoveByRecNo(long long recNo);
    /// After the current record disappeared: the record that followed it, else the last.
    void RepositionAfterRemoval();

    /// Writes a changed edit, drops an unchanged one.
    void CompleteEdit();
    void PostEdit();
    void DropEdit();

    const TFieldValue &CurrentValue(int field);
    void Assign(int field, const TFieldValue &value);
    /// The value converted to the field's type (texts cut to the field's width).
    TFieldValue Normalize(int field, const TFieldValue &value) const;
    /// As Normalize, with empty turned into the key default ("" or 0).
    TFieldValue KeyValue(int field, const TFieldValue &value) const;
};

} // namespace kyr
