// Navigation, selection from the controls, the select operations and the events they raise.
#include "InterpFixture.h"

using namespace kyr;
using namespace kyr::test;

namespace {

class Navigation : public InterpTest {
protected:
    /// (main title, sub-title index) shown now.
    std::pair<int, int> Where() const {
        return {MainTitles.ItemIndex() + 1, SubTitles.ItemIndex()};
    }
};

using Selection = std::pair<TSelectType, int>;

} // namespace

TEST_F(Navigation, StepsThroughSubTitlesAndAcrossMainTitles) {
    Interp.SetInterptype(itBirthAnalysis);
    enum Op { First, Next, Prior, Last };
    struct Step {
        Op op;
        int times;
        std::pair<int, int> where;
    } steps[] = {
        {First, 1, {1, 0}}, {Next, 5, {1, 5}}, // the Ascendant's six rows
        {Next, 1, {2, 0}},                     // on into the Sun's title
        {Prior, 1, {1, 5}},                    // back to the last row of the Ascendant
        {Prior, 1, {1, 4}}, {Last, 1, {16, 11}}, {Next, 1, {16, 11}}, // nothing after the last row
        {First, 1, {1, 0}}, {Prior, 1, {1, 0}}, // nothing before the first row
    };
    for (const Step &s : steps) {
        for (int i = 0; i < s.times; ++i) {
            Selections.clear();
            switch (s.op) {
            case First:
                Interp.SelectFirst();
                break;
            case Next:
                Interp.SelectNext();
                break;
            case Prior:
                Interp.SelectPrior();
                break;
            case Last:
                Interp.SelectLast();
                break;
            }
        }
        EXPECT_EQ(Where(), s.where) << "step " << (&s - steps);
        // Each move shows its row and reports it.
        EXPECT_EQ(Selections.size(), 1u);
        EXPECT_FALSE(Memo.Lines().empty());
    }
}

TEST_F(Navigation, DynamicTitlesWithoutTransitsSayso) {
    Interp.SetInterptype(itDynamic);
    // Title 1 (the Ascendant) has no transits.
    EXPECT_EQ(SubTitles.Count(), 0);
    EXPECT_EQ(Memo.Lines(), std::vector<std::string>{
                                "There are no transits for this title in the chosen period."});
    Selections.clear();
    Interp.SelectNext(); // the IC: none either
    EXPECT_EQ(Selections, (std::vector<Selection>{{stNone, -1}}));
    EXPECT_EQ(Books.Count(), 0);
    Interp.SelectNext(); // the Descendant
    Interp.SelectNext(); // the MC: Jupiter trine MC
    EXPECT_EQ(SubTitles.Count(), 1);
    EXPECT_EQ(Selections.back(), (Selection{stTransit, 2}));
    Interp.SelectLast(); // Jupiter's house periods
    EXPECT_EQ(MainTitles.ItemIndex(), 16);
    EXPECT_EQ(Selections.back(), (Selection{stNone, -1}));
}

TEST_F(Navigation, ControlsReportWhatTheRowShows) {
    Interp.SetInterptype(itBirthAnalysis);
    struct Case {
        int main, sub;
        Selection expected;
    } cases[] = {
        {0, 0, {stCuspInSign, 1 * 256 + 8}}, // Ascendant in Scorpio
        {0, 1, {stAspect, 2}},
        {0, 2, {stBodyInSign, 5 * 256 + 1}}, // ruler Mars in Aries
        {0, 3, {stBodyInHouse, 5 * 256 + 6}},
        {12, 4, {stCuspInSign, 5 * 256 + 12}},
        {13, 2, {stBody, 3}},
        {14, 4, {stSign, 5}},
        {15, 6, {stHouse, 7}},
    };
    for (const Case &c : cases) {
        MainTitles.UserSelect(c.main);
        Selections.clear();
        SubTitles.UserSelect(c.sub);
        EXPECT_EQ(Selections, std::vector<Selection>{c.expected}) << c.main << "/" << c.sub;
    }
    // A book click reports the row again.
    Selections.clear();
    Books.UserClick(0);
    EXPECT_EQ(Selections, (std::vector<Selection>{{stHouse, 7}}));

    Interp.SetInterptype(itDynamic);
    MainTitles.UserSelect(4);
    EXPECT_EQ(Selections.back(), (Selection{stTransit, 1}));
    MainTitles.UserSelect(15);
    EXPECT_EQ(Selections.back(), (Selection{stNone, -1}));

    // The merged list reports nothing.
    Interp.SetInterptype(itBoth);
    Selections.clear();
    SubTitles.UserSelect(1);
    EXPECT_TRUE(Selections.empty());
}

TEST_F(Navigation, ChoosingTheShownMainTitleAgainKeepsItsSubTitles) {
    Interp.SetInterptype(itBirthAnalysis);
    MainTitles.UserSelect(3);
    SubTitles.Add("left alone", -1);
    MainTitles.UserSelect(3);
    EXPECT_EQ(SubTitles.Text(SubTitles.Count() - 1), "left alone");
    EXPECT_EQ(SubTitles.ItemIndex(), 0);
    MainTitles.UserSelect(4);
    EXPECT_NE(SubTitles.Text(SubTitles.Count() - 1), "left alone");
}

TEST_F(Navigation, SelectOperationsFindTheFirstMatchingRowQuietly) {
    Interp.SetInterptype(itDynamic);
    // Selecting a birth factor switches to the birth analysis.
    Interp.SelectBodyInSign(3, 3);
    EXPECT_EQ(Interp.Interptype(), itBirthAnalysis);
    EXPECT_TRUE(Birth.Checked());
    Selections.clear();

    struct Case {
        const char *name;
        std::function<void()> select;
        std::pair<int, int> where;
    } cases[] = {
        {"body in sign", [&] { Interp.SelectBodyInSign(3, 3); }, {4, 0}},
        {"body in house", [&] { Interp.SelectBodyInHouse(5, 6); }, {1, 3}},
        {"no such cusp", [&] { Interp.SelectCuspInSign(4, 12); }, {1, 3}}, // none: unchanged
        {"Ascendant in sign", [&] { Interp.SelectCuspInSign(1, 8); }, {1, 0}},
        {"body", [&] { Interp.SelectBody(12); }, {14, 11}},
        {"sign", [&] { Interp.SelectSign(2); }, {15, 1}},
        {"house", [&] { Interp.SelectHouse(12); }, {16, 11}},
        {"aspect", [&] { Interp.SelectAspect(3); }, {4, 2}},
        {"aspect to the MC", [&] { Interp.SelectAspect(7); }, {12, 6}},
        {"code out of range", [&] { Interp.SelectBodyInSign(13, 1); }, {12, 6}},
        {"aspect index 0", [&] { Interp.SelectAspect(0); }, {12, 6}},
    };
    for (const Case &c : cases) {
        c.select();
        EXPECT_EQ(Where(), c.where) << c.name;
    }
    // The cusp of the 4th house is in Aquarius: it is found under the cusps, not the Ascendant.
    Interp.SelectCuspInSign(4, 11);
    EXPECT_EQ(Where(), (std::pair<int, int>{13, 3}));
    EXPECT_TRUE(Selections.empty());
    EXPECT_EQ(Memo.Lines().back(), "Text 01/02/04/11");
}

TEST_F(Navigation, TransitsAndHousePeriodsSwitchToTheDynamicAnalysis) {
    Interp.SetInterptype(itBirthAnalysis);
    EXPECT_EQ(Interp.SelectTransit(3), 12);
    EXPECT_EQ(Interp.Interptype(), itDynamic);
    EXPECT_TRUE(Period.Checked());
    EXPECT_EQ(Where(), (std::pair<int, int>{15, 0}));
    EXPECT_EQ(Interp.SelectTransit(2), 10);
    EXPECT_EQ(Where(), (std::pair<int, int>{4, 0}));
    EXPECT_EQ(Interp.SelectTransit(4), -1); // a cusp-2 transit has no row
    EXPECT_EQ(Interp.SelectTransit(0), -1);
    EXPECT_EQ(Where(), (std::pair<int, int>{4, 0}));

    Interp.SelectHousePeriod(19960410, 1);
    EXPECT_EQ(Where(), (std::pair<int, int>{16, 1}));
    EXPECT_EQ(Beeps, 0);
    Interp.SelectHousePeriod(19960411, 1);
    Interp.SelectHousePeriod(19960101, 13);
    EXPECT_EQ(Beeps, 2);
    EXPECT_EQ(Where(), (std::pair<int, int>{16, 1}));
}

TEST_F(Navigation, AnalysisButtonsSwitchTheType) {
    Interp.SetInterptype(itBirthAnalysis);
    Period.UserClick();
    EXPECT_EQ(Interp.Interptype(), itDynamic);
    EXPECT_EQ(MainTitles.Count(), 17);
    Both.UserClick();
    EXPECT_EQ(Interp.Interptype(), itBoth);
    EXPECT_EQ(MainTitles.Count(), 0);
    Birth.UserClick();
    EXPECT_EQ(Interp.Interptype(), itBirthAnalysis);
    EXPECT_EQ(MainTitles.Count(), 16);
}
