// Relationship mode: rows, codes and items of two charts, and the text from either side.
#include "InterpFixture.h"

using namespace kyr;
using namespace kyr::test;

namespace {

using Texts = std::vector<std::string>;
using Code = std::tuple<int, int, int, int>;
using Item = std::tuple<int, int, int, int>;

class Synastry : public InterpTest {
protected:
    void SetUp() override {
        InterpTest::SetUp();
        Activate(Partner);
        Partner.FirstName = "Bob";
        // Bodies one sign on, cusps one house on: the same houses in the partner's own chart.
        FillFixedChart(Partner, 245, 30);
    }
    std::vector<Code> Codes() const {
        std::vector<Code> codes;
        for (const TSynastryCode &c : Interp.SynastryCodes())
            codes.emplace_back(c.Kind, c.Point, c.ValueA, c.ValueB);
        return codes;
    }
    std::vector<Item> ItemsOf(int question) const {
        std::vector<Item> items;
        for (const TSynastryItem &i : Interp.SynastryItems())
            if (i.Question == question)
                items.emplace_back(i.Question, i.FirstCode, i.SecondCode, i.Shared);
        return items;
    }
    Texts Asked(int question) {
        Fake.SynastryQuestions.clear();
        std::stringstream stream;
        Interp.GetSynastryText(question, stream);
        Text = stream.str();
        return Fake.SynastryQuestions;
    }
    THoroscope Partner;
    std::string Text;
};

} // namespace

TEST_F(Synastry, TenQuestionsUnderFiveTitles) {
    Interp.PartnerHoroscope = &Partner;
    Interp.SetInterptype(itSynastry);
    EXPECT_EQ(Items(MainTitles), (Texts{"General Character Background", "Your Soul Mate",
                                        "Love & Sexuality", "Other Issues", "Compability"}));
    using Rows = std::vector<std::tuple<int, int, int, int>>;
    EXPECT_EQ(RowsOf(1), (Rows{{1, 0, 1, 0}, {2, 0, 2, 0}}));
    EXPECT_EQ(RowsOf(2), (Rows{{1, 0, 3, 0}}));
    EXPECT_EQ(RowsOf(3), (Rows{{1, 0, 0, 0}, {2, 0, 0, 0}}));
    EXPECT_EQ(RowsOf(4), (Rows{{1, 0, 0, 0}, {2, 0, 0, 0}, {3, 0, 0, 0}, {4, 0, 0, 0}}));
    EXPECT_EQ(RowsOf(5), (Rows{{1, 0, 0, 0}}));
    EXPECT_EQ(TextsOf(1), (Texts{"Your Personal Identity", "Your Emotional Life"}));
    EXPECT_EQ(Interp.SynastryCodes().size(), 60u);
    EXPECT_EQ(Interp.SynastryItems().size(), 36u);
    EXPECT_EQ(Birth.Caption(), "Ann");
    EXPECT_EQ(Period.Caption(), "Bob");

    Interp.SelectLast();
    EXPECT_EQ(MainTitles.ItemIndex(), 4);
}

TEST_F(Synastry, CodesOfTheSunFromBothCharts) {
    Interp.PartnerHoroscope = &Partner;
    Interp.SetInterptype(itSynastry);
    // Sun: Leo (5) in the 10th for the first, Virgo (6) in the 10th for the second; the
    // first's Sun falls in the partner's 9th house, the partner's Sun in the first's 11th.
    const std::vector<Code> codes = Codes();
    EXPECT_EQ(std::vector<Code>(codes.begin(), codes.begin() + 8),
              (std::vector<Code>{{7, 1, 6, 0},
                                 {7, 1, 5, 0},
                                 {7, 1, 10, 2}, // the extra house code of the second side
                                 {9, 1, 10, 0},
                                 {9, 1, 10, 0},
                                 {10, 1, 11, 0},
                                 {10, 1, 9, 0},
                                 {8, 1, 5, 6}}));
    EXPECT_EQ(
        ItemsOf(1),
        (std::vector<Item>{{1, 2, 1, 0}, {1, 0, 3, 0}, {1, 5, 4, 0}, {1, 7, 6, 0}, {1, 8, 0, 1}}));
    // The Moon gives the extra code to the first side.
    EXPECT_EQ(codes[10], (Code{7, 2, 2, 1}));
    EXPECT_EQ(ItemsOf(2)[1], (Item{2, 11, 0, 0}));
    // Question 3 reads the MC (position 13): Leo for the first, Virgo for the second.
    EXPECT_EQ(codes[16], (Code{7, 13, 6, 0}));
    EXPECT_EQ(codes[17], (Code{7, 13, 5, 0}));
    EXPECT_TRUE(ItemsOf(9).empty());
    EXPECT_TRUE(ItemsOf(10).empty());
}

TEST_F(Synastry, TextFromTheChosenSide) {
    Interp.PartnerHoroscope = &Partner;
    Interp.SetInterptype(itSynastry);
    struct Case {
        int view;
        Texts asked;
    } cases[] = {
        {1, {"07/01/05/00", "09/01/10/00", "10/01/09/00", "08/01/05/06"}},
        // The shared code stands in for a missing second-side code.
        {2, {"07/01/06/00", "07/01/10/02", "09/01/10/00", "10/01/11/00", "08/01/05/06"}},
        {3, {}},
    };
    for (const Case &c : cases) {
        Interp.SynastryView = c.view;
        EXPECT_EQ(Asked(1), c.asked) << c.view;
    }
    Interp.SynastryView = 1;
    Asked(1);
    // The key word leads into its passage on the same line.
    EXPECT_EQ(Text.substr(0, 47), "Title 07/01/05/00 Synastry 07/01/05/00\rTitle 09");
    EXPECT_EQ(Asked(9), Texts{});
    EXPECT_EQ(Text, "");
    Interp.OnGetSynastryChapter = nullptr;
    EXPECT_EQ(Asked(1), Texts{});
}

TEST_F(Synastry, SideButtonsSwitchTheViewOfTheShownQuestion) {
    Interp.PartnerHoroscope = &Partner;
    Interp.SetInterptype(itSynastry);
    EXPECT_EQ(Memo.Lines().size(), 4u);
    EXPECT_EQ(Memo.Lines()[0], "Title 07/01/05/00 Synastry 07/01/05/00");
    Period.UserClick();
    EXPECT_EQ(Interp.SynastryView, 2);
    EXPECT_EQ(Memo.Lines().size(), 5u);
    EXPECT_EQ(Memo.Lines()[0], "Title 07/01/06/00 Synastry 07/01/06/00");
    Both.UserClick();
    EXPECT_EQ(Interp.SynastryView, 3);
    EXPECT_TRUE(Memo.Lines().empty());
    Birth.UserClick();
    EXPECT_EQ(Interp.SynastryView, 1);
    EXPECT_EQ(Interp.Interptype(), itSynastry);
    EXPECT_EQ(Interp.RowCount(), 10);
    EXPECT_EQ(Interp.SynastryCodes().size(), 60u);
    // No books are asked in this mode.
    EXPECT_TRUE(Fake.BookQuestions.empty());
}

TEST_F(Synastry, WithoutAPartnerTheRowsStandAlone) {
    Interp.SetInterptype(itSynastry);
    EXPECT_EQ(Interp.RowCount(), 10);
    EXPECT_TRUE(Interp.SynastryCodes().empty());
    EXPECT_TRUE(Interp.SynastryItems().empty());
    EXPECT_EQ(Period.Caption(), "Her");
    EXPECT_TRUE(Memo.Lines().empty());

    Chart.SetActive(false);
    Interp.SetInterptype(itSynastry);
    EXPECT_EQ(Birth.Caption(), "Him");
}
