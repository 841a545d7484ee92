#include "KyrTable.h"

#include "KyrTableImpl.h"
#include "ProgramDirectory.h"

#include <algorithm>

namespace kyr {

using sqlite::TResetGuard;
using sqlite::TStatement;

namespace {

std::string WithSlash(std::string directory) {
    if (!directory.empty() && directory.back() != '/')
        directory += '/';
    return directory;
}

} // namespace

TKyrTable::TKyrTable(std::string tableName, std::string directory)
    : Impl(std::make_unique<TImpl>()) {
    Impl->TableName = std::move(tableName);
    Impl->DirectoryOverride = WithSlash(std::move(directory));
}

TKyrTable::~TKyrTable() {
    try {
        Close();
    } catch (...) {
        // A pending edit that cannot be written is lost with the table object.
    }
    Impl->CloseFile();
}

const std::string &TKyrTable::TableName() const {
    return Impl->TableName;
}

void TKyrTable::SetTableName(const std::string &tableName) {
    if (Active())
        Impl->Fail("cannot rename an open table to \"" + tableName + "\"");
    Impl->TableName = tableName;
}

std::string TKyrTable::Directory() const {
    return Impl->DirectoryOverride.empty() ? ProgramDirectory() + "Data/" : Impl->DirectoryOverride;
}

void TKyrTable::SetDirectory(const std::string &directory) {
    if (Active())
        Impl->Fail("cannot move an open table to \"" + directory + "\"");
    Impl->DirectoryOverride = WithSlash(directory);
}

std::string TKyrTable::FileName() const {
    return Impl->FileName();
}

void TKyrTable::Open() {
    if (!Active())
        Impl->OpenFile();
}

void TKyrTable::Close() {
    if (!Active())
        return;
    Impl->CompleteEdit();
    if (Impl->Transaction)
        Impl->Db->Execute("ROLLBACK");
    Impl->EndRead();
    Impl->CloseFile();
}

bool TKyrTable::Active() const {
    return Impl->State != TTableState::Inactive;
}

void TKyrTable::SetActive(bool value) {
    if (value)
        Open();
    else
        Close();
}

TTableState TKyrTable::State() const {
    return Impl->State;
}

const std::string &TKyrTable::IndexName() const {
    return Impl->IndexName;
}

void TKyrTable::SetIndexName(const std::string &indexName) {
    if (!Active()) {
        const TTableSchema &schema = Impl->RequireSchema();
        if (!indexName.empty() &&
            std::ranges::find(schema.Indexes, indexName, &TIndexDef::Name) == schema.Indexes.end())
            Impl->Fail("the table has no index \"" + indexName + "\"");
        Impl->IndexName = indexName;
        return;
    }
    Impl->CompleteEdit();
    if (indexName == Impl->IndexName)
        return;
    const auto found = std::ranges::find(Impl->Indexes, indexName, &TIndexCursor::Name);
    if (found == Impl->Indexes.end())
        Impl->Fail("the table has no index \"" + indexName + "\"");
    Impl->StopWalk();
    Impl->Current = static_cast<int>(found - Impl->Indexes.begin());
    Impl->IndexName = indexName;
    if (Impl->HasRecord)
        Impl->BofFlag = Impl->EofFlag = false;
}

std::vector<std::string> TKyrTable::IndexFields() const {
    const TTableSchema &schema = Impl->RequireSchema();
    if (Impl->IndexName.empty())
        return schema.PrimaryKey;
    return std::ranges::find(schema.Indexes, Impl->IndexName, &TIndexDef::Name)->Fields;
}

bool TKyrTable::FindKey(const std::vector<TFieldValue> &values) {
    Impl->RequireOpen();
    Impl->CompleteEdit();
    TStatement &find = Impl->FindStatement(true, values.size());
    Impl->BindValues(find, values);
    if (!Impl->Load(find))
        return false;
    Impl->BofFlag = Impl->EofFlag = false;
    return true;
}

void TKyrTable::FindNearest(const std::vector<TFieldValue> &values) {
    Impl->RequireOpen();
    Impl->CompleteEdit();
    TStatement &find = Impl->FindStatement(false, values.size());
    Impl->BindValues(find, values);
    if (Impl->Load(find) || Impl->Load(Impl->Indexes[Impl->Current].Last))
        Impl->BofFlag = Impl->EofFlag = false;
    else
        Impl->SetEmpty();
}

void TKyrTable::First() {
    Impl->RequireOpen();
    Impl->CompleteEdit();
    Impl->MoveFirst();
}

void TKyrTable::Last() {
    Impl->RequireOpen();
    Impl->CompleteEdit();
    Impl->MoveLast();
}

void TKyrTable::Next() {
    Impl->RequireOpen();
    Impl->CompleteEdit();
    if (!Impl->HasRecord)
        return Impl->SetEmpty();
    TStatement &next = Impl->Indexes[Impl->Current].Next;
    if (Impl->Walking != &next)
        Impl->BindCurrentKey(next);
    if (Impl->Load(next, true)) {
        Impl->BofFlag = Impl->EofFlag = false;
    } else {
        Impl->BofFlag = false;
        Impl->EofFlag = true;
    }
}

void TKyrTable::Prior() {
    Impl->RequireOpen();
    Impl->CompleteEdit();
    if (!Impl->HasRecord)
        return Impl->SetEmpty();
    TStatement &prior = Impl->Indexes[Impl->Current].Prior;
    if (Impl->Walking != &prior)
        Impl->BindCurrentKey(prior);
    if (Impl->Load(prior, true)) {
        Impl->BofFlag = Impl->EofFlag = false;
    } else {
        Impl->BofFlag = true;
        Impl->EofFlag = false;
    }
}

bool TKyrTable::Bof() const {
    return Impl->BofFlag;
}
bool TKyrTable::Eof() const {
    return Impl->EofFlag;
}

bool TKyrTable::IsEmpty() const {
    Impl->RequireOpen();
    Impl->BeginRead();
    TResetGuard reset(Impl->AnyStatement);
    return !Impl->AnyStatement.Step();
}

long long TKyrTable::RecordCount() const {
    Impl->RequireOpen();
    Impl->BeginRead();
    TResetGuard reset(Impl->CountStatement);
    Impl->CountStatement.Step();
    return sqlite3_column_int64(Impl->CountStatement.Get(), 0);
}

void TKyrTable::Append() {
    Insert();
}

void TKyrTable::Insert() {
    Impl->RequireOpen();
    Impl->CompleteEdit();
    Impl->SavedHasRecord = Impl->HasRecord;
    Impl->SavedRecNo = Impl->RecNo;
    std::ranges::fill(Impl->Buffer, TFieldValue());
    std::ranges::fill(Impl->Changed, 0);
    Impl->Modified = false;
    Impl->State = TTableState::Insert;
}

void TKyrTable::Edit() {
    Impl->RequireOpen();
    if (Impl->State == TTableState::Edit || Impl->State == TTableState::Insert)
        return;
    if (!Impl->HasRecord)
        return Insert();
    std::ranges::fill(Impl->Changed, 0);
    Impl->Modified = false;
    Impl->State = TTableState::Edit;
}

void TKyrTable::Post() {
    Impl->RequireOpen();
    if (Impl->State == TTableState::Insert)
        Impl->PostEdit();
    else if (Impl->State == TTableState::Edit)
        Impl->CompleteEdit();
}

void TKyrTable::Cancel() {
    Impl->RequireOpen();
    if (Impl->State == TTableState::Edit || Impl->State == TTableState::Insert)
        Impl->DropEdit();
}

void TKyrTable::Delete() {
    Impl->RequireOpen();
    if (Impl->State == TTableState::Insert)
        return Impl->DropEdit();
    Impl->State = TTableState::Browse;
    Impl->Modified = false;
    if (!Impl->HasRecord)
        Impl->Fail("cannot delete from an empty table");
    Impl->PrepareWrite();
    TStatement &remove = Impl->DeleteStatement;
    remove.BindInteger(1, Impl->RecNo);
    {
        TResetGuard reset(remove);
        remove.Step();
    }
    Impl->RepositionAfterRemoval();
}

void TKyrTable::InsertRecord(const std::vector<TFieldValue> &values) {
    Insert();
    try {
        SetFields(values);
        Impl->PostEdit();
    } catch (...) {
        Impl->DropEdit();
        throw;
    }
}

void TKyrTable::AppendRecord(const std::vector<TFieldValue> &values) {
    InsertRecord(values);
}

void TKyrTable::SetFields(const std::vector<TFieldValue> &values) {
    Impl->RequireOpen();
    if (values.size() > Impl->Schema->Fields.size())
        Impl->Fail(std::to_string(values.size()) + " values for a table of " +
                   std::to_string(Impl->Schema->Fields.size()) + " fields");
    for (std::size_t i = 0; i < values.size(); ++i)
        Impl->Assign(static_cast<int>(i), values[i]);
}

int TKyrTable::FieldCount() const {
    return static_cast<int>(Impl->RequireSchema().Fields.size());
}

TKyrField TKyrTable::Fields(int index) {
    if (index < 0 || index >= FieldCount())
        Impl->Fail("the table has no field number " + std::to_string(index));
    return TKyrField(this, index);
}

TKyrField TKyrTable::FieldByName(const std::string &fieldName) {
    return TKyrField(this, Impl->FieldNumber(fieldName));
}

const TTableSchema *TKyrTable::Schema() const {
    return Impl->Schema ? Impl->Schema : FindSchema(Impl->TableName);
}

void TKyrTable::StartTransaction() {
    Impl->RequireOpen();
    if (Impl->Transaction)
        Impl->Fail("a transaction is running already");
    Impl->CompleteEdit();
    Impl->PrepareWrite();
    Impl->Db->Execute("BEGIN IMMEDIATE");
    Impl->Transaction = true;
}

void TKyrTable::Commit() {
    Impl->RequireOpen();
    if (!Impl->Transaction)
        Impl->Fail("no transaction is running");
    Impl->CompleteEdit();
    Impl->PrepareWrite();
    Impl->Db->Execute("COMMIT");
    Impl->Transaction = false;
}

void TKyrTable::Rollback() {
    Impl->RequireOpen();
    if (!Impl->Transaction)
        Impl->Fail("no transaction is running");
    Impl->State = TTableState::Browse;
    Impl->Modified = false;
    Impl->StopWalk();
    Impl->Db->Execute("ROLLBACK");
    Impl->Transaction = false;
    if (!(Impl->HasRecord && Impl->MoveByRecNo(Impl->RecNo)))
        Impl->MoveFirst();
}

bool TKyrTable::InTransaction() const {
    return Impl->Transaction;
}

void TKyrTable::EndReads() {
    for (const auto &[path, table] : TImpl::OpenTables())
        table->EndRead();
}

} // namespace kyr
