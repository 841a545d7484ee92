// The cursor's internals: opening and checking files, statements, moving and writing.
#include "KyrTableImpl.h"

#include "ProgramDirectory.h"

#include <algorithm>
#include <filesystem>

namespace kyr {

using sqlite::Quote;
using sqlite::TResetGuard;
using sqlite::TStatement;

namespace {

const TFieldValue EmptyValue;

bool IsBlob(TFieldType type) {
    return type == TFieldType::Memo || type == TFieldType::Graphic;
}

std::string ColumnList(const std::vector<std::string> &columns, const char *suffix = "") {
    std::string list;
    for (const std::string &column : columns)
        list += (list.empty() ? "" : ", ") + column + suffix;
    return list;
}

std::string Placeholders(std::size_t count) {
    std::string list;
    for (std::size_t i = 0; i < count; ++i)
        list += i ? ", ?" : "?";
    return list;
}

// The header of a table file could not be read: a broken file, or an interrupted write that
// cannot be undone because nothing may be written there.
[[noreturn]] void FailUnreadable(const std::string &fileName, sqlite3 *db) {
    sqlite3_stmt *probe = nullptr;
    int code = sqlite3_prepare_v2(db, "PRAGMA application_id", -1, &probe, nullptr);
    if (code == SQLITE_OK)
        code = sqlite3_step(probe);
    const std::string reason = sqlite3_errmsg(db);
    sqlite3_finalize(probe);
    const int primary = code & 0xff;
    std::error_code error;
    if (std::filesystem::exists(fileName + "-journal", error) &&
        (primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN || primary == SQLITE_IOERR))
        throw ETableOpenError(fileName,
                              "an interrupted write left a journal that cannot be undone, as "
                              "the folder or the file is read-only (" + reason + ")",
                              TOpenFailure::LeftoverJournal);
    throw ETableOpenError(fileName, "the table file is damaged (" + reason + ")",
                          TOpenFailure::Damaged);
}

// The message without the file name in front.
std::string BareReason(const EStoreError &error) {
    std::string reason = error.what();
    if (!error.FileName().empty() && reason.starts_with(error.FileName() + ": "))
        reason.erase(0, error.FileName().size() + 2);
    return reason;
}

} // namespace

// ---- TImpl: files and statements ----

std::string TKyrTable::TImpl::FileName() const {
    const std::string directory =
        DirectoryOverride.empty() ? ProgramDirectory() + "Data/" : DirectoryOverride;
    return directory + TableName + ".DAT";
}

void TKyrTable::TImpl::Fail(const std::string &message) const {
    throw EStoreError(FileName(), message);
}

void TKyrTable::TImpl::RequireOpen() const {
    if (State == TTableState::Inactive)
        Fail("the table is not open");
}

const TTableSchema &TKyrTable::TImpl::RequireSchema() const {
    const TTableSchema *schema = Schema ? Schema : FindSchema(TableName);
    if (!schema)
        Fail("no table layout is known for the name \"" + TableName + "\"");
    return *schema;
}

int TKyrTable::TImpl::FieldNumber(const std::string &fieldName) const {
    const auto &fields = RequireSchema().Fields;
    for (int i = 0; i < static_cast<int>(fields.size()); ++i)
        if (fields[i].Name == fieldName)
            return i;
    Fail("the table has no field \"" + fieldName + "\"");
}

void TKyrTable::TImpl::Validate(sqlite::TDatabase &db) const {
    const TTableSchema &schema = *Schema;
    long long applicationId = 0;
    long long version = 0;
    try {
        applicationId = db.QueryInteger("PRAGMA application_id");
        version = db.QueryInteger("PRAGMA user_version");
    } catch (const EStoreError &) {
        FailUnreadable(FileName(), db.Get());
    }
    if (applicationId != sqlite::ApplicationId)
        throw ETableOpenError(FileName(), "not a table file of this program",
                              TOpenFailure::Foreign);
    if (version != StoreSchemaVersion)
        throw ETableOpenError(FileName(),
                              "table version " + std::to_string(version) +
                                  ", but this program reads version " +
                                  std::to_string(StoreSchemaVersion),
                              TOpenFailure::OtherLayout);

    auto storedSql = [&](const char *type, const std::string &name) {
        TStatement query =
            db.Prepare("SELECT sql FROM sqlite_schema WHERE type = ?1 AND name = ?2");
        const TFieldValue typeValue = std::string(type), nameValue = name;
        query.Bind(1, typeValue);
        query.Bind(2, nameValue);
        if (!query.Step())
            return std::string();
        const auto *text = sqlite3_column_text(query.Get(), 0);
        return text ? std::string(reinterpret_cast<const char *>(text)) : std::string();
    };
    const std::string tableSql = storedSql("table", schema.Kind);
    if (tableSql.empty()) {
        const std::string held = [&] {
            TStatement query =
                db.Prepare("SELECT name FROM sqlite_schema WHERE type = 'table' LIMIT 1");
            if (!query.Step())
                return std::string("none");
            return std::string(reinterpret_cast<const char *>(sqlite3_column_text(query.Get(), 0)));
        }();
        throw ETableOpenError(FileName(), "holds the table " + held + ", not a table " + schema.Kind,
                              TOpenFailure::Foreign);
    }
    if (tableSql != sqlite::CreateTableSql(schema))
        throw ETableOpenError(FileName(),
                              "the layout of table " + schema.Kind + " differs from this program's",
                              TOpenFailure::OtherLayout);
    std::vector<std::string> indexNames{""};
    for (const TIndexDef &index : schema.Indexes)
        indexNames.push_back(index.Name);
    const std::vector<std::string> indexSql = sqlite::CreateIndexSql(schema);
    for (std::size_t i = 0; i < indexNames.size(); ++i)
        if (storedSql("index", sqlite::IndexObjectName(schema, indexNames[i])) != indexSql[i])
            throw ETableOpenError(FileName(),
                                  "the index \"" + indexNames[i] + "\" of table " + schema.Kind +
                                      " is missing or differs from this program's",
                                  TOpenFailure::OtherLayout);
}

void TKyrTable::TImpl::OpenFile() {
    const TTableSchema &schema = RequireSchema();
    int current = 0;
    if (!IndexName.empty()) {
        const auto found = std::ranges::find(schema.Indexes, IndexName, &TIndexDef::Name);
        if (found == schema.Indexes.end())
            Fail("the table has no index \"" + IndexName + "\"");
        current = static_cast<int>(found - schema.Indexes.begin()) + 1;
    }

    // Schema is set only while the table is open; closed, the name decides the layout.
    Schema = &schema;
    try {
        std::error_code missing;
        if (!std::filesystem::exists(FileName(), missing))
            throw ETableOpenError(FileName(), "the table file is missing", TOpenFailure::Missing);
        std::unique_ptr<sqlite::TDatabase> db;
        try {
            db = std::make_unique<sqlite::TDatabase>(FileName(), false);
        } catch (const EStoreError &error) {
            throw ETableOpenError(FileName(), BareReason(error), TOpenFailure::Missing);
        }
        Validate(*db);
        db->Execute("PRAGMA synchronous=FULL");
        // Room for a whole atlas table, so that random look-ups stay in memory; taken only as
        // pages are read.
        db->Execute("PRAGMA cache_size=-16384");
        Db = std::move(db);
        PrepareCursors();
        std::error_code error;
        LockPath = std::filesystem::weakly_canonical(FileName(), error).string();
        if (error)
            LockPath = FileName();
        OpenTables().emplace(LockPath, this);
        Current = current;
        State = TTableState::Browse;
        MoveFirst();
    } catch (const ETableOpenError &) {
        CloseFile();
        throw;
    } catch (const EStoreError &error) {
        CloseFile();
        // The header was sound, so a file that fails to read further on is damaged inside.
        throw ETableOpenError(FileName(), "the table file is damaged (" + BareReason(error) + ")",
                              TOpenFailure::Damaged);
    } catch (...) {
        CloseFile();
        throw;
    }
}

std::multimap<std::string, TKyrTable::TImpl *> &TKyrTable::TImpl::OpenTables() {
    static std::multimap<std::string, TImpl *> tables;
    return tables;
}

void TKyrTable::TImpl::PrepareWrite() {
    EndRead();
    const auto [begin, end] = OpenTables().equal_range(LockPath);
    for (auto other = begin; other != end; ++other)
        if (other->second != this)
            other->second->EndRead();
}

void TKyrTable::TImpl::PrepareCursors() {
    const TTableSchema &schema = *Schema;
    const int fieldCount = static_cast<int>(schema.Fields.size());
    const std::string table = Quote(schema.Kind);
    const std::string recNo = Quote(sqlite::RecNoColumn);

    ResultColumn.assign(fieldCount, -1);
    ResultField.clear();
    std::vector<std::string> columns{recNo};
    for (int field : sqlite::PhysicalFieldOrder(schema)) {
        if (IsBlob(schema.Fields[field].Type))
            continue;
        ResultColumn[field] = static_cast<int>(columns.size());
        ResultField.push_back(field);
        columns.push_back(Quote(schema.Fields[field].Name));
    }
    SelectList = ColumnList(columns);
    const std::string select = "SELECT " + SelectList + " FROM " + table;

    Indexes.clear();
    auto addIndex = [&](const std::string &name, const std::vector<std::string> &fields,
                        bool tieBreak) {
        TIndexCursor cursor;
        cursor.Name = name;
        cursor.TieBreak = tieBreak;
        std::vector<std::string> order;
        for (const std::string &field : fields) {
            cursor.Fields.push_back(FieldNumber(field));
            order.push_back(Quote(field));
        }
        if (tieBreak)
            order.push_back(recNo);
        const std::string tuple = "(" + ColumnList(order) + ")";
        const std::string ascending = " ORDER BY " + ColumnList(order);
        const std::string descending = " ORDER BY " + ColumnList(order, " DESC");
        cursor.First = Db->Prepare(select + ascending + " LIMIT 1");
        cursor.Last = Db->Prepare(select + descending + " LIMIT 1");
        cursor.Next = Db->Prepare(select + " WHERE " + tuple + " > (" + Placeholders(order.size()) +
                                  ")" + ascending);
        cursor.Prior = Db->Prepare(select + " WHERE " + tuple + " < (" +
                                   Placeholders(order.size()) + ")" + descending);
        cursor.FindKey.resize(fields.size());
        cursor.FindNearest.resize(fields.size());
        Indexes.push_back(std::move(cursor));
    };
    addIndex("", schema.PrimaryKey, false);
    for (const TIndexDef &index : schema.Indexes)
        addIndex(index.Name, index.Fields, true);

    BeginStatement = Db->Prepare("BEGIN");
    CommitStatement = Db->Prepare("COMMIT");
    ByRecNo = Db->Prepare(select + " WHERE rowid = ?");
    DeleteStatement = Db->Prepare("DELETE FROM " + table + " WHERE rowid = ?");
    CountStatement = Db->Prepare("SELECT count(*) FROM " + table);
    AnyStatement = Db->Prepare("SELECT 1 FROM " + table + " LIMIT 1");
    // rowid and RecNo get the same new number in one statement, so the insert is one write.
    std::vector<std::string> insertColumns;
    for (const TFieldDef &field : schema.Fields)
        insertColumns.push_back(Quote(field.Name));
    InsertStatement = Db->Prepare(
        "INSERT INTO " + table + " (rowid, " + recNo + ", " + ColumnList(insertColumns) +
        ") SELECT n, n, " + Placeholders(insertColumns.size()) +
        " FROM (SELECT IFNULL(MAX(rowid), 0) + 1 AS n FROM " + table + ")");
    BlobReads.clear();
    BlobReads.resize(fieldCount);
    Updates.clear();

    KeyField.assign(fieldCount, 0);
    for (const TIndexCursor &index : Indexes)
        for (int field : index.Fields)
            KeyField[field] = 1;
    Row.assign(fieldCount, TFieldValue());
    Scratch.assign(fieldCount, TFieldValue());
    BlobLoaded.assign(fieldCount, 0);
    Buffer.assign(fieldCount, TFieldValue());
    Changed.assign(fieldCount, 0);
}

void TKyrTable::TImpl::CloseFile() noexcept {
    const auto [begin, end] = OpenTables().equal_range(LockPath);
    for (auto entry = begin; entry != end; ++entry)
        if (entry->second == this) {
            OpenTables().erase(entry);
            break;
        }
    LockPath.clear();
    // Closing ends any transaction; a read transaction has nothing to lose.
    Walking = nullptr;
    ReadTransaction = false;
    BeginStatement = {};
    CommitStatement = {};
    Indexes.clear();
    ByRecNo = {};
    InsertStatement = {};
    DeleteStatement = {};
    CountStatement = {};
    AnyStatement = {};
    BlobReads.clear();
    Updates.clear();
    Db.reset();
    Schema = nullptr;
    State = TTableState::Inactive;
    Transaction = false;
    Modified = false;
    HasRecord = false;
    BofFlag = EofFlag = true;
}

// ---- TImpl: moving ----

void TKyrTable::TImpl::BeginRead() {
    if (Transaction || ReadTransaction)
        return;
    TResetGuard reset(BeginStatement);
    BeginStatement.Step();
    ReadTransaction = true;
}

void TKyrTable::TImpl::EndRead() {
    StopWalk();
    if (!ReadTransaction)
        return;
    ReadTransaction = false;
    TResetGuard reset(CommitStatement);
    CommitStatement.Step();
}

void TKyrTable::TImpl::StopWalk() {
    if (Walking)
        Walking->Reset();
    Walking = nullptr;
}

bool TKyrTable::TImpl::Load(TStatement &statement, bool keepRunning) {
    BeginRead();
    if (Walking != &statement)
        StopWalk();
    Walking = nullptr;
    // Step resets the statement itself when it fails.
    if (!statement.Step()) {
        statement.Reset();
        return false;
    }
    TResetGuard reset(statement);
    sqlite3_stmt *stmt = statement.Get();
    const TTableSchema &schema = *Schema;
    for (std::size_t column = 1; column <= ResultField.size(); ++column) {
        const int field = ResultField[column - 1];
        TFieldValue &value = Scratch[field];
        switch (sqlite3_column_type(stmt, static_cast<int>(column))) {
        case SQLITE_NULL:
            value = std::monostate();
            break;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            if (schema.Fields[field].Type == TFieldType::Boolean)
                value = sqlite3_column_int64(stmt, static_cast<int>(column)) != 0;
            else if (schema.Fields[field].Type == TFieldType::Integer)
                value =
                    static_cast<long long>(sqlite3_column_int64(stmt, static_cast<int>(column)));
            else
                value = std::string(reinterpret_cast<const char *>(
                    sqlite3_column_text(stmt, static_cast<int>(column))));
            break;
        default: {
            const auto *text = sqlite3_column_text(stmt, static_cast<int>(column));
            value = std::string(reinterpret_cast<const char *>(text),
                                sqlite3_column_bytes(stmt, static_cast<int>(column)));
        }
        }
    }
    RecNo = sqlite3_column_int64(stmt, 0);
    Row.swap(Scratch);
    if (keepRunning) {
        reset.Release();
        Walking = &statement;
    }
    std::ranges::fill(BlobLoaded, 0);
    HasRecord = true;
    return true;
}

void TKyrTable::TImpl::SetEmpty() {
    StopWalk();
    HasRecord = false;
    BofFlag = EofFlag = true;
    std::ranges::fill(Row, TFieldValue());
}

void TKyrTable::TImpl::BindCurrentKey(TStatement &statement) {
    // Copied: a walk keeps comparing with them while Row changes under it.
    const TIndexCursor &index = Indexes[Current];
    int parameter = 1;
    for (int field : index.Fields)
        statement.Bind(parameter++, Row[field], false, true);
    if (index.TieBreak)
        statement.BindInteger(parameter, RecNo);
}

TStatement &TKyrTable::TImpl::FindStatement(bool exact, std::size_t count) {
    TIndexCursor &index = Indexes[Current];
    if (count == 0 || count > index.Fields.size())
        Fail("a key of " + std::to_string(count) + " values does not fit the index \"" +
             index.Name + "\" of " + std::to_string(index.Fields.size()) + " fields");
    TStatement &statement = (exact ? index.FindKey : index.FindNearest)[count - 1];
    if (!statement) {
        const TTableSchema &schema = *Schema;
        std::vector<std::string> order;
        for (int field : index.Fields)
            order.push_back(Quote(schema.Fields[field].Name));
        if (index.TieBreak)
            order.push_back(Quote(sqlite::RecNoColumn));
        std::string where;
        if (exact) {
            for (std::size_t i = 0; i < count; ++i)
                where += (i ? " AND " : "") + order[i] + " = ?";
        } else {
            const std::vector<std::string> leading(order.begin(), order.begin() + count);
            where = "(" + ColumnList(leading) + ") >= (" + Placeholders(count) + ")";
        }
        statement = Db->Prepare("SELECT " + SelectList + " FROM " + Quote(schema.Kind) + " WHERE " +
                                where + " ORDER BY " + ColumnList(order) + " LIMIT 1");
    }
    return statement;
}

void TKyrTable::TImpl::BindValues(TStatement &statement, const std::vector<TFieldValue> &values) {
    // The converted values stay alive in KeyValues while the statement runs.
    const TIndexCursor &index = Indexes[Current];
    KeyValues.resize(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        KeyValues[i] = KeyValue(index.Fields[i], values[i]);
        statement.Bind(static_cast<int>(i) + 1, KeyValues[i]);
    }
}

void TKyrTable::TImpl::MoveFirst() {
    if (Load(Indexes[Current].First)) {
        BofFlag = true;
        EofFlag = false;
    } else {
        SetEmpty();
    }
}

void TKyrTable::TImpl::MoveLast() {
    if (Load(Indexes[Current].Last)) {
        BofFlag = false;
        EofFlag = true;
    } else {
        SetEmpty();
    }
}

bool TKyrTable::TImpl::MoveByRecNo(long long recNo) {
    ByRecNo.BindInteger(1, recNo);
    if (!Load(ByRecNo))
        return false;
    BofFlag = EofFlag = false;
    return true;
}

void TKyrTable::TImpl::RepositionAfterRemoval() {
    TStatement &next = Indexes[Current].Next;
    BindCurrentKey(next);
    if (Load(next)) {
        BofFlag = EofFlag = false;
    } else if (Load(Indexes[Current].Last)) {
        BofFlag = false;
        EofFlag = true;
    } else {
        SetEmpty();
    }
}

// ---- TImpl: editing ----

void TKyrTable::TImpl::CompleteEdit() {
    if (State != TTableState::Edit && State != TTableState::Insert)
        return;
    if (Modified)
        PostEdit();
    else
        DropEdit();
}

void TKyrTable::TImpl::PostEdit() {
    const TTableSchema &schema = *Schema;
    const int fieldCount = static_cast<int>(schema.Fields.size());
    long long written = RecNo;
    PrepareWrite();
    if (State == TTableState::Insert) {
        TStatement &insert = InsertStatement;
        for (int field = 0; field < fieldCount; ++field) {
            if (!Changed[field])
                Buffer[field] = KeyField[field] ? KeyValue(field, TFieldValue()) : TFieldValue();
            insert.Bind(field + 1, Buffer[field], IsBlob(schema.Fields[field].Type));
        }
        TResetGuard reset(insert);
        insert.Step();
        written = sqlite3_last_insert_rowid(Db->Get());
    } else if (State == TTableState::Edit && Modified) {
        std::string mask(fieldCount, '0');
        for (int field = 0; field < fieldCount; ++field)
            if (Changed[field])
                mask[field] = '1';
        TStatement &update = Updates[mask];
        if (!update) {
            std::vector<std::string> assignments;
            for (int field = 0; field < fieldCount; ++field)
                if (Changed[field])
                    assignments.push_back(Quote(schema.Fields[field].Name) + " = ?");
            update = Db->Prepare("UPDATE " + Quote(schema.Kind) + " SET " +
                                 ColumnList(assignments) + " WHERE rowid = ?");
        }
        int parameter = 1;
        for (int field = 0; field < fieldCount; ++field)
            if (Changed[field])
                update.Bind(parameter++, Buffer[field], IsBlob(schema.Fields[field].Type));
        update.BindInteger(parameter, RecNo);
        TResetGuard reset(update);
        update.Step();
    }
    State = TTableState::Browse;
    Modified = false;
    if (!MoveByRecNo(written))
        MoveFirst();
}

void TKyrTable::TImpl::DropEdit() {
    const bool wasInsert = State == TTableState::Insert;
    State = TTableState::Browse;
    Modified = false;
    if (!wasInsert)
        return;
    if (!(SavedHasRecord && MoveByRecNo(SavedRecNo)))
        MoveFirst();
}

const TFieldValue &TKyrTable::TImpl::CurrentValue(int field) {
    RequireOpen();
    if (State == TTableState::Edit || State == TTableState::Insert) {
        if (Changed[field])
            return Buffer[field];
        if (State == TTableState::Insert)
            return EmptyValue;
    }
    if (!HasRecord)
        return EmptyValue;
    if (ResultColumn[field] < 0 && !BlobLoaded[field]) {
        TStatement &read = BlobReads[field];
        if (!read)
            read = Db->Prepare("SELECT " + Quote(Schema->Fields[field].Name) + " FROM " +
                               Quote(Schema->Kind) + " WHERE rowid = ?");
        BeginRead();
        read.BindInteger(1, RecNo);
        TResetGuard reset(read);
        TFieldValue value;
        if (read.Step() && sqlite3_column_type(read.Get(), 0) != SQLITE_NULL) {
            // An empty blob comes as a null pointer.
            const auto *data = static_cast<const char *>(sqlite3_column_blob(read.Get(), 0));
            value = data ? std::string(data, sqlite3_column_bytes(read.Get(), 0)) : std::string();
        }
        Row[field] = std::move(value);
        BlobLoaded[field] = 1;
    }
    return Row[field];
}

void TKyrTable::TImpl::Assign(int field, const TFieldValue &value) {
    RequireOpen();
    if (State != TTableState::Edit && State != TTableState::Insert)
        Fail("the table is not in edit or insert mode (field \"" + Schema->Fields[field].Name +
             "\")");
    Buffer[field] = KeyField[field] ? KeyValue(field, value) : Normalize(field, value);
    Changed[field] = 1;
    Modified = true;
}

TFieldValue TKyrTable::TImpl::Normalize(int field, const TFieldValue &value) const {
    const TFieldDef &def = RequireSchema().Fields[field];
    if (std::holds_alternative<std::monostate>(value))
        return value;
    switch (def.Type) {
    case TFieldType::Text:
        return CutToCharacters(ValueAsString(value), def.Size);
    case TFieldType::Integer:
        if (const auto *text = std::get_if<std::string>(&value);
            text && text->find_first_not_of(' ') == std::string::npos)
            return std::monostate();
        return ValueAsInteger(value, FileName(), def.Name);
    case TFieldType::Boolean:
        if (const auto *text = std::get_if<std::string>(&value); text && text->empty())
            return std::monostate();
        return ValueAsBoolean(value, FileName(), def.Name);
    case TFieldType::Memo:
    case TFieldType::Graphic:
        return ValueAsString(value);
    }
    return value;
}

TFieldValue TKyrTable::TImpl::KeyValue(int field, const TFieldValue &value) const {
    TFieldValue normal = Normalize(field, value);
    if (std::holds_alternative<std::monostate>(normal)) {
        const TFieldDef &def = Schema->Fields[field];
        if (def.Type == TFieldType::Text)
            return std::string();
        if (def.Type == TFieldType::Integer)
            return 0LL;
        if (def.Type == TFieldType::Boolean)
            return false;
    }
    return normal;
}

} // namespace kyr
