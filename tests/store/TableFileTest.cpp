// Table files: creation by layout name, positional writes, and files that are not our tables.
#include "KyrTable.h"
#include "StoreTestSupport.h"
#include "TableSchemas.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

using namespace kyr;
using kyr::test::MakeTable;
using kyr::test::TTempDir;

namespace {

void ExecuteSql(const std::string &fileName, const std::string &sql) {
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(fileName.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_close(db);
}

// Opening must fail with an error that names the file.
void ExpectRefused(const std::string &directory, const std::string &tableName,
                   const std::string &reason) {
    TKyrTable table(tableName, directory);
    const std::string fileName = directory + tableName + ".DAT";
    try {
        table.Open();
        ADD_FAILURE() << reason << ": opened";
    } catch (const EStoreError &error) {
        EXPECT_NE(std::string(error.what()).find(fileName), std::string::npos)
            << reason << ": " << error.what();
        EXPECT_EQ(error.FileName(), fileName) << reason;
    }
    EXPECT_FALSE(table.Active()) << reason;
}

TEST(TableFile, EveryLayoutCreatesAnEmptyTableThatOpens) {
    TTempDir dir;
    const char *names[] = {"NAME",   "NAME1",    "GROUPS",   "NAMEGRPS", "STATES", "PLACES",
                           "ZONEID", "ZONE",     "SUMMERID", "SUMMER",   "ORBIS",  "ORBISDEF",
                           "BOOKUK", "SYBOOKUK", "HELPUK",   "KHLPUK",   "BOOK__", "HELPDK"};
    for (const char *name : names) {
        CreateTable(dir.Path(), name);
        TKyrTable table(name, dir.Path());
        ASSERT_NO_THROW(table.Open()) << name;
        EXPECT_TRUE(table.IsEmpty()) << name;
    }
    EXPECT_EQ(FindSchema("BOOKUK")->Kind, "BOOK");
    EXPECT_EQ(FindSchema("SYBOOKUK")->Kind, "SYBOOK");
    EXPECT_EQ(FindSchema("BOOK"), nullptr) << "a language table needs its code";
    EXPECT_EQ(FindSchema("ATLAS"), nullptr);
    EXPECT_THROW(CreateTable(dir.Path(), "ATLAS"), EStoreError);
    EXPECT_THROW(CreateTable(dir.Path(), "ZONE"), EStoreError) << "exists already";
}

// Rows that other parts write by position land in the fields named.
TEST(TableFile, PositionalWritesFollowTheFieldOrder) {
    struct TCase {
        const char *Table;
        std::vector<TFieldValue> Values;
        std::vector<std::pair<const char *, const char *>> Expected;
    };
    const TCase cases[] = {
        {"NAMEGRPS",
         {"Ann", "Berg", "Family"},
         {{"FirstName", "Ann"}, {"LastName", "Berg"}, {"GroupName", "Family"}}},
        {"ZONEID",
         {"1001", "Central Europe", 15840101LL},
         {{"ZoneID", "1001"}, {"ZoneName", "Central Europe"}, {"GregDate", "15840101"}}},
        {"ZONE",
         {"1001", 19400515LL, -200LL},
         {{"ZoneID", "1001"}, {"StartDate", "19400515"}, {"TimeDelta", "-200"}}},
        {"SUMMERID", {"1001", "EU rule"}, {{"SummerID", "1001"}, {"SummerName", "EU rule"}}},
        {"SUMMER",
         {"1001", 19800330LL, 200LL, 100LL},
         {{"SummerID", "1001"},
          {"FromDate", "19800330"},
          {"FromTime", "200"},
          {"TimeDiff", "100"}}},
        {"ORBIS", {"Standard", true}, {{"OrbisName", "Standard"}, {"SystemOrbis", "True"}}},
        {"ORBISDEF",
         {"Standard", 1LL, 10LL, 2LL, 3LL, 6LL, 8LL, 9LL, 3LL, 2LL, 10LL},
         {{"OrbisName", "Standard"},
          {"OrbisPlanetOrCusp", "1"},
          {"D_0", "10"},
          {"D_30", "2"},
          {"D_45", "3"},
          {"D_60", "6"},
          {"D_90", "8"},
          {"D_120", "9"},
          {"D_135", "3"},
          {"D_150", "2"},
          {"D_180", "10"}}},
        {"GROUPS", {"Family"}, {{"GroupName", "Family"}}},
    };
    TTempDir dir;
    for (const TCase &c : cases) {
        auto table = MakeTable(dir, c.Table, {c.Values});
        for (const auto &[field, expected] : c.Expected)
            EXPECT_EQ(table->FieldByName(field).AsString(), expected) << c.Table << "." << field;
    }
}

TEST(TableFile, DataSurvivesReopening) {
    TTempDir dir;
    MakeTable(dir, "KHLPUK", {{"MARS", 120LL}, {"ASCENDANT", 110LL}});
    TKyrTable keywords("KHLPUK", dir.Path());
    keywords.Open();
    EXPECT_EQ(keywords.FieldByName("KeyWord").AsString(), "ASCENDANT");
    EXPECT_EQ(keywords.RecordCount(), 2);
}

TEST(TableFile, FilesThatAreNotTheNamedTableAreRefusedNamingTheFile) {
    TTempDir dir;
    ExpectRefused(dir.Path(), "PLACES", "missing file");

    std::ofstream(dir.Path() + "STATES.DAT") << "StateID;StateName\n1001;Denmark\n";
    ExpectRefused(dir.Path(), "STATES", "a text file");

    std::ofstream(dir.Path() + "SUMMER.DAT"); // empty
    ExpectRefused(dir.Path(), "SUMMER", "an empty file");

    CreateTable(dir.Path(), "BOOKUK");
    std::filesystem::copy_file(dir.Path() + "BOOKUK.DAT", dir.Path() + "ZONE.DAT");
    ExpectRefused(dir.Path(), "ZONE", "a book table under another name");
    // The same layout under a language code is accepted.
    std::filesystem::copy_file(dir.Path() + "BOOKUK.DAT", dir.Path() + "BOOKDK.DAT");
    EXPECT_NO_THROW(TKyrTable("BOOKDK", dir.Path()).Open());

    ExecuteSql(dir.Path() + "ORBIS.DAT", "CREATE TABLE ORBIS (OrbisName TEXT)");
    ExpectRefused(dir.Path(), "ORBIS", "a database of another program");

    CreateTable(dir.Path(), "GROUPS");
    ExecuteSql(dir.Path() + "GROUPS.DAT", "PRAGMA user_version=99");
    ExpectRefused(dir.Path(), "GROUPS", "another table version");

    CreateTable(dir.Path(), "PLACES");
    ExecuteSql(dir.Path() + "PLACES.DAT", "ALTER TABLE PLACES ADD COLUMN Height INTEGER");
    ExpectRefused(dir.Path(), "PLACES", "another layout");

    CreateTable(dir.Path(), "ZONEID");
    ExecuteSql(dir.Path() + "ZONEID.DAT", "DROP INDEX ZONEID_Zone");
    ExpectRefused(dir.Path(), "ZONEID", "a missing named index");

    ExpectRefused(dir.Path(), "ATLAS", "a name without a layout");
}

// What the user is told and offered depends on the kind of trouble.
TEST(TableFile, AFileThatCannotBeOpenedSaysWhatIsWrongWithIt) {
    TTempDir dir;
    struct TCase {
        const char *Table;
        std::function<void(const std::string &fileName)> Spoil;
        TOpenFailure Expected;
    };
    const auto overwrite = [](std::streamoff offset) {
        return [offset](const std::string &fileName) {
            std::fstream file(fileName, std::ios::binary | std::ios::in | std::ios::out);
            file.seekp(offset);
            file << std::string(4096, '\xA5');
        };
    };
    const TCase cases[] = {
        {"PLACES", [](const std::string &) {}, TOpenFailure::Missing},
        {"STATES",
         [](const std::string &fileName) { std::ofstream(fileName) << "StateID;StateName\n"; },
         TOpenFailure::Damaged},
        // The header survives, the schema page behind it does not.
        {"NAME", overwrite(100), TOpenFailure::Damaged},
        // The schema is sound, the primary index is not.
        {"GROUPS", overwrite(4096 * 2), TOpenFailure::Damaged},
        {"ORBIS",
         [](const std::string &fileName) {
             ExecuteSql(fileName, "CREATE TABLE ORBIS (OrbisName TEXT)");
         },
         TOpenFailure::Foreign},
        {"ZONE",
         [](const std::string &fileName) {
             ExecuteSql(fileName, "PRAGMA user_version=99");
         },
         TOpenFailure::OtherLayout},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Table);
        const std::string fileName = dir.Path() + c.Table + ".DAT";
        if (c.Expected == TOpenFailure::Damaged || c.Expected == TOpenFailure::OtherLayout) {
            auto table = MakeTable(dir, c.Table, {{"Filled"}});
            table->Close();
        }
        c.Spoil(fileName);
        TKyrTable table(c.Table, dir.Path());
        try {
            table.Open();
            ADD_FAILURE() << "opened";
        } catch (const ETableOpenError &error) {
            EXPECT_EQ(c.Expected, error.Failure()) << error.what();
            EXPECT_EQ(fileName, error.FileName());
        }
        EXPECT_FALSE(table.Active());
    }
}

// A write cut off by a crash leaves a journal that the next open plays back. Where nothing may
// be written that cannot happen, and the file is no damaged file.
TEST(TableFile, AnInterruptedWriteInAReadOnlyFolderIsReportedAsSuch) {
    TTempDir dir;
    MakeTable(dir, "GROUPS", {{"Family"}});
    const std::string fileName = dir.Path() + "GROUPS.DAT";
    int ready[2];
    ASSERT_EQ(0, pipe(ready));
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        // A cache of one page spills into the file long before the commit.
        sqlite3 *db = nullptr;
        sqlite3_open(fileName.c_str(), &db);
        sqlite3_exec(db, "PRAGMA cache_size=1; BEGIN", nullptr, nullptr, nullptr);
        for (int i = 0; i < 2000; ++i)
            sqlite3_exec(db,
                         ("INSERT INTO GROUPS (RecNo, GroupName) VALUES (" +
                          std::to_string(i + 2) + ", 'Group " + std::to_string(i) + "')")
                             .c_str(),
                         nullptr, nullptr, nullptr);
        if (write(ready[1], "w", 1) == 1)
            pause();
        _exit(1);
    }
    char byte = 0;
    ASSERT_EQ(1, read(ready[0], &byte, 1));
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    ASSERT_TRUE(std::filesystem::exists(fileName + "-journal"));

    // An installed program's folder: nothing in it may be written. Even the superuser may not
    // change immutable files.
    const std::string folder = dir.Path().substr(0, dir.Path().size() - 1);
    const std::string files = "'" + folder + "' '" + fileName + "' '" + fileName + "-journal'";
    if (std::system(("chattr +i " + files + " 2>/dev/null").c_str()) != 0) {
        std::system(("chattr -i " + files + " 2>/dev/null").c_str());
        GTEST_SKIP() << "no immutable files here";
    }
    TOpenFailure failure = TOpenFailure::Missing;
    std::string what = "opened";
    try {
        TKyrTable("GROUPS", dir.Path()).Open();
    } catch (const ETableOpenError &error) {
        failure = error.Failure();
        what = error.what();
    } catch (const std::exception &error) {
        what = error.what();
    }
    ASSERT_EQ(0, std::system(("chattr -i " + files).c_str()));
    EXPECT_EQ(TOpenFailure::LeftoverJournal, failure) << what;

    // Writable again, the open undoes the cut-off write.
    TKyrTable groups("GROUPS", dir.Path());
    ASSERT_NO_THROW(groups.Open());
    EXPECT_EQ(1, groups.RecordCount());
}

TEST(TableFile, ClosedTablesRefuseAccessAndOpenTablesKeepTheirPlace) {
    TTempDir dir;
    auto zone = MakeTable(dir, "ZONE", {{"1001", 19000101LL, -100LL}});
    EXPECT_THROW(zone->SetDirectory("/elsewhere"), EStoreError);
    EXPECT_THROW(zone->SetTableName("ZONEID"), EStoreError);
    zone->Close();
    EXPECT_FALSE(zone->Active());
    EXPECT_THROW(zone->First(), EStoreError);
    EXPECT_THROW(zone->FieldByName("ZoneID").AsString(), EStoreError);
    zone->SetTableName("ZONEID");
    EXPECT_EQ(zone->FileName(), dir.Path() + "ZONEID.DAT");
}

} // namespace
