// The readers of the data sources and the import of the delivered tables.
#include "DataImport.h"
#include "KyrTable.h"
#include "SourceReaders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>
#include <zlib.h>

namespace fs = std::filesystem;
using namespace kyr;

namespace {

TEST(ReadPassages, KeysAttitudesAndTexts) {
    std::istringstream in("# a comment\n"
                          "## 1 1 1 12\n"
                          "Attitude:  Quiet strength \n"
                          "\n"
                          "First line,\r\n"
                          "  wrapped in the source.\r\n"
                          "\n"
                          "\n"
                          "Second paragraph.\n"
                          "\n"
                          "## 2 17 13 x\n"
                          "Title: Meeting\n"
                          "Text.\n");
    const auto passages = ReadPassages(in, "book->txt");
    ASSERT_EQ(passages.size(), 2u);
    EXPECT_EQ(passages[0].Book, "01");
    EXPECT_EQ(passages[0].Chapter, "01");
    EXPECT_EQ(passages[0].Code4, "12");
    EXPECT_EQ(passages[0].Attitude, "Quiet strength");
    // A paragraph's wrapped lines become one line; the views wrap it to their width.
    EXPECT_EQ(passages[0].Text, "First line, wrapped in the source.\n\nSecond paragraph.");
    EXPECT_EQ(passages[1].Code3, "13");
    EXPECT_EQ(passages[1].Code4, "x");
    EXPECT_EQ(passages[1].Attitude, "Meeting");
    EXPECT_EQ(passages[1].Text, "Text.");
}

TEST(SourceReaders, MalformedLinesNameSourceAndLine) {
    const struct {
        const char *text;
        int reader; // 0 passages, 1 help, 2 keywords, 3 table rows
        const char *where;
    } cases[] = {
        {"## 1 1 1\nText\n", 0, "b.txt:1:"},
        {"## 1 1 1 1\nA\n## 01 01 01 01\nB\n", 0, "b.txt:3:"},
        {"## 1 1 100 1\n", 0, "b.txt:1:"},
        {"## one\nText\n", 1, "b.txt:1:"},
        {"## 5\nA\n## 5\nB\n", 1, "b.txt:3:"},
        {"# c\nWHEEL 2\n", 2, "b.txt:2:"},
        {"WHEEL\t2\nwheel\t3\n", 2, "b.txt:2:"},
        {"1\tLondon\n", 3, "b.txt:1:"},
        {"[ZONE\n", 3, "b.txt:1:"},
    };
    for (const auto &c : cases) {
        std::istringstream in(c.text);
        try {
            switch (c.reader) {
            case 0: ReadPassages(in, "b.txt"); break;
            case 1: ReadHelpTexts(in, "b.txt"); break;
            case 2: ReadKeywords(in, "b.txt"); break;
            default: ReadTableRows(in, "b.txt"); break;
            }
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const std::runtime_error &e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.where, 0), 0u) << e.what();
        }
    }
}

TEST(SourceReaders, KeywordsAreUpperCasedAndRowsSplitAtTabs) {
    std::istringstream keywords("Chart wheel\t2\n");
    EXPECT_EQ(ReadKeywords(keywords, "k")[0].KeyWord, "CHART WHEEL");
    std::istringstream rows("[ZONE]\n1\t15000101\t-50\n\n[SUMMERID]\n1\t\n");
    const TTableRows tables = ReadTableRows(rows, "r");
    ASSERT_EQ(tables.at("ZONE").size(), 1u);
    EXPECT_EQ(tables.at("ZONE")[0], (std::vector<std::string>{"1", "15000101", "-50"}));
    EXPECT_EQ(tables.at("SUMMERID")[0], (std::vector<std::string>{"1", ""}));
}

class Import : public ::testing::Test {
protected:
    void SetUp() override {
        Out = fs::temp_directory_path() / ("kyr-import-" + std::to_string(::getpid())) / "Data";
        fs::remove_all(Out.parent_path());
    }
    void TearDown() override { fs::remove_all(Out.parent_path()); }

    void Run(bool fresh = false) {
        std::ostringstream log;
        ImportDeliveredData({KYR_DATA_SOURCES, Out.string(), fresh}, log);
    }
    std::unique_ptr<TKyrTable> Open(const std::string &name) {
        auto table = std::make_unique<TKyrTable>(name, Out.string() + "/");
        table->Open();
        return table;
    }

    fs::path Out;
};

TEST_F(Import, BuildsEveryTableFromTheDeliveredSources) {
    Run();
    for (const char *name : {"NAME", "NAME1", "GROUPS", "NAMEGRPS", "STATES", "PLACES", "ZONEID",
                             "ZONE", "SUMMERID", "SUMMER", "ORBIS", "ORBISDEF", "BOOKUK",
                             "SYBOOKUK", "HELPUK", "KHLPUK"})
        EXPECT_TRUE(fs::exists(Out / (std::string(name) + ".DAT"))) << name;
    // No scratch files are left behind; beside the tables only the atlas record.
    for (const auto &entry : fs::directory_iterator(Out))
        if (entry.path().filename() != AtlasStampName) {
            EXPECT_EQ(entry.path().extension(), ".DAT") << entry.path();
        }

    auto orbs = Open("ORBISDEF");
    EXPECT_EQ(orbs->RecordCount(), 42);
    ASSERT_TRUE(orbs->FindKey({std::string("Medium"), 1LL}));
    EXPECT_EQ(orbs->FieldByName("D_45").AsInteger(), 3);

    auto book = Open("BOOKUK");
    ASSERT_TRUE(book->FindKey({std::string("02"), std::string("01"), std::string("01"),
                              std::string("01")}));
    EXPECT_EQ(book->FieldByName("Attitude").AsString(), "Leading from the front");

    // The language's captions travel in help record 11000 as well.
    auto help = Open("HELPUK");
    ASSERT_TRUE(help->FindKey({11000LL}));
    EXPECT_NE(help->FieldByName("HelpText").AsString().find("126=\"Sun\""), std::string::npos);

    // The atlas comes from compressed sources.
    auto states = Open("STATES");
    ASSERT_TRUE(states->FindKey({std::string("United Kingdom")}));
    auto places = Open("PLACES");
    ASSERT_TRUE(
        places->FindKey({states->FieldByName("StateID").AsString(), std::string("London")}));
    EXPECT_EQ(places->FieldByName("Longitude").AsInteger(), 8);
    auto zoneIds = Open("ZONEID");
    ASSERT_TRUE(zoneIds->FindKey({places->FieldByName("ZoneRef").AsString()}));
    EXPECT_EQ(zoneIds->FieldByName("ZoneName").AsString(), "Europe/London");
}

TEST_F(Import, KeepsWhatTheUserStoredAndRenewsOnlyTheSystemOrbs) {
    Run();
    {
        auto names = Open("NAME");
        names->Append();
        names->FieldByName("FirstName").SetAsString("Ada");
        names->FieldByName("LastName").SetAsString("Lovelace");
        names->Post();
        auto sets = Open("ORBIS");
        sets->AppendRecord({std::string("Mine"), false});
        auto orbs = Open("ORBISDEF");
        orbs->AppendRecord({std::string("Mine"), 1LL, 3LL, 0LL, 0LL, 0LL, 0LL, 0LL, 0LL, 0LL, 0LL});
        ASSERT_TRUE(orbs->FindKey({std::string("Strong"), 1LL}));
        orbs->Edit();
        orbs->FieldByName("D_0").SetAsInteger(1);
        orbs->Post();
    }
    Run();
    auto names = Open("NAME");
    EXPECT_TRUE(names->FindKey({std::string("Ada"), std::string("Lovelace")}));
    auto orbs = Open("ORBISDEF");
    EXPECT_TRUE(orbs->FindKey({std::string("Mine"), 1LL}));
    ASSERT_TRUE(orbs->FindKey({std::string("Strong"), 1LL}));
    EXPECT_EQ(orbs->FieldByName("D_0").AsInteger(), 10);
    EXPECT_EQ(orbs->RecordCount(), 43);

    Run(true); // a fresh import starts over
    EXPECT_FALSE(Open("NAME")->FindKey({std::string("Ada"), std::string("Lovelace")}));
}

TEST_F(Import, ABrokenSourceLeavesTheExistingTablesAlone) {
    Run();
    const fs::path sources = Out.parent_path() / "data";
    fs::copy(KYR_DATA_SOURCES, sources, fs::copy_options::recursive);
    std::ofstream(sources / "help" / "UK" / "zz-broken.txt") << "## not-a-number\n";
    std::ostringstream log;
    try {
        ImportDeliveredData({sources.string(), Out.string(), true}, log);
        FAIL();
    } catch (const std::runtime_error &e) {
        EXPECT_NE(std::string(e.what()).find("zz-broken.txt:1:"), std::string::npos) << e.what();
    }
    auto help = Open("HELPUK");
    EXPECT_TRUE(help->FindKey({11000LL}));
    for (const auto &entry : fs::directory_iterator(Out))
        if (entry.path().filename() != AtlasStampName) {
            EXPECT_EQ(entry.path().extension(), ".DAT") << entry.path();
        }
}

// A small atlas of its own beside the delivered sources, part of it compressed, and changes to
// it: what an ordinary import does with an atlas the user may have edited.
class AtlasImport : public Import {
protected:
    void SetUp() override {
        Import::SetUp();
        Sources = Out.parent_path() / "data";
        fs::create_directories(Out.parent_path());
        fs::copy(KYR_DATA_SOURCES, Sources, fs::copy_options::recursive);
        fs::remove_all(Sources / "atlas");
        fs::create_directories(Sources / "atlas");
        std::ofstream(Sources / "atlas" / "zones.tsv") << "[ZONEID]\n1\tTest/Zone\t15821015\n"
                                                          "[ZONE]\n1\t15000101\t-10\tTrue\n"
                                                          "1\t19000101\t-100\tFalse\n"
                                                          "[SUMMERID]\n1\tTest/Zone\n[SUMMER]\n";
        WritePlaces({"Alpha"});
    }

    void WritePlaces(const std::vector<std::string> &names) {
        std::string text = "# states and places\n[STATES]\n1\tTestland\t100\t100\t-100\t-100\n"
                           "[PLACES]\n";
        for (const std::string &name : names)
            text += "1\t" + name + "\t100\t-100\t1\t1\n";
        WriteCompressed(Sources / "atlas" / "places.tsv.gz", text);
    }

    static void WriteCompressed(const fs::path &path, const std::string &text) {
        gzFile file = gzopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        gzwrite(file, text.data(), static_cast<unsigned>(text.size()));
        gzclose(file);
    }

    std::string Import(bool refreshAtlas = false) {
        std::ostringstream log;
        TImportOptions options{Sources.string(), Out.string()};
        options.RefreshAtlas = refreshAtlas;
        ImportDeliveredData(options, log);
        return log.str();
    }

    bool HasPlace(const std::string &name) {
        return Open("PLACES")->FindKey({std::string("1"), name});
    }

    void AddPlaceByHand(const std::string &name) {
        Open("PLACES")->AppendRecord(
            {std::string("1"), name, 0LL, 0LL, std::string("1"), std::string("1")});
    }

    fs::path Sources;
};

TEST_F(AtlasImport, ReadsPlainAndCompressedSourcesTogether) {
    Import();
    EXPECT_TRUE(HasPlace("Alpha"));
    auto zone = Open("ZONE");
    ASSERT_TRUE(zone->FindKey({std::string("1"), 15000101LL}));
    EXPECT_TRUE(zone->FieldByName("LocalMeanTime").AsBoolean());
    ASSERT_TRUE(zone->FindKey({std::string("1"), 19000101LL}));
    EXPECT_FALSE(zone->FieldByName("LocalMeanTime").AsBoolean());
}

TEST_F(AtlasImport, RenewsTheAtlasOnlyWhenItsSourcesChanged) {
    Import();
    AddPlaceByHand("Mine");
    Import(); // same sources: the user's place stays
    EXPECT_TRUE(HasPlace("Mine"));

    // New sources leave tables that were changed after the import alone ...
    WritePlaces({"Alpha", "Beta"});
    EXPECT_NE(Import().find("--refresh-atlas"), std::string::npos);
    EXPECT_TRUE(HasPlace("Mine"));
    EXPECT_FALSE(HasPlace("Beta"));
    // ... until asked.
    Import(true);
    EXPECT_TRUE(HasPlace("Beta"));
    EXPECT_FALSE(HasPlace("Mine"));

    // Tables as the last import wrote them follow their sources.
    WritePlaces({"Alpha", "Gamma"});
    Import();
    EXPECT_TRUE(HasPlace("Gamma"));
    EXPECT_FALSE(HasPlace("Beta"));
}

TEST_F(AtlasImport, AnAtlasWithoutARecordIsRebuiltAndKeptAside) {
    Import();
    AddPlaceByHand("Mine");
    fs::remove(Out / AtlasStampName);
    Import();
    EXPECT_FALSE(HasPlace("Mine"));
    EXPECT_TRUE(HasPlace("Alpha"));
    TKyrTable kept("PLACES", (Out / "atlas-backup").string() + "/");
    kept.Open();
    EXPECT_TRUE(kept.FindKey({std::string("1"), std::string("Mine")}));
    EXPECT_TRUE(fs::exists(Out / AtlasStampName));
}

TEST_F(AtlasImport, ADamagedCompressedSourceNamesTheFile) {
    WritePlaces({"Alpha"});
    const fs::path file = Sources / "atlas" / "places.tsv.gz";
    fs::resize_file(file, fs::file_size(file) / 2);
    try {
        Import();
        FAIL() << "a truncated source was accepted";
    } catch (const std::runtime_error &e) {
        EXPECT_NE(std::string(e.what()).find("places.tsv.gz"), std::string::npos) << e.what();
    }
}

} // namespace
