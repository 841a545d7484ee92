// The data collection: activation, language switching, the book and text look-ups, and the
// identifiers of new atlas definitions.
#include "DataCollection.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>

using namespace kyr;
using kyr::test::MakeTable;
using kyr::test::TTempDir;

namespace {

const char *const FixedTables[] = {"NAME",     "NAME1",  "GROUPS", "NAMEGRPS", "ZONEID", "ZONE",
                                   "SUMMERID", "SUMMER", "ORBIS",  "ORBISDEF", "PLACES", "STATES"};

// (Book, Chapter, Code3, Code4, Attitude, Text), written out of key order on purpose.
const std::vector<std::vector<TFieldValue>> UkBooks = {
    {"07", "05", "01", "02", "Tense"}, {"01", "05", "01", "02", "Open"},
    {"03", "05", "01", "02", "Warm"},  {"01", "05", "01", "03"},
    {"02", "05", "01", "03"},          {"03", "05", "01", "03"},
    {"04", "05", "01", "03"},          {"01", "05", "01", "04"},
    {"02", "05", "01", "04"},          {"03", "05", "01", "04"},
    {"04", "05", "01", "04"},          {"05", "05", "01", "04"},
    {"06", "09", "12", "12"}, // the last records of the "ChapterOrder" index
    {"02", "09", "12", "12"},          {"01", "01", "01", "01", "Bold", "Line one\rLine two\r"},
};

class Collection : public ::testing::Test {
protected:
    TTempDir Dir;
    TDataCollection Data;

    void SetUp() override {
        for (const char *name : FixedTables)
            CreateTable(Dir.Path(), name);
        MakeTable(Dir, "BOOKUK", UkBooks);
        MakeTable(Dir, "BOOKDK", {{"01", "01", "01", "01", "Modig", "Linje en\n"}});
        MakeTable(Dir, "SYBOOKUK", {{"07", "03", "01", "02", "Allies", "They agree."}});
        MakeTable(Dir, "SYBOOKDK");
        MakeTable(Dir, "HELPUK", {{11000LL, "500=Name\r\n501=Place\r\n"}, {250LL, "Help"}});
        MakeTable(Dir, "HELPDK", {{250LL, "Hjælp"}});
        MakeTable(Dir, "KHLPUK");
        MakeTable(Dir, "KHLPDK");
        Data.SetDirectory(Dir.Path());
    }

    void Start(const std::string &code = "UK") {
        Data.SetLanguage(code);
        Data.SetActive(true);
    }
};

TEST_F(Collection, StartsEmptyAndOpensEveryTableOnActivation) {
    EXPECT_EQ(Data.LanguageCode(), "");
    EXPECT_FALSE(Data.Active());
    EXPECT_EQ(Data.BookTable.TableName(), "BOOK__");
    EXPECT_EQ(Data.Tables().front(), &Data.NameTable);
    EXPECT_EQ(Data.Tables().back(), &Data.SynastryBookTable);
    for (const TKyrTable *table : Data.Tables())
        EXPECT_FALSE(table->Active()) << table->TableName();

    // The placeholder BOOK__ has no file; setting the language first means it is never opened.
    Start();
    EXPECT_TRUE(Data.Active());
    for (const TKyrTable *table : Data.Tables())
        EXPECT_TRUE(table->Active()) << table->TableName();
    EXPECT_EQ(Data.BookTable.FileName(), Dir.Path() + "BOOKUK.DAT");
    EXPECT_EQ(Data.KeywordTable.TableName(), "KHLPUK");

    Data.SetActive(false);
    for (const TKyrTable *table : Data.Tables())
        EXPECT_FALSE(table->Active()) << table->TableName();
}

// A damaged table the user chose not to restore stays closed; the program goes on with the rest.
TEST_F(Collection, ATableLeftOutStaysClosedAndTheOthersOpen) {
    std::ofstream(Dir.Path() + "NAME.DAT") << "no table at all";
    EXPECT_THROW(Start(), EStoreError);
    EXPECT_FALSE(Data.Active());

    Data.SetLeftOut({"NAME"});
    ASSERT_NO_THROW(Start());
    EXPECT_TRUE(Data.Active());
    for (TKyrTable *table : Data.Tables())
        EXPECT_EQ(table != &Data.NameTable, table->Active()) << table->TableName();
    Data.SetActive(false);
    EXPECT_FALSE(Data.GroupsTable.Active());
}

TEST_F(Collection, ATableThatCannotBeOpenedFailsActivation) {
    std::filesystem::remove(Dir.Path() + "SUMMER.DAT");
    Data.SetLanguage("UK");
    try {
        Data.SetActive(true);
        FAIL() << "opened without SUMMER.DAT";
    } catch (const EStoreError &error) {
        EXPECT_EQ(error.FileName(), Dir.Path() + "SUMMER.DAT");
    }
    EXPECT_FALSE(Data.Active());
    for (const TKyrTable *table : Data.Tables())
        EXPECT_FALSE(table->Active()) << table->TableName();
}

TEST_F(Collection, SetLanguageReopensOnlyTheLanguageTablesAndOnlyOnAChange) {
    Start();
    // Positions that a reopen would lose.
    Data.BookTable.SetIndexName("ChapterOrder");
    Data.BookTable.Last();
    Data.ZoneIdTable.SetIndexName("Zone");

    Data.SetLanguage("UK");
    EXPECT_EQ(Data.BookTable.IndexName(), "ChapterOrder");
    EXPECT_TRUE(Data.BookTable.Eof());
    EXPECT_EQ(Data.BookTable.FieldByName("Chapter").AsString(), "09");

    Data.SetLanguage("DK");
    EXPECT_EQ(Data.LanguageCode(), "DK");
    EXPECT_EQ(Data.HelpTable.TableName(), "HELPDK");
    EXPECT_EQ(Data.SynastryBookTable.TableName(), "SYBOOKDK");
    EXPECT_TRUE(Data.BookTable.Active());
    std::string attitude;
    std::ostringstream text;
    Data.GetChapter("01", "01", "01", "01", attitude, text);
    EXPECT_EQ(attitude, "Modig");
    EXPECT_EQ(Data.ZoneIdTable.IndexName(), "Zone") << "other tables stay as they were";

    // While inactive the tables are renamed but not opened.
    Data.SetActive(false);
    Data.SetLanguage("UK");
    EXPECT_EQ(Data.BookTable.TableName(), "BOOKUK");
    EXPECT_FALSE(Data.BookTable.Active());
}

TEST_F(Collection, GetChapterAppendsThePassageOrLeavesTheStream) {
    Start();
    struct TCase {
        const char *Book, *Chapter, *Code3, *Code4;
        const char *Attitude, *Stream;
    };
    const TCase cases[] = {
        {"01", "01", "01", "01", "Bold", "before|Line one\rLine two\r"},
        {"01", "01", "01", "0123", "Bold", "before|Line one\rLine two\r"}, // two characters kept
        {"01", "01", "01", "02", "", "before|"},
        {"09", "99", "99", "99", "", "before|"},
    };
    for (const TCase &c : cases) {
        std::string attitude = "stale";
        std::ostringstream stream;
        stream << "before|";
        Data.GetChapter(c.Book, c.Chapter, c.Code3, c.Code4, attitude, stream);
        EXPECT_EQ(attitude, c.Attitude) << c.Code4;
        EXPECT_EQ(stream.str(), c.Stream) << c.Code4;
    }

    std::string attitude = "stale";
    std::ostringstream stream;
    Data.GetSynastryChapter("07", "03", "01", "02", attitude, stream);
    EXPECT_EQ(attitude, "Allies");
    EXPECT_EQ(stream.str(), "They agree.");
    attitude = "stale";
    Data.GetSynastryChapter("07", "03", "01", "03", attitude, stream);
    EXPECT_EQ(attitude, "");
    EXPECT_EQ(stream.str(), "They agree.");
}

TEST_F(Collection, GetBooksListsTheBooksOfAChapterKey) {
    Start();
    constexpr std::uint8_t Untouched = 0xEE;
    struct TCase {
        const char *Chapter, *Code3, *Code4;
        int Count;
        std::array<std::uint8_t, 4> Books;
    };
    const TCase cases[] = {
        {"05", "01", "09", 0, {Untouched, 0, Untouched, Untouched}}, // no passage
        {"05", "01", "02", 3, {1, 3, 7, 0}},                         // Book order, then 0
        {"05", "01", "03", 4, {1, 2, 3, 4}},                         // full: no 0
        {"05", "01", "04", 4, {1, 2, 3, 4}},                         // more than fit
        {"09", "12", "12", 2, {2, 6, 0, Untouched}},                 // the table's last records
        {"99", "99", "99", 0, {Untouched, 0, Untouched, Untouched}}, // beyond the last key
    };
    for (const TCase &c : cases) {
        // Two guard bytes behind the four that the handler may write.
        std::array<std::uint8_t, 6> memory;
        memory.fill(Untouched);
        int count = -1;
        Data.GetBooks(c.Chapter, c.Code3, c.Code4, count, std::span(memory).first<4>());
        std::array<std::uint8_t, 4> books;
        std::copy_n(memory.begin(), 4, books.begin());
        EXPECT_EQ(count, c.Count) << c.Chapter << c.Code3 << c.Code4;
        EXPECT_EQ(books, c.Books) << c.Chapter << c.Code3 << c.Code4;
        EXPECT_EQ(memory[4], Untouched);
        EXPECT_EQ(memory[5], Untouched);
        EXPECT_EQ(Data.BookTable.IndexName(), "");
    }
}

TEST_F(Collection, GetBooksOnAnEmptyBookTable) {
    Start("DK");
    Data.BookTable.FindKey({"01"});
    Data.BookTable.Delete();
    std::array<std::uint8_t, 4> books{9, 9, 9, 9};
    int count = -1;
    Data.GetBooks("01", "01", "01", count, books);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(books, (std::array<std::uint8_t, 4>{9, 0, 9, 9}));
}

TEST_F(Collection, GetLanguageTextsReplacesTheStreamWithRecord11000) {
    Data.SetLanguage("UK");
    ASSERT_FALSE(Data.HelpTable.Active());
    std::stringstream stream;
    stream << "old content";
    Data.GetLanguageTexts("UK", stream);
    EXPECT_TRUE(Data.HelpTable.Active()) << "opened when closed";
    std::string first;
    std::getline(stream, first);
    EXPECT_EQ(first, "500=Name\r") << "rewound to the start";
    EXPECT_EQ(stream.str(), "500=Name\r\n501=Place\r\n");

    Data.SetLanguage("DK");
    Data.GetLanguageTexts("DK", stream);
    EXPECT_EQ(stream.str(), "");
}

TEST_F(Collection, BlobToStringsSplitsTheMemoIntoLines) {
    Start();
    ASSERT_TRUE(Data.BookTable.FindKey({"01", "01", "01", "01"}));
    std::vector<std::string> lines{"stale"};
    BlobToStrings(Data.BookTable.FieldByName("Text"), lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"Line one", "Line two"}));
    std::ostringstream stream;
    BlobToStream(Data.BookTable.FieldByName("Text"), stream);
    EXPECT_EQ(stream.str(), "Line one\rLine two\r");
}

TEST(NewIdentifier, FollowsTheLastIdentifier) {
    struct TCase {
        const char *Table;
        std::vector<const char *> Ids;
        const char *Expected;
    };
    const TCase cases[] = {
        {"ZONEID", {}, "1001"},
        {"ZONEID", {"1001"}, "1002"},
        {"ZONEID", {"500"}, "1001"},
        {"ZONEID", {"1001", "1007", "1003"}, "1008"},
        {"SUMMERID", {"1001", "1002"}, "1003"},
        {"SUMMERID", {"x"}, "1001"},
        {"STATES", {}, "1001"},
        {"STATES", {"1001"}, "1002"},
        {"STATES", {"500"}, "1001"},
        {"STATES", {"1002", "1001"}, "1003"},
    };
    for (const TCase &c : cases) {
        TTempDir dir;
        auto table = MakeTable(dir, c.Table);
        for (std::size_t i = 0; i < c.Ids.size(); ++i) {
            table->Append();
            table->Fields(0).SetAsString(c.Ids[i]);
            // Names in the opposite order, so that the name index would give another answer.
            table->Fields(1).SetAsString(std::string(1, static_cast<char>('Z' - i)));
            table->Post();
        }
        if (c.Table == std::string("ZONEID"))
            table->SetIndexName("Zone");
        const std::string before = table->IndexName();
        EXPECT_EQ(NewIdentifier(*table), c.Expected) << c.Table << " " << c.Ids.size();
        EXPECT_EQ(table->IndexName(), before) << c.Table;
    }
    TTempDir dir;
    auto places = MakeTable(dir, "PLACES");
    EXPECT_THROW(NewIdentifier(*places), EStoreError);
}

TEST(DataCollectionReference, IsEmptyUntilSetAndClearedWithTheCollection) {
    EXPECT_EQ(DataCollection(), nullptr);
    {
        TDataCollection data;
        SetDataCollection(&data);
        EXPECT_EQ(DataCollection(), &data);
    }
    EXPECT_EQ(DataCollection(), nullptr);
}

} // namespace
