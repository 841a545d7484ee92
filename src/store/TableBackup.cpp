#include "TableBackup.h"

#include "SqliteHandles.h"
#include "StoreError.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include <unistd.h>

namespace kyr {

namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string directory) {
    if (!directory.empty() && directory.back() != '/')
        directory += '/';
    return directory;
}

std::string TableFileName(const std::string &dataDirectory, const std::string &tableName) {
    return WithSlash(dataDirectory) + tableName + ".DAT";
}

/// A connection that closes itself; null when the file cannot be opened.
struct TConnection {
    explicit TConnection(const std::string &fileName, bool create = false) {
        const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
        if (sqlite3_open_v2(fileName.c_str(), &Db, flags, nullptr) != SQLITE_OK) {
            sqlite3_close(Db);
            Db = nullptr;
        }
    }
    ~TConnection() { sqlite3_close(Db); }
    TConnection(const TConnection &) = delete;
    TConnection &operator=(const TConnection &) = delete;

    /// The first column of the first row as text; empty when the query fails.
    std::string Query(const char *sql) const {
        std::string result;
        sqlite3_stmt *statement = nullptr;
        if (Db && sqlite3_prepare_v2(Db, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
            result = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
        return result;
    }

    sqlite3 *Db = nullptr;
};

// Opening for writing lets SQLite undo an interrupted write first, as opening the table would.
bool PassesQuickCheck(const std::string &fileName) {
    std::error_code error;
    if (!fs::is_regular_file(fileName, error))
        return false;
    const TConnection db(fileName);
    return db.Db && db.Query("PRAGMA quick_check") == "ok";
}

bool IsTableOfThisProgram(const std::string &fileName) {
    const TConnection db(fileName);
    return db.Query("PRAGMA application_id") == std::to_string(sqlite::ApplicationId);
}

bool CopyWithBackupApi(const std::string &from, const std::string &to) {
    const TConnection source(from);
    const TConnection target(to, /*create=*/true);
    if (!source.Db || !target.Db)
        return false;
    sqlite3_backup *backup = sqlite3_backup_init(target.Db, "main", source.Db, "main");
    if (!backup)
        return false;
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    return stepped == SQLITE_DONE && finished == SQLITE_OK;
}

std::string TimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

} // namespace

const std::vector<std::string> &UserTableNames() {
    static const std::vector<std::string> names = {
        "NAME",   "GROUPS", "NAMEGRPS", "STATES", "PLACES",  "ZONEID",
        "ZONE",   "SUMMERID", "SUMMER", "ORBIS",  "ORBISDEF"};
    return names;
}

bool IsUserTable(const std::string &tableName) {
    return std::ranges::find(UserTableNames(), tableName) != UserTableNames().end();
}

std::string BackupFileName(const std::string &dataDirectory, const std::string &tableName,
                           int generation) {
    return WithSlash(dataDirectory) + "Backup/" + tableName + "." + std::to_string(generation) +
           ".DAT";
}

TBackupOutcome BackupTable(const std::string &dataDirectory, const std::string &tableName) {
    const std::string source = TableFileName(dataDirectory, tableName);
    const std::string newest = BackupFileName(dataDirectory, tableName, 1);
    std::error_code error;
    if (!fs::is_regular_file(source, error))
        return TBackupOutcome::Skipped;
    if (fs::exists(newest, error) &&
        fs::last_write_time(newest, error) == fs::last_write_time(source, error) && !error)
        return TBackupOutcome::Unchanged;
    if (!PassesQuickCheck(source))
        return TBackupOutcome::Damaged;

    fs::create_directories(fs::path(newest).parent_path(), error);
    // Named for this process, so that two programs starting at once never share the file.
    const std::string fresh = WithSlash(dataDirectory) + "Backup/" + tableName + ".new-" +
                              std::to_string(getpid()) + ".DAT";
    fs::remove(fresh, error);
    // Read after the check, which may have undone an interrupted write.
    const fs::file_time_type changed = fs::last_write_time(source, error);
    if (error || !CopyWithBackupApi(source, fresh)) {
        fs::remove(fresh, error);
        return TBackupOutcome::Skipped;
    }
    fs::last_write_time(fresh, changed, error);
    // Oldest first, so that a generation is never overwritten before it moved on.
    for (int generation = BackupGenerations - 1; generation >= 1; --generation) {
        const std::string older = BackupFileName(dataDirectory, tableName, generation);
        if (fs::exists(older, error))
            fs::rename(older, BackupFileName(dataDirectory, tableName, generation + 1), error);
    }
    fs::rename(fresh, newest, error);
    return error ? TBackupOutcome::Skipped : TBackupOutcome::Made;
}

std::vector<std::string> BackupUserTables(const std::string &dataDirectory) {
    std::vector<std::string> damaged;
    for (const std::string &table : UserTableNames())
        if (BackupTable(dataDirectory, table) == TBackupOutcome::Damaged)
            damaged.push_back(table);
    return damaged;
}

std::string NewestGoodBackup(const std::string &dataDirectory, const std::string &tableName) {
    for (int generation = 1; generation <= BackupGenerations; ++generation) {
        const std::string backup = BackupFileName(dataDirectory, tableName, generation);
        if (PassesQuickCheck(backup) && IsTableOfThisProgram(backup))
            return backup;
    }
    return {};
}

std::string RestoreTable(const std::string &dataDirectory, const std::string &tableName) {
    const std::string target = TableFileName(dataDirectory, tableName);
    const std::string backup = NewestGoodBackup(dataDirectory, tableName);
    if (backup.empty())
        throw EStoreError(target, "there is no good backup of the table");

    // The copy is made beside the table first, so that a failure leaves the table as it was.
    const std::string restoring = target + ".restoring";
    std::error_code error;
    fs::copy_file(backup, restoring, fs::copy_options::overwrite_existing, error);
    if (error) {
        fs::remove(restoring, error);
        throw EStoreError(target, "the backup cannot be copied (" + error.message() + ")");
    }
    // As the newest backup shows it, so that the next start finds the table unchanged.
    fs::last_write_time(restoring, fs::last_write_time(backup, error), error);

    std::string kept;
    if (fs::exists(target, error)) {
        kept = target + ".damaged-" + TimeStamp();
        for (int n = 2; fs::exists(kept, error); ++n)
            kept = target + ".damaged-" + TimeStamp() + "-" + std::to_string(n);
        fs::rename(target, kept, error);
        if (error) {
            fs::remove(restoring, error);
            throw EStoreError(target, "the table file cannot be moved aside (" + error.message() +
                                          ")");
        }
    }
    // A journal belongs to the file it was written for; beside the restored file SQLite would
    // play it back into the wrong table.
    if (fs::exists(target + "-journal", error)) {
        fs::rename(target + "-journal", (kept.empty() ? target + ".damaged-" + TimeStamp() : kept) +
                                            "-journal",
                   error);
        if (error) {
            const std::string reason = error.message();
            fs::remove(restoring, error);
            if (!kept.empty())
                fs::rename(kept, target, error);
            throw EStoreError(target, "the journal of the table cannot be moved aside (" + reason +
                                          ")");
        }
    }
    fs::rename(restoring, target, error);
    if (error) {
        const std::string reason = error.message();
        if (!kept.empty())
            fs::rename(kept, target, error);
        throw EStoreError(target, "the backup cannot be put in place (" + reason + ")");
    }
    return kept;
}

} // namespace kyr
