#include "SqliteHandles.h"

#include <algorithm>
#include <utility>

namespace kyr::sqlite {

void Fail(sqlite3 *db, const std::string &fileName, const std::string &what) {
    std::string reason = db ? sqlite3_errmsg(db) : "out of memory";
    if (db && sqlite3_extended_errcode(db) == SQLITE_CONSTRAINT_UNIQUE)
        reason = "key violation (a record with this key exists)";
    throw EStoreError(fileName, what + ": " + reason);
}

TStatement::TStatement(sqlite3 *db, const std::string &fileName, const std::string &sql)
    : FileName(fileName) {
    if (sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                           &Stmt, nullptr) != SQLITE_OK)
        Fail(db, fileName, "cannot prepare \"" + sql + "\"");
}

TStatement::~TStatement() {
    sqlite3_finalize(Stmt);
}

TStatement::TStatement(TStatement &&other) noexcept
    : Stmt(std::exchange(other.Stmt, nullptr)), FileName(std::move(other.FileName)) {}

TStatement &TStatement::operator=(TStatement &&other) noexcept {
    if (this != &other) {
        sqlite3_finalize(Stmt);
        Stmt = std::exchange(other.Stmt, nullptr);
        FileName = std::move(other.FileName);
    }
    return *this;
}

void TStatement::Bind(int parameter, const TFieldValue &value, bool asBlob, bool copy) {
    int rc = SQLITE_OK;
    if (std::holds_alternative<std::monostate>(value)) {
        rc = sqlite3_bind_null(Stmt, parameter);
    } else if (const auto *n = std::get_if<long long>(&value)) {
        rc = sqlite3_bind_int64(Stmt, parameter, *n);
    } else if (const auto *b = std::get_if<bool>(&value)) {
        rc = sqlite3_bind_int(Stmt, parameter, *b ? 1 : 0);
    } else {
        const std::string &s = std::get<std::string>(value);
        const auto lifetime = copy ? SQLITE_TRANSIENT : SQLITE_STATIC;
        rc = asBlob
                 ? sqlite3_bind_blob64(Stmt, parameter, s.data(), s.size(), lifetime)
                 : sqlite3_bind_text64(Stmt, parameter, s.data(), s.size(), lifetime, SQLITE_UTF8);
    }
    if (rc != SQLITE_OK)
        Fail(sqlite3_db_handle(Stmt), FileName, "cannot bind a value");
}

void TStatement::BindInteger(int parameter, long long value) {
    if (sqlite3_bind_int64(Stmt, parameter, value) != SQLITE_OK)
        Fail(sqlite3_db_handle(Stmt), FileName, "cannot bind a value");
}

bool TStatement::Step() {
    const int rc = sqlite3_step(Stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3 *db = sqlite3_db_handle(Stmt);
    // The error text belongs to the connection; take it before the reset clears it.
    std::string reason = sqlite3_errmsg(db);
    const int extended = sqlite3_extended_errcode(db);
    sqlite3_reset(Stmt);
    if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY)
        reason = "key violation (a record with this key exists)";
    throw EStoreError(FileName, reason);
}

void TStatement::Reset() {
    if (Stmt)
        sqlite3_reset(Stmt);
}

TDatabase::TDatabase(const std::string &fileName, bool create) : FileName_(fileName) {
    const int flags =
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(fileName.c_str(), &Db, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string reason = Db ? sqlite3_errmsg(Db) : "out of memory";
        sqlite3_close_v2(Db);
        Db = nullptr;
        if (rc == SQLITE_CANTOPEN)
            reason = "the table file is missing or cannot be opened";
        throw EStoreError(fileName, reason);
    }
    sqlite3_extended_result_codes(Db, 1);
    sqlite3_busy_timeout(Db, 5000);
}

TDatabase::~TDatabase() {
    sqlite3_close_v2(Db);
}

void TDatabase::Execute(const std::string &sql) {
    char *message = nullptr;
    if (sqlite3_exec(Db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string reason = message ? message : sqlite3_errmsg(Db);
        sqlite3_free(message);
        throw EStoreError(FileName_, reason);
    }
}

long long TDatabase::QueryInteger(const std::string &sql) {
    TStatement statement(Db, FileName_, sql);
    if (!statement.Step())
        return 0;
    return sqlite3_column_int64(statement.Get(), 0);
}

TStatement TDatabase::Prepare(const std::string &sql) {
    return TStatement(Db, FileName_, sql);
}

std::string Quote(const std::string &name) {
    return "\"" + name + "\"";
}

namespace {

bool IsBlob(TFieldType type) {
    return type == TFieldType::Memo || type == TFieldType::Graphic;
}

bool IsKeyField(const TTableSchema &schema, const std::string &name) {
    if (std::ranges::find(schema.PrimaryKey, name) != schema.PrimaryKey.end())
        return true;
    return std::ranges::any_of(schema.Indexes, [&](const TIndexDef &index) {
        return std::ranges::find(index.Fields, name) != index.Fields.end();
    });
}

std::string ColumnSql(const TTableSchema &schema, const TFieldDef &field) {
    std::string sql = Quote(field.Name);
    switch (field.Type) {
    case TFieldType::Text:
        sql += " TEXT COLLATE NOCASE";
        break;
    case TFieldType::Integer:
    case TFieldType::Boolean:
        sql += " INTEGER";
        break;
    case TFieldType::Memo:
    case TFieldType::Graphic:
        sql += " BLOB";
        break;
    }
    // Row-value comparisons with NULL are never true, so key fields always hold a value.
    if (IsKeyField(schema, field.Name))
        sql += field.Type == TFieldType::Text ? " NOT NULL DEFAULT ''" : " NOT NULL DEFAULT 0";
    return sql;
}

} // namespace

std::vector<int> PhysicalFieldOrder(const TTableSchema &schema) {
    std::vector<int> order;
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < static_cast<int>(schema.Fields.size()); ++i)
            if (IsBlob(schema.Fields[i].Type) == (pass == 1))
                order.push_back(i);
    return order;
}

std::string CreateTableSql(const TTableSchema &schema) {
    std::string sql =
        "CREATE TABLE " + Quote(schema.Kind) + " (" + Quote(RecNoColumn) + " INTEGER NOT NULL";
    for (int field : PhysicalFieldOrder(schema))
        sql += ", " + ColumnSql(schema, schema.Fields[field]);
    return sql + ")";
}

std::string IndexObjectName(const TTableSchema &schema, const std::string &indexName) {
    return schema.Kind + (indexName.empty() ? "_Primary" : "_" + indexName);
}

std::vector<std::string> CreateIndexSql(const TTableSchema &schema) {
    auto columns = [](const std::vector<std::string> &fields, bool tieBreak) {
        std::string list;
        for (const std::string &field : fields)
            list += (list.empty() ? "" : ", ") + Quote(field);
        if (tieBreak)
            list += std::string(", ") + Quote(RecNoColumn);
        return list;
    };
    std::vector<std::string> statements;
    statements.push_back("CREATE UNIQUE INDEX " + Quote(IndexObjectName(schema, "")) + " ON " +
                         Quote(schema.Kind) + " (" + columns(schema.PrimaryKey, false) + ")");
    for (const TIndexDef &index : schema.Indexes)
        statements.push_back("CREATE INDEX " + Quote(IndexObjectName(schema, index.Name)) + " ON " +
                             Quote(schema.Kind) + " (" + columns(index.Fields, true) + ")");
    return statements;
}

} // namespace kyr::sqlite
