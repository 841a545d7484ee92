// The cursor semantics that the rest of the program relies on.
#include "KyrTable.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <functional>
#include <sstream>

using namespace kyr;
using kyr::test::MakeTable;
using kyr::test::TTempDir;

namespace {

// Three zones' histories; the primary index orders them as written here.
const std::vector<std::vector<TFieldValue>> ZoneRows = {{"1001", 19000101LL, -100LL},
                                                        {"1001", 19400515LL, -200LL},
                                                        {"1001", 19450815LL, -100LL},
                                                        {"1002", 18930401LL, -100LL},
                                                        {"1003", 19000101LL, 500LL}};

std::string KeyOf(TKyrTable &zone) {
    return zone.FieldByName("ZoneID").AsString() + "/" + zone.FieldByName("StartDate").AsString();
}

class ZoneCursor : public ::testing::Test {
protected:
    TTempDir Dir;
    std::unique_ptr<TKyrTable> Zone = MakeTable(Dir, "ZONE", ZoneRows);
};

TEST(KyrTable, EmptyTableIsAtBothEnds) {
    TTempDir dir;
    auto zone = MakeTable(dir, "ZONE");
    const std::pair<const char *, std::function<void()>> moves[] = {
        {"Open", [] {}},
        {"First", [&] { zone->First(); }},
        {"Last", [&] { zone->Last(); }},
        {"Next", [&] { zone->Next(); }},
        {"Prior", [&] { zone->Prior(); }},
        {"FindNearest",
         [&] {
             zone->FindNearest({"1001", 19000101LL});
         }},
        {"FindKey", [&] { EXPECT_FALSE(zone->FindKey({"1001"})); }},
    };
    for (const auto &[name, move] : moves) {
        move();
        EXPECT_TRUE(zone->Bof()) << name;
        EXPECT_TRUE(zone->Eof()) << name;
        EXPECT_TRUE(zone->FieldByName("ZoneID").IsNull()) << name;
    }
    EXPECT_TRUE(zone->IsEmpty());
}

TEST_F(ZoneCursor, WalksBothWaysAndStopsAtTheEnds) {
    EXPECT_TRUE(Zone->Bof());
    EXPECT_FALSE(Zone->Eof());
    std::vector<std::string> forward;
    for (Zone->First(); !Zone->Eof(); Zone->Next())
        forward.push_back(KeyOf(*Zone));
    EXPECT_EQ(forward, (std::vector<std::string>{"1001/19000101", "1001/19400515", "1001/19450815",
                                                 "1002/18930401", "1003/19000101"}));
    // Next past the last record sets EOF and stays on it.
    EXPECT_EQ(KeyOf(*Zone), "1003/19000101");
    EXPECT_FALSE(Zone->Bof());
    Zone->Next();
    EXPECT_TRUE(Zone->Eof());
    EXPECT_EQ(KeyOf(*Zone), "1003/19000101");

    std::vector<std::string> backward;
    for (Zone->Last(); !Zone->Bof(); Zone->Prior())
        backward.push_back(KeyOf(*Zone));
    EXPECT_EQ(backward.size(), 5u);
    EXPECT_EQ(backward.front(), "1003/19000101");
    // Prior on the first record sets BOF and stays on it.
    EXPECT_EQ(KeyOf(*Zone), "1001/19000101");
    EXPECT_FALSE(Zone->Eof());
}

TEST_F(ZoneCursor, FindNearestLandsOnTheFirstKeyNotBelowOrOnTheLastRecord) {
    struct TCase {
        std::vector<TFieldValue> Key;
        const char *Expected;
    };
    const TCase cases[] = {
        {{"1001", 19400515LL}, "1001/19400515"}, // exact
        {{"1001", 19420101LL}, "1001/19450815"}, // between
        {{"1001", 20000101LL}, "1002/18930401"}, // after the zone's rows: the next zone's first
        {{"1000", 20000101LL}, "1001/19000101"}, // before the first record
        {{"1002"}, "1002/18930401"},             // leading field only
        {{"1003", 20000101LL}, "1003/19000101"}, // beyond the last key: the last record
        {{"9999"}, "1003/19000101"},
    };
    for (const TCase &c : cases) {
        Zone->First();
        Zone->FindNearest(c.Key);
        EXPECT_EQ(KeyOf(*Zone), c.Expected) << testing::PrintToString(c.Key.size());
        EXPECT_FALSE(Zone->Bof()) << c.Expected;
        EXPECT_FALSE(Zone->Eof()) << c.Expected;
    }
    // From the fallback, Prior steps to the row before the last.
    Zone->FindNearest({"1003", 20000101LL});
    Zone->Prior();
    EXPECT_EQ(KeyOf(*Zone), "1002/18930401");
}

TEST_F(ZoneCursor, FindKeyMatchesLeadingFieldsOrKeepsThePosition) {
    EXPECT_TRUE(Zone->FindKey({"1001"}));
    EXPECT_EQ(KeyOf(*Zone), "1001/19000101") << "first of several matches";
    EXPECT_TRUE(Zone->FindKey({"1001", 19450815LL}));
    EXPECT_EQ(KeyOf(*Zone), "1001/19450815");

    // A failed look-up keeps record and flags, here EOF after walking off the end.
    Zone->Last();
    Zone->Next();
    ASSERT_TRUE(Zone->Eof());
    const std::vector<TFieldValue> misses[] = {{"1001", 19420101LL}, {"1004"}, {"0999"}, {"100"}};
    for (const auto &miss : misses) {
        EXPECT_FALSE(Zone->FindKey(miss));
        EXPECT_EQ(KeyOf(*Zone), "1003/19000101");
        EXPECT_TRUE(Zone->Eof());
        EXPECT_FALSE(Zone->Bof());
    }
    EXPECT_THROW(Zone->FindKey({"1001", 19000101LL, -100LL}), EStoreError) << "too many values";
    EXPECT_THROW(Zone->FindKey({}), EStoreError);
}

TEST_F(ZoneCursor, KeysConvertBetweenDigitTextsAndIntegers) {
    // An integer for the text ZoneID and a digit text for the integer StartDate.
    EXPECT_TRUE(Zone->FindKey({1002LL, "18930401"}));
    EXPECT_EQ(Zone->FieldByName("TimeDelta").AsInteger(), -100);
    EXPECT_EQ(Zone->FieldByName("TimeDelta").AsString(), "-100");
    EXPECT_EQ(Zone->FieldByName("StartDate").AsString(), "18930401");
    EXPECT_THROW(Zone->FindKey({"1001", "1940-05-15"}), EStoreError);
}

TEST(KyrTable, TextKeysIgnoreTheCaseOfLetters) {
    TTempDir dir;
    auto places = MakeTable(dir, "PLACES",
                            {{"1001", "Cairo", 3003LL, -3115LL, "0000", "0000"},
                             {"1001", "Copenhagen", 5540LL, -1235LL, "1001", "1001"},
                             {"1001", "aarhus", 5609LL, -1013LL, "1001", "1001"},
                             {"1001", "Zürich", 4722LL, -832LL, "1001", "1001"}});
    std::vector<std::string> order;
    for (places->First(); !places->Eof(); places->Next())
        order.push_back(places->FieldByName("PlaceName").AsString());
    EXPECT_EQ(order, (std::vector<std::string>{"aarhus", "Cairo", "Copenhagen", "Zürich"}));

    EXPECT_TRUE(places->FindKey({"1001", "COPENHAGEN"}));
    EXPECT_EQ(places->FieldByName("PlaceName").AsString(), "Copenhagen");
    // Prefix completion searches with the upper-cased typed text.
    places->FindNearest({"1001", "COP"});
    EXPECT_EQ(places->FieldByName("PlaceName").AsString(), "Copenhagen");
    // A second record that differs only in case is the same key.
    EXPECT_THROW(places->AppendRecord({"1001", "CAIRO"}), EStoreError);
}

TEST(KyrTable, NamedIndexKeepsEqualKeysInWrittenOrderAndIndexesSwitch) {
    TTempDir dir;
    auto zoneIds = MakeTable(dir, "ZONEID",
                             {{"1003", "Europe", 15840101LL},
                              {"1001", "Asia", 15821015LL},
                              {"1002", "Europe", 17000301LL},
                              {"1004", "America", 17520914LL}});
    zoneIds->SetIndexName("Zone");
    EXPECT_EQ(zoneIds->IndexName(), "Zone");
    EXPECT_EQ(zoneIds->IndexFields(), std::vector<std::string>{"ZoneName"});
    ASSERT_TRUE(zoneIds->FindKey({"Europe"}));
    EXPECT_EQ(zoneIds->FieldByName("ZoneID").AsString(), "1003") << "first written";
    zoneIds->Next();
    EXPECT_EQ(zoneIds->FieldByName("ZoneID").AsString(), "1002");
    zoneIds->Next();
    EXPECT_TRUE(zoneIds->Eof());
    zoneIds->Prior();
    EXPECT_EQ(zoneIds->FieldByName("ZoneID").AsString(), "1003");
    zoneIds->Prior();
    EXPECT_EQ(zoneIds->FieldByName("ZoneID").AsString(), "1001");

    // Switching index keeps the record; moving then follows the new order.
    zoneIds->SetIndexName("");
    EXPECT_EQ(zoneIds->FieldByName("ZoneID").AsString(), "1001");
    zoneIds->Next();
    EXPECT_EQ(zoneIds->FieldByName("ZoneID").AsString(), "1002");
    EXPECT_THROW(zoneIds->SetIndexName("Summer"), EStoreError);
    EXPECT_EQ(zoneIds->IndexName(), "");

    // An index chosen while closed is the one in force after opening.
    zoneIds->Close();
    zoneIds->SetIndexName("Zone");
    zoneIds->Open();
    EXPECT_EQ(zoneIds->FieldByName("ZoneName").AsString(), "America");
}

// Each positioning operation on a table being edited first completes the edit.
TEST_F(ZoneCursor, PositioningCompletesAPendingEdit) {
    const std::pair<const char *, std::function<void(TKyrTable &)>> moves[] = {
        {"First", [](TKyrTable &t) { t.First(); }},
        {"Last", [](TKyrTable &t) { t.Last(); }},
        {"Next", [](TKyrTable &t) { t.Next(); }},
        {"Prior", [](TKyrTable &t) { t.Prior(); }},
        {"FindKey", [](TKyrTable &t) { t.FindKey({"1003"}); }},
        {"FindNearest", [](TKyrTable &t) { t.FindNearest({"1002"}); }},
        {"SetIndexName", [](TKyrTable &t) { t.SetIndexName(""); }},
        {"Close",
         [](TKyrTable &t) {
             t.Close();
             t.Open();
         }},
    };
    long long delta = 1000;
    for (const auto &[name, move] : moves) {
        // A changed record is written.
        ASSERT_TRUE(Zone->FindKey({"1001", 19400515LL}));
        Zone->Edit();
        Zone->FieldByName("TimeDelta").SetAsInteger(++delta);
        move(*Zone);
        EXPECT_EQ(Zone->State(), TTableState::Browse) << name;
        ASSERT_TRUE(Zone->FindKey({"1001", 19400515LL}));
        EXPECT_EQ(Zone->FieldByName("TimeDelta").AsInteger(), delta) << name;

        // A new record without changes is dropped; with a change it is written.
        Zone->Append();
        move(*Zone);
        EXPECT_EQ(Zone->RecordCount(), 5) << name;
        Zone->Append();
        Zone->SetFields({"2000", delta});
        move(*Zone);
        EXPECT_TRUE(Zone->FindKey({"2000", delta})) << name;
        Zone->Delete();
    }
}

// A walk that edits every record on its way, as the bulk changes of the dialogs do.
TEST_F(ZoneCursor, WalkingWhileWritingVisitsEachRecordOnce) {
    int visited = 0;
    for (Zone->First(); !Zone->Eof(); Zone->Next()) {
        Zone->Edit();
        Zone->FieldByName("TimeDelta").SetAsInteger(Zone->FieldByName("TimeDelta").AsInteger() + 1);
        ++visited;
    }
    EXPECT_EQ(visited, 5);
    std::vector<long long> deltas;
    for (Zone->Last(); !Zone->Bof(); Zone->Prior())
        deltas.push_back(Zone->FieldByName("TimeDelta").AsInteger());
    EXPECT_EQ(deltas, (std::vector<long long>{501, -99, -99, -199, -99}));

    // Records appended behind the walk are reached; deleted ones are skipped.
    Zone->First();
    Zone->Next();
    Zone->AppendRecord({"1004", 19000101LL});
    Zone->FindKey({"1001", 19400515LL});
    Zone->Next();
    Zone->Delete(); // 1001/19450815
    std::vector<std::string> rest;
    for (; !Zone->Eof(); Zone->Next())
        rest.push_back(KeyOf(*Zone));
    EXPECT_EQ(rest, (std::vector<std::string>{"1002/18930401", "1003/19000101", "1004/19000101"}));
}

TEST_F(ZoneCursor, EditingReadsTheBufferAndCancelRestores) {
    ASSERT_TRUE(Zone->FindKey({"1002"}));
    Zone->Edit();
    Zone->FieldByName("TimeDelta").SetAsString("-130");
    EXPECT_EQ(Zone->FieldByName("TimeDelta").AsInteger(), -130);
    Zone->Cancel();
    EXPECT_EQ(Zone->FieldByName("TimeDelta").AsInteger(), -100);

    // A dropped new record brings back the previous position.
    Zone->Append();
    EXPECT_TRUE(Zone->FieldByName("ZoneID").IsNull());
    Zone->FieldByName("ZoneID").SetAsString("1009");
    Zone->Cancel();
    EXPECT_EQ(KeyOf(*Zone), "1002/18930401");
    EXPECT_EQ(Zone->RecordCount(), 5);

    EXPECT_THROW(Zone->FieldByName("TimeDelta").SetAsInteger(0), EStoreError) << "not editing";
    EXPECT_THROW(Zone->SetFields({"1001"}), EStoreError);
}

TEST_F(ZoneCursor, PostWritesAndFollowsTheRecord) {
    // A changed key moves the record in index order; the cursor goes with it.
    ASSERT_TRUE(Zone->FindKey({"1001", 19000101LL}));
    Zone->Edit();
    Zone->FieldByName("ZoneID").SetAsString("1005");
    Zone->Post();
    EXPECT_EQ(KeyOf(*Zone), "1005/19000101");
    Zone->Prior();
    EXPECT_EQ(KeyOf(*Zone), "1003/19000101");

    // A duplicate key is refused and the edit stays pending.
    Zone->Insert();
    Zone->SetFields({"1002", 18930401LL, 0LL});
    EXPECT_THROW(Zone->Post(), EStoreError);
    EXPECT_EQ(Zone->State(), TTableState::Insert);
    Zone->Cancel();
    EXPECT_EQ(Zone->RecordCount(), 5);
    EXPECT_THROW(Zone->InsertRecord({"1002", 18930401LL}), EStoreError);
    EXPECT_EQ(Zone->State(), TTableState::Browse);

    // Fewer values than fields leave the rest empty.
    Zone->InsertRecord({"1010", 19700101LL});
    EXPECT_EQ(KeyOf(*Zone), "1010/19700101");
    EXPECT_EQ(Zone->FieldByName("TimeDelta").AsInteger(), 0);
    EXPECT_TRUE(Zone->FieldByName("TimeDelta").IsNull());
    EXPECT_THROW(Zone->AppendRecord({"1011", 1LL, 2LL, true, 3LL}), EStoreError);
}

TEST_F(ZoneCursor, DeleteMovesToTheFollowingOrTheNewLastRecord) {
    ASSERT_TRUE(Zone->FindKey({"1001", 19400515LL}));
    Zone->Delete();
    EXPECT_EQ(KeyOf(*Zone), "1001/19450815");
    EXPECT_FALSE(Zone->Eof());

    Zone->Last();
    Zone->Delete();
    EXPECT_EQ(KeyOf(*Zone), "1002/18930401");
    EXPECT_TRUE(Zone->Eof());

    // Deleting all rows of one key, as the group and name deletions do.
    Zone->FindNearest({"1001"});
    while (!Zone->Eof() && Zone->FieldByName("ZoneID").AsString() == "1001")
        Zone->Delete();
    EXPECT_EQ(Zone->RecordCount(), 1);
    Zone->Delete();
    EXPECT_TRUE(Zone->Bof());
    EXPECT_TRUE(Zone->Eof());
    EXPECT_THROW(Zone->Delete(), EStoreError);
    // Edit on an empty table starts a new record.
    Zone->Edit();
    EXPECT_EQ(Zone->State(), TTableState::Insert);
}

TEST(KyrTable, FieldConversions) {
    TTempDir dir;
    auto names = MakeTable(dir, "NAME");
    names->Append();
    TKyrField date = names->FieldByName("BirthDate");
    TKyrField latitude = names->FieldByName("Latitude");
    TKyrField unknown = names->FieldByName("TimeUnknown");
    TKyrField zone = names->FieldByName("TimeZone");

    // An integer written to a text field is stored as its decimal text, and back.
    date.SetAsInteger(19620704);
    EXPECT_EQ(date.AsString(), "19620704");
    EXPECT_EQ(date.AsInteger(), 19620704);
    latitude.SetAsString("-5540");
    EXPECT_EQ(latitude.AsInteger(), -5540);
    EXPECT_EQ(latitude.AsString(), "-5540");
    unknown.SetAsString("True");
    EXPECT_TRUE(unknown.AsBoolean());
    EXPECT_EQ(unknown.AsString(), "True");
    // Texts are cut to the field's width.
    zone.SetAsString("0100WX");
    EXPECT_EQ(zone.AsString(), "0100W");
    names->FieldByName("FirstName").SetAsString("Æble");
    names->FieldByName("Sex").SetAsString("Ü-extra");
    EXPECT_EQ(names->FieldByName("Sex").AsString(), "Ü");
    names->Post();

    struct TCase {
        const char *Text;
        long long Integer;
    };
    const TCase digitTexts[] = {{"0042", 42}, {" 7 ", 7}, {"+5", 5}, {"-0130", -130}, {"", 0}};
    for (const TCase &c : digitTexts) {
        names->Edit();
        names->FieldByName("BirthTime").SetAsString(c.Text);
        EXPECT_EQ(names->FieldByName("BirthTime").AsInteger(), c.Integer) << '"' << c.Text << '"';
    }
    const char *notNumbers[] = {"12a", "x", "1 2"};
    for (const char *text : notNumbers) {
        names->FieldByName("BirthTime").SetAsString(text);
        EXPECT_THROW(names->FieldByName("BirthTime").AsInteger(), EStoreError) << text;
        EXPECT_THROW(latitude.SetAsString(text), EStoreError) << text;
    }
    EXPECT_THROW(latitude.SetAsString("99999999999999999999"), EStoreError);
    names->Cancel();
    EXPECT_THROW(names->FieldByName("Birthday"), EStoreError);
}

TEST(KyrTable, MemoAndGraphicFields) {
    TTempDir dir;
    auto names = MakeTable(dir, "NAME", {{"Ann", "Berg"}});
    const std::string picture("BM\0\x01\xff\r\n", 7);
    names->Edit();
    names->FieldByName("Notes").SetAsString("one\r\ntwo\rthree\n\nfive\n");
    names->FieldByName("Picture").SetAsBytes(TBytes(picture.begin(), picture.end()));
    names->Post();
    names->Close();
    names->Open();

    TKyrField notes = names->FieldByName("Notes");
    std::vector<std::string> lines{"stale"};
    notes.SaveToStrings(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "", "five"}));
    // Written as stored, at the stream's position.
    std::ostringstream stream;
    stream << "head:";
    notes.SaveToStream(stream);
    EXPECT_EQ(stream.str(), "head:one\r\ntwo\rthree\n\nfive\n");
    const TBytes bytes = names->FieldByName("Picture").AsBytes();
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), picture);

    names->Edit();
    notes.LoadFromStrings({"a", "", "b"});
    std::istringstream source("from a stream");
    names->FieldByName("Picture").LoadFromStream(source);
    names->Post();
    notes.SaveToStrings(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(names->FieldByName("Picture").AsString(), "from a stream");

    names->Edit();
    notes.Clear();
    names->FieldByName("Picture").SetAsBytes({});
    names->Post();
    EXPECT_TRUE(notes.IsNull());
    EXPECT_TRUE(names->FieldByName("Picture").IsNull());
    notes.SaveToStrings(lines);
    EXPECT_TRUE(lines.empty());
}

// Reads hold the file's read lock between writes; a second cursor on the same file in this
// process must still be able to write, and the first must see the change.
TEST(KyrTable, TwoCursorsOnOneFileInterleaveReadsAndWrites) {
    TTempDir dir;
    auto reader = MakeTable(dir, "GROUPS", {{"A"}, {"C"}, {"E"}});
    TKyrTable writer("GROUPS", dir.Path());
    writer.Open();
    reader->Next(); // on "C", a walk under way
    // A reader's lock would make these fail with "database is locked".
    writer.AppendRecord({"D"});
    writer.FindKey({"A"});
    writer.Delete();
    reader->Next();
    EXPECT_EQ(reader->FieldByName("GroupName").AsString(), "D");
    reader->First();
    EXPECT_EQ(reader->FieldByName("GroupName").AsString(), "C");
    reader->Edit();
    reader->FieldByName("GroupName").SetAsString("B");
    reader->Post();
    writer.First();
    EXPECT_EQ(writer.FieldByName("GroupName").AsString(), "B");
}

// Another process writing: a connection of its own that waits for no lock.
bool OtherConnectionCanWrite(const std::string &fileName, const std::string &group) {
    sqlite3 *db = nullptr;
    const std::string sql = "BEGIN EXCLUSIVE; INSERT INTO GROUPS (RecNo, GroupName) SELECT "
                            "IFNULL(MAX(rowid), 0) + 1, '" + group + "' FROM GROUPS; COMMIT";
    bool ok = sqlite3_open_v2(fileName.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
              sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

TEST(KyrTable, EndReadsLetsOtherProcessesWriteAndTheCursorGoesOn) {
    TTempDir dir;
    auto groups = MakeTable(dir, "GROUPS", {{"A"}, {"C"}, {"E"}});
    TKyrTable editing("GROUPS", dir.Path());
    editing.Open();
    groups->Next(); // on "C", a walk under way
    EXPECT_FALSE(OtherConnectionCanWrite(groups->FileName(), "B")) << "no read lock was held";

    TKyrTable::EndReads();
    EXPECT_TRUE(OtherConnectionCanWrite(groups->FileName(), "D"));
    // The walk goes on from where it stood and sees the other writer's row.
    EXPECT_EQ("C", groups->FieldByName("GroupName").AsString());
    groups->Next();
    EXPECT_EQ("D", groups->FieldByName("GroupName").AsString());
    EXPECT_FALSE(groups->Bof() || groups->Eof());

    // A pending edit and a running transaction survive it.
    editing.Edit();
    editing.FieldByName("GroupName").SetAsString("AA");
    TKyrTable::EndReads();
    EXPECT_EQ(TTableState::Edit, editing.State());
    editing.Post();
    editing.StartTransaction();
    editing.AppendRecord({"F"});
    TKyrTable::EndReads();
    EXPECT_TRUE(editing.InTransaction());
    editing.Rollback();
    groups->First();
    EXPECT_EQ("AA", groups->FieldByName("GroupName").AsString());
    EXPECT_EQ(4, groups->RecordCount());
}

TEST(KyrTable, TransactionGroupsWritesAndRollbackDropsThem) {
    TTempDir dir;
    auto groups = MakeTable(dir, "GROUPS", {{"Family"}});
    groups->StartTransaction();
    groups->AppendRecord({"Friends"});
    groups->AppendRecord({"Clients"});
    groups->Rollback();
    EXPECT_EQ(groups->RecordCount(), 1);
    EXPECT_EQ(groups->FieldByName("GroupName").AsString(), "Family");
    groups->StartTransaction();
    groups->AppendRecord({"Friends"});
    groups->Commit();
    groups->Close();
    groups->Open();
    EXPECT_EQ(groups->RecordCount(), 2);
}

} // namespace
