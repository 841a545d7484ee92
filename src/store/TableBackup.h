// Rolling backups of the tables that hold the user's own work, and putting one back in place of
// a table that cannot be opened. The backups lie in Backup/ under the data directory:
// NAME.1.DAT is the newest, NAME.3.DAT the oldest.
#pragma once

#include <string>
#include <vector>

namespace kyr {

constexpr int BackupGenerations = 3;

/// Persons, groups, memberships, the atlas (which the user edits) and the orb sets.
const std::vector<std::string> &UserTableNames();
bool IsUserTable(const std::string &tableName);

/// dataDirectory + "Backup/" + tableName + "." + generation + ".DAT".
std::string BackupFileName(const std::string &dataDirectory, const std::string &tableName,
                           int generation);

enum class TBackupOutcome {
    Made,      ///< a new newest backup; the older ones moved one generation on
    Unchanged, ///< the table has not changed since the newest backup
    Damaged,   ///< the table fails SQLite's quick check; the backups stay as they were
    Skipped    ///< no table file, or no backup can be written there
};

/// Backs the table up with SQLite's online backup API when it changed since the newest backup
/// (the newest backup carries the table file's modification time, so the check costs two file
/// looks). A table that fails the quick check never replaces a backup.
TBackupOutcome BackupTable(const std::string &dataDirectory, const std::string &tableName);

/// BackupTable for every user table; the names of those found damaged.
std::vector<std::string> BackupUserTables(const std::string &dataDirectory);

/// The newest backup that passes the quick check and is a table file of this program; empty
/// when there is none.
std::string NewestGoodBackup(const std::string &dataDirectory, const std::string &tableName);

/// Puts the newest good backup in place of the table file. The file that was there (and a
/// journal beside it) is kept under TABLE.DAT.damaged-YYYYMMDD-HHMMSS; that name is returned,
/// empty when there was no file. EStoreError when there is no good backup or a file cannot be
/// moved; the table file is then as it was.
std::string RestoreTable(const std::string &dataDirectory, const std::string &tableName);

} // namespace kyr
