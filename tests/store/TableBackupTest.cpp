// Rolling backups of the user's tables and putting one back: generations rotate newest first,
// an unchanged table makes no new one, a damaged table never replaces a good backup, and a
// restore keeps the damaged file beside the restored one.
#include "TableBackup.h"

#include "KyrTable.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

using namespace kyr;
using kyr::test::MakeTable;
using kyr::test::TTempDir;

namespace {

namespace fs = std::filesystem;

// The last names of a NAME file in key order, read with SQLite directly; the error otherwise.
std::string LastNames(const std::string &fileName) {
    sqlite3 *db = nullptr;
    std::string result;
    sqlite3_stmt *query = nullptr;
    if (sqlite3_open_v2(fileName.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, "SELECT group_concat(LastName, ' ') FROM (SELECT LastName FROM "
                               "NAME ORDER BY FirstName, LastName)",
                           -1, &query, nullptr) == SQLITE_OK &&
        sqlite3_step(query) == SQLITE_ROW) {
        const auto *text = sqlite3_column_text(query, 0);
        result = text ? reinterpret_cast<const char *>(text) : "";
    } else {
        result = std::string("error: ") + sqlite3_errmsg(db);
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
    return result;
}

std::string Bytes(const std::string &fileName) {
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Overwrites one page inside the file, past its header, so that the file still opens as a
// database but its tree is broken.
void DamagePage(const std::string &fileName, int page) {
    std::fstream file(fileName, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(4096L * page);
    const std::string garbage(4096, '\xA5');
    file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
}

class TableBackup : public ::testing::Test {
protected:
    TTempDir Dir;
    std::string Table = Dir.Path() + "NAME.DAT";

    // Persons with long notes, so that the table spans many pages.
    void AddPersons(const std::string &last, int count = 1) {
        // The modification time decides whether a table changed; let the clock move on.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        TKyrTable names("NAME", Dir.Path());
        names.Open();
        for (int i = 0; i < count; ++i)
            names.AppendRecord({"P" + std::to_string(i), last, {}, {}, {}, {}, {}, {}, {}, {},
                                {}, {}, {}, {}, {}, {}, {}, {}, {}, {},
                                std::string(3000, 'n')});
    }
    std::string Generation(int n) const { return BackupFileName(Dir.Path(), "NAME", n); }
};

TEST_F(TableBackup, GenerationsRotateNewestFirstAndAnUnchangedTableMakesNone) {
    CreateTable(Dir.Path(), "NAME");
    EXPECT_EQ(TBackupOutcome::Skipped, BackupTable(Dir.Path(), "GROUPS")) << "no such file";

    for (const char *last : {"Adams", "Brown", "Clark", "Dover"}) {
        AddPersons(last);
        EXPECT_EQ(TBackupOutcome::Made, BackupTable(Dir.Path(), "NAME")) << last;
        EXPECT_EQ(TBackupOutcome::Unchanged, BackupTable(Dir.Path(), "NAME")) << last;
    }
    EXPECT_EQ("Adams Brown Clark Dover", LastNames(Generation(1)));
    EXPECT_EQ("Adams Brown Clark", LastNames(Generation(2)));
    EXPECT_EQ("Adams Brown", LastNames(Generation(3)));
    EXPECT_FALSE(fs::exists(BackupFileName(Dir.Path(), "NAME", 4)));
    EXPECT_EQ(Generation(1), NewestGoodBackup(Dir.Path(), "NAME"));
    EXPECT_EQ("Adams Brown Clark Dover", LastNames(Table)) << "the table itself is untouched";
}

TEST_F(TableBackup, ADamagedTableNeverReplacesAGoodBackup) {
    CreateTable(Dir.Path(), "NAME");
    AddPersons("Adams", 40);
    ASSERT_EQ(TBackupOutcome::Made, BackupTable(Dir.Path(), "NAME"));
    const std::string good = Bytes(Generation(1));
    AddPersons("Brown");
    DamagePage(Table, 3);

    EXPECT_EQ(TBackupOutcome::Damaged, BackupTable(Dir.Path(), "NAME"));
    EXPECT_EQ(std::vector<std::string>{"NAME"}, BackupUserTables(Dir.Path()));
    EXPECT_EQ(good, Bytes(Generation(1)));
    EXPECT_FALSE(fs::exists(Generation(2)));
}

TEST_F(TableBackup, RestoreKeepsTheDamagedFileAndPutsTheNewestGoodBackupInPlace) {
    CreateTable(Dir.Path(), "NAME");
    AddPersons("Adams", 40);
    ASSERT_EQ(TBackupOutcome::Made, BackupTable(Dir.Path(), "NAME"));
    AddPersons("Brown", 40);
    ASSERT_EQ(TBackupOutcome::Made, BackupTable(Dir.Path(), "NAME"));
    // The newest backup is broken too: the one before it is the newest good one.
    DamagePage(Generation(1), 3);
    EXPECT_EQ(Generation(2), NewestGoodBackup(Dir.Path(), "NAME"));

    AddPersons("Clark");
    DamagePage(Table, 3);
    std::ofstream(Table + "-journal") << "a journal of the damaged file";
    const std::string damaged = Bytes(Table);

    const std::string kept = RestoreTable(Dir.Path(), "NAME");
    EXPECT_TRUE(kept.starts_with(Table + ".damaged-")) << kept;
    EXPECT_EQ(damaged, Bytes(kept)) << "the damaged file is kept as it was";
    EXPECT_TRUE(fs::exists(kept + "-journal")) << "its journal goes with it";
    EXPECT_FALSE(fs::exists(Table + "-journal"));

    TKyrTable names("NAME", Dir.Path());
    ASSERT_NO_THROW(names.Open());
    EXPECT_EQ(40, names.RecordCount());
    EXPECT_EQ("Adams", names.FieldByName("LastName").AsString());
    names.Close();
    // The next start puts a good newest backup in front of the broken one again.
    EXPECT_EQ(TBackupOutcome::Made, BackupTable(Dir.Path(), "NAME"));
    EXPECT_EQ(Generation(1), NewestGoodBackup(Dir.Path(), "NAME"));
    EXPECT_EQ(TBackupOutcome::Unchanged, BackupTable(Dir.Path(), "NAME"));
}

TEST_F(TableBackup, WithoutAGoodBackupRestoreLeavesTheTableAsItWas) {
    CreateTable(Dir.Path(), "NAME");
    AddPersons("Adams", 40);
    DamagePage(Table, 3);
    const std::string damaged = Bytes(Table);
    EXPECT_THROW(RestoreTable(Dir.Path(), "NAME"), EStoreError);
    EXPECT_EQ(damaged, Bytes(Table));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(Dir.Path()), fs::directory_iterator()))
        << "nothing was moved or left beside it";
}

} // namespace
