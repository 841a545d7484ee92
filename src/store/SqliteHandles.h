// Thin owners of SQLite connections and statements, and the SQL of the table layouts.
// Internal to the store: nothing outside src/store includes it.
#pragma once

#include "KyrTable.h"
#include "TableSchemas.h"

#include <sqlite3.h>

#include <string>
#include <vector>

namespace kyr::sqlite {

/// Marks a file as one of this program's tables ("KYRT").
constexpr int ApplicationId = 0x4B595254;
/// Hidden column: the order in which records were written, the tie-breaker of named indexes.
constexpr const char *RecNoColumn = "RecNo";

/// One prepared statement; reset after every use so that no read lock stays behind.
class TStatement {
public:
    TStatement() = default;
    TStatement(sqlite3 *db, const std::string &fileName, const std::string &sql);
    ~TStatement();
    TStatement(TStatement &&other) noexcept;
    TStatement &operator=(TStatement &&other) noexcept;

    sqlite3_stmt *Get() const { return Stmt; }
    explicit operator bool() const { return Stmt != nullptr; }

    /// Binds parameter (1-based). Texts are bound by reference and must outlive the statement's
    /// run, unless copy is set.
    void Bind(int parameter, const TFieldValue &value, bool asBlob = false, bool copy = false);
    void BindInteger(int parameter, long long value);
    /// True when a row came; throws EStoreError on failure.
    bool Step();
    void Reset();

private:
    sqlite3_stmt *Stmt = nullptr;
    std::string FileName;
};

/// Resets the statement when the scope ends, also on an exception.
class TResetGuard {
public:
    explicit TResetGuard(TStatement &statement) : Statement(&statement) {}
    ~TResetGuard() {
        if (Statement)
            Statement->Reset();
    }
    TResetGuard(const TResetGuard &) = delete;
    TResetGuard &operator=(const TResetGuard &) = delete;
    /// Leaves the statement running.
    void Release() { Statement = nullptr; }

private:
    TStatement *Statement;
};

class TDatabase {
public:
    /// Opens the file for reading and writing (create = make it when missing).
    TDatabase(const std::string &fileName, bool create);
    ~TDatabase();
    TDatabase(const TDatabase &) = delete;
    TDatabase &operator=(const TDatabase &) = delete;

    sqlite3 *Get() const { return Db; }
    const std::string &FileName() const { return FileName_; }
    void Execute(const std::string &sql);
    /// The first column of the first row as an integer.
    long long QueryInteger(const std::string &sql);
    TStatement Prepare(const std::string &sql);

private:
    sqlite3 *Db = nullptr;
    std::string FileName_;
};

/// Raises EStoreError for a failed SQLite call, with SQLite's own explanation.
[[noreturn]] void Fail(sqlite3 *db, const std::string &fileName, const std::string &what);

std::string Quote(const std::string &name);
/// Columns as stored: RecNo, the fields other than memos and pictures in field order, then the
/// memos and pictures (so that moving the cursor never reads a blob).
std::vector<int> PhysicalFieldOrder(const TTableSchema &schema);
std::string CreateTableSql(const TTableSchema &schema);
std::vector<std::string> CreateIndexSql(const TTableSchema &schema);
std::string IndexObjectName(const TTableSchema &schema, const std::string &indexName);

} // namespace kyr::sqlite
