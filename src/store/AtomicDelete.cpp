#include "AtomicDelete.h"

#include "KyrTableImpl.h"

#include <algorithm>
#include <map>

namespace kyr {

using sqlite::Quote;
using sqlite::TResetGuard;
using sqlite::TStatement;

std::vector<long long> DeleteAtomically(const std::vector<TKeyDeletion> &deletions) {
    using TImpl = TKyrTable::TImpl;
    if (deletions.empty())
        return {};

    // Each file once, by the path the open tables are registered under; the first file is the
    // connection's main database, so that the commit goes through a super-journal beside it.
    std::vector<std::string> paths;
    std::vector<std::string> schemaOf;
    std::map<std::string, std::string> schemaByPath;
    for (const TKeyDeletion &deletion : deletions) {
        TImpl &table = *deletion.Table->Impl;
        table.RequireOpen();
        const std::string schema =
            schemaByPath.empty() ? "main" : "f" + std::to_string(schemaByPath.size());
        auto [entry, added] = schemaByPath.emplace(table.LockPath, schema);
        if (added)
            paths.push_back(table.LockPath);
        schemaOf.push_back(entry->second);
    }
    auto tablesOf = [](const std::string &path) {
        std::vector<TImpl *> tables;
        const auto [begin, end] = TImpl::OpenTables().equal_range(path);
        for (auto entry = begin; entry != end; ++entry)
            tables.push_back(entry->second);
        return tables;
    };
    for (const std::string &path : paths)
        for (TImpl *table : tablesOf(path))
            if (table->Transaction)
                table->Fail("cannot delete together with other tables while a transaction runs "
                            "on the table");

    for (const TKeyDeletion &deletion : deletions)
        deletion.Table->Impl->CompleteEdit();
    // The read locks of this process's own connections would hold the commit off.
    for (const std::string &path : paths)
        for (TImpl *table : tablesOf(path))
            table->EndRead();

    TImpl &first = *deletions.front().Table->Impl;
    sqlite::TDatabase db(first.FileName(), false);
    for (std::size_t i = 1; i < paths.size(); ++i) {
        const TImpl &table = *tablesOf(paths[i]).front();
        TStatement attach = db.Prepare("ATTACH DATABASE ?1 AS " + schemaByPath[paths[i]]);
        const TFieldValue fileName = table.FileName();
        attach.Bind(1, fileName);
        attach.Step();
    }
    for (const std::string &path : paths)
        db.Execute("PRAGMA " + schemaByPath[path] + ".synchronous=FULL");

    std::vector<long long> removed;
    db.Execute("BEGIN IMMEDIATE");
    try {
        for (std::size_t d = 0; d < deletions.size(); ++d) {
            const TKeyDeletion &deletion = deletions[d];
            TImpl &table = *deletion.Table->Impl;
            const auto index =
                std::ranges::find(table.Indexes, deletion.Index, &TIndexCursor::Name);
            if (index == table.Indexes.end())
                table.Fail("the table has no index \"" + deletion.Index + "\"");
            if (deletion.Key.empty() || deletion.Key.size() > index->Fields.size())
                table.Fail("a key of " + std::to_string(deletion.Key.size()) +
                           " values does not fit the index \"" + deletion.Index + "\"");
            std::string where;
            std::vector<TFieldValue> values;
            for (std::size_t i = 0; i < deletion.Key.size(); ++i) {
                const int field = index->Fields[i];
                where += (i ? " AND " : "") + Quote(table.Schema->Fields[field].Name) + " = ?";
                values.push_back(table.KeyValue(field, deletion.Key[i]));
            }
            TStatement remove = db.Prepare("DELETE FROM " + schemaOf[d] + "." +
                                           Quote(table.Schema->Kind) + " WHERE " + where);
            for (std::size_t i = 0; i < values.size(); ++i)
                remove.Bind(static_cast<int>(i) + 1, values[i]);
            remove.Step();
            removed.push_back(sqlite3_changes64(db.Get()));
        }
        db.Execute("COMMIT");
    } catch (...) {
        try {
            db.Execute("ROLLBACK");
        } catch (const EStoreError &) {
            // A failed COMMIT may have rolled back already.
        }
        throw;
    }

    for (const std::string &path : paths)
        for (TImpl *table : tablesOf(path)) {
            if (table->State != TTableState::Browse || !table->HasRecord)
                continue;
            const bool bof = table->BofFlag, eof = table->EofFlag;
            if (table->MoveByRecNo(table->RecNo)) {
                table->BofFlag = bof;
                table->EofFlag = eof;
            } else {
                table->RepositionAfterRemoval();
            }
        }
    return removed;
}

} // namespace kyr
