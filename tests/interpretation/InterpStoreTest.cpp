// The interpretation reading real book tables through the data collection's handlers.
#include "InterpretationStore.h"

#include "DataCollection.h"
#include "InterpFixture.h"
#include "StoreTestSupport.h"

using namespace kyr;
using namespace kyr::test;

namespace {

const char *const OtherTables[] = {"NAME",   "NAME1",    "GROUPS", "NAMEGRPS", "ZONEID",
                                   "ZONE",   "SUMMERID", "SUMMER", "ORBIS",    "ORBISDEF",
                                   "PLACES", "STATES",   "HELPUK", "KHLPUK"};

class BookTables : public InterpTest {
protected:
    void SetUp() override {
        InterpTest::SetUp();
        for (const char *name : OtherTables)
            CreateTable(Dir.Path(), name);
        // Book 2 before book 1 on purpose: the books come back in Book order.
        MakeTable(Dir, "BOOKUK",
                  {{"02", "02", "01", "08", "Intense", "Scorpio rising.\r"},
                   {"01", "02", "01", "08", "Deep", "Scorpio rising, book one.\r"},
                   {"01", "18", "01", "05", "Inward", "Retrograde thinking.\r"},
                   {"02", "01", "03", "03", "Quick", "Mercury in Gemini.\r"}});
        MakeTable(Dir, "SYBOOKUK", {{"07", "01", "05", "00", "Bright", "Leo Sun.\r"}});
        Data.SetDirectory(Dir.Path());
        Data.SetLanguage("UK");
        Data.SetActive(true);
        ConnectBookHandlers(Interp, Data);
    }

    TTempDir Dir;
    TDataCollection Data;
};

} // namespace

TEST_F(BookTables, PassagesComeFromTheBookTable) {
    Interp.SetInterptype(itBirthAnalysis);
    ASSERT_EQ(Books.Count(), 2);
    EXPECT_EQ(Interp.GetBook(1), 1);
    EXPECT_EQ(Interp.GetBook(2), 2);
    EXPECT_EQ(Memo.Lines(), std::vector<std::string>{"Scorpio rising, book one."});
    EXPECT_EQ(Attitude.Caption(), "Deep");
    Books.UserClick(1);
    EXPECT_EQ(Memo.Lines(), std::vector<std::string>{"Scorpio rising."});
    EXPECT_EQ(Attitude.Caption(), "Intense");

    // Retrograde Mercury has only book 2, and its side chapter comes from book 1.
    Interp.SelectBodyInSign(3, 3);
    ASSERT_EQ(Books.Count(), 1);
    EXPECT_EQ(Books.Caption(0), "Personal");
    EXPECT_EQ(Memo.Lines(),
              (std::vector<std::string>{"Retrograde thinking.", "Mercury in Gemini."}));
    EXPECT_EQ(Attitude.Caption(), "Quick");

    Interp.SelectBodyInSign(1, 5);
    EXPECT_EQ(Messages, std::vector<std::string>{"Missing book information for [01 0105]"});
    EXPECT_EQ(Books.Count(), 0);
    EXPECT_TRUE(Memo.Lines().empty());
}

TEST_F(BookTables, SynastryPassagesComeFromTheSynastryTable) {
    THoroscope partner;
    Activate(partner);
    FillFixedChart(partner, 245, 30);
    Interp.PartnerHoroscope = &partner;
    Interp.SetInterptype(itSynastry);
    EXPECT_EQ(Memo.Lines(), std::vector<std::string>{"Bright Leo Sun."});
}
