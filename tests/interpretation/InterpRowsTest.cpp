// The row sets of the birth, dynamic and merged analyses built from the fixed chart.
#include "InterpFixture.h"

using namespace kyr;
using namespace kyr::test;

namespace {

using Rows = std::vector<std::tuple<int, int, int, int>>;
using Texts = std::vector<std::string>;

class BirthRows : public InterpTest {};
class DynamicRows : public InterpTest {};

} // namespace

TEST_F(BirthRows, ScreenHasSixteenTitlesWithTheRowsOfEachFactor) {
    Interp.SetInterptype(itBirthAnalysis);
    EXPECT_EQ(Items(MainTitles),
              (Texts{"The Ascendant", "The Sun", "The Moon", "Mercury", "Venus", "Mars", "Jupiter",
                     "Saturn", "Uranus", "Neptune", "Pluto", "The Lunar Nodes", "House Cusps",
                     "The Planets", "The Signs", "The Houses"}));

    struct Case {
        int ix;
        Rows rows;
        Texts texts;
    } cases[] = {
        // Ascendant in Scorpio: its aspects, then ruler Mars and co-ruler Pluto.
        {1,
         {{2, 1, 8, 0}, {6, 2, 1, 2}, {1, 5, 1, 0}, {3, 5, 6, 0}, {1, 10, 8, 0}, {3, 10, 1, 0}},
         {"Ascendant in Scorpio", "Ascendant Conjunction Moon", "Mars in Aries",
          "Mars in the 6th House", "Pluto in Scorpio", "Pluto in the 1st House"}},
        {2,
         {{1, 1, 5, 0}, {3, 1, 10, 0}, {5, 1, 2, 1}},
         {"Sun in Leo", "Sun in the 10th House", "Sun Trine Moon"}},
        // The Moon's aspect to the Ascendant is listed only under the Ascendant.
        {3,
         {{1, 2, 9, 0}, {3, 2, 2, 0}, {5, 1, 2, 1}},
         {"Moon in Sagittarius", "Moon in the 2nd House", "Moon Trine Sun"}},
        {4,
         {{1, 3, 3, 0}, {3, 3, 8, 0}, {5, 3, 4, 3}},
         {"Mercury in Gemini (retrograde)", "Mercury in the 8th House",
          "Mercury Opposition Venus"}},
        // Smaller body first in chapter 5; an aspect to the MC is chapter 6 with code 10.
        {5,
         {{1, 4, 4, 0}, {3, 4, 9, 0}, {5, 3, 4, 3}, {6, 4, 10, 4}},
         {"Venus in Cancer", "Venus in the 9th House", "Venus Opposition Mercury",
          "Venus Sextile Midheaven"}},
        {8,
         {{1, 7, 7, 0}, {3, 7, 12, 0}, {5, 7, 12, 6}},
         {"Saturn in Libra", "Saturn in the 12th House", "Saturn Sesquiquadrate South Node"}},
        // Both nodes under one title: the North Node's rows first.
        {12,
         {{1, 11, 12, 0},
          {3, 11, 5, 0},
          {5, 5, 11, 5},
          {1, 12, 6, 0},
          {3, 12, 11, 0},
          {5, 7, 12, 6},
          {6, 12, 10, 7}},
         {"North Node in Pisces", "North Node in the 5th House", "North Node Square Mars",
          "South Node in Virgo", "South Node in the 11th House", "South Node Sesquiquadrate Saturn",
          "South Node Conjunction Midheaven"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE("title " + std::to_string(c.ix));
        EXPECT_EQ(RowsOf(c.ix), c.rows);
        EXPECT_EQ(TextsOf(c.ix), c.texts);
    }

    // The cusps, with the angles by name.
    EXPECT_EQ(RowsOf(13).size(), 12u);
    EXPECT_EQ(TextsOf(13)[0], "Ascendant in Scorpio");
    EXPECT_EQ(TextsOf(13)[1], "2nd House Cusp in Sagittarius");
    EXPECT_EQ(TextsOf(13)[3], "IC in Aquarius");
    EXPECT_EQ(TextsOf(13)[6], "Descendant in Taurus");
    EXPECT_EQ(TextsOf(13)[9], "Midheaven in Leo");
    EXPECT_EQ(RowsOf(13)[5], std::make_tuple(2, 6, 1, 0));
    // Bodies, signs and houses in general.
    EXPECT_EQ(RowsOf(14)[11], std::make_tuple(12, 1, 12, 0));
    EXPECT_EQ(TextsOf(14)[0], "Sun");
    EXPECT_EQ(RowsOf(15)[0], std::make_tuple(13, 1, 1, 0));
    EXPECT_EQ(TextsOf(15)[11], "Pisces");
    EXPECT_EQ(RowsOf(16)[2], std::make_tuple(14, 1, 3, 0));
    EXPECT_EQ(TextsOf(16)[2], "3rd House");

    // Every row knows its position; no dates, books or page tags yet (the first row was
    // shown, so only its books are known).
    for (int r = 0; r < Interp.RowCount(); ++r) {
        EXPECT_EQ(Interp.Row(r).RowIndex, r);
        EXPECT_EQ(Interp.Row(r).FromDate, 0);
        EXPECT_EQ(Interp.Row(r).PageTag, 0);
        if (r > 0) {
            EXPECT_EQ(Interp.Row(r).Books[0], 0) << r;
        }
    }
}

TEST_F(BirthRows, PrintKeepsTwelveTitlesAndMergesTheSouthNodeIntoTheNorthNode) {
    Interp.HardCopy = true;
    Interp.SetInterptype(itBirthAnalysis);
    EXPECT_EQ(MainTitles.Count(), 16);
    for (int r = 0; r < Interp.RowCount(); ++r) {
        EXPECT_LE(Interp.Row(r).Ix, 12) << r;
        const TTitleRow &row = Interp.Row(r);
        if (row.ChapCode == 1 || row.ChapCode == 3) {
            EXPECT_NE(row.Code3, 12) << r;
        }
        if (row.ChapCode == 5 || row.ChapCode == 6) {
            EXPECT_TRUE(row.Code3 != 12 && row.Code4 != 12) << r;
        }
    }
    EXPECT_EQ(RowsOf(12), (Rows{{1, 11, 12, 0}, {3, 11, 5, 0}, {5, 5, 11, 5}}));
    EXPECT_EQ(TextsOf(12), (Texts{"North Node in Pisces, South Node in Virgo",
                                  "North Node in the 5th House, South Node in the 11th House",
                                  "North Node Square Mars, South Node Square Mars"}));
    EXPECT_EQ(TextsOf(6)[2], "Mars Square North Node, Mars Square South Node");
    // The Saturn-South Node aspect goes with the South Node.
    EXPECT_EQ(RowsOf(8), (Rows{{1, 7, 7, 0}, {3, 7, 12, 0}}));
}

TEST_F(BirthRows, PrintMergesANodeAspectToTheAscendant) {
    Chart.Aspects[Chart.AspectCount++] = {11, 13, 8, 0}; // 8 North Node trine Ascendant
    Interp.HardCopy = true;
    Interp.SetInterptype(itBirthAnalysis);
    const Texts texts = TextsOf(1);
    const Rows rows = RowsOf(1);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[2], std::make_tuple(6, 11, 1, 8));
    EXPECT_EQ(texts[2], "Ascendant Trine North Node, Ascendant Sextile South Node");
}

TEST_F(BirthRows, DebugListGetsOneLinePerRow) {
    TListBoxModel debug;
    debug.Add("left over");
    Interp.SetDebugListBox(&debug);
    Interp.SetInterptype(itBirthAnalysis);
    ASSERT_EQ(debug.Lines.size(), static_cast<std::size_t>(Interp.RowCount()));
    EXPECT_EQ(debug.Lines[0], "Ix:1,ChapCode:2,Code3:1,Code4:8,Aspect:0;Ascendant in Scorpio");
    EXPECT_EQ(debug.Lines[1],
              "Ix:1,ChapCode:6,Code3:2,Code4:1,Aspect:2;Ascendant Conjunction Moon");
}

TEST_F(DynamicRows, TransitsAndHousePeriodsUnderTheirTitles) {
    Interp.SetInterptype(itDynamic);
    ASSERT_EQ(MainTitles.Count(), 17);
    EXPECT_EQ(MainTitles.Text(1), "The IC");
    EXPECT_EQ(MainTitles.Text(15), "Saturn Through the Houses");
    EXPECT_EQ(MainTitles.Text(16), "Jupiter Through the Houses");

    struct Case {
        int ix;
        Rows rows;
        Texts texts;
    } cases[] = {
        {5, {{8, 2, 1, 1}}, {"1996: transiting Saturn Conjunction natal Sun"}},
        {4, {{9, 1, 10, 2}}, {"1996: transiting Jupiter Trine natal Midheaven"}},
        // The South Node shares the title of the nodes; the cusp-2 transit has no row.
        {15,
         {{8, 3, 12, 3}, {8, 5, 11, 5}},
         {"1996: transiting Uranus Opposition natal South Node",
          "1996: transiting Pluto Square natal North Node"}},
        {16,
         {{4, 2, 12, 5}, {4, 2, 1, 5}},
         {"1996: Saturn through the 12th House", "1996: Saturn through the 1st House"}},
        {17, {{4, 1, 7, 5}}, {"1996: Jupiter through the 7th House"}},
        {1, {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE("title " + std::to_string(c.ix));
        EXPECT_EQ(RowsOf(c.ix), c.rows);
        EXPECT_EQ(TextsOf(c.ix), c.texts);
    }
    EXPECT_EQ(Interp.RowCount(), 7);

    // Each period runs from its day to the day before the next entry's day.
    const int saturn = FindRow(4, 2, 12);
    EXPECT_EQ(Interp.Row(saturn).FromDate, 19960101);
    EXPECT_EQ(Interp.Row(saturn).ToDate, 19960409);
    EXPECT_EQ(Interp.Row(saturn + 1).FromDate, 19960410);
    EXPECT_EQ(Interp.Row(saturn + 1).ToDate, 19971231);
    const int jupiter = FindRow(4, 1, 7);
    EXPECT_EQ(Interp.Row(jupiter).FromDate, 19960101);
    EXPECT_EQ(Interp.Row(jupiter).ToDate, 19960718);
}

TEST_F(DynamicRows, MergedListsMapTheDynamicTitlesOntoBirthTitles) {
    struct Case {
        const char *name;
        TInterpType type;
        bool hardCopy;
        int mainTitles;
        int lastBirthTitle;
        Rows dynamicRows; // in table order, with their Ix in place of Aspect
    } cases[] = {
        // On screen the merged list shows no main titles.
        {"both on screen",
         itBoth,
         false,
         0,
         12,
         {{8, 2, 1, 2},
          {9, 1, 10, 3},
          {8, 3, 12, 12},
          {8, 5, 11, 12},
          {4, 2, 12, 8},
          {4, 2, 1, 8},
          {4, 1, 7, 7}}},
        // In print the South Node transit is dropped.
        {"both in print",
         itBoth,
         true,
         16,
         12,
         {{8, 2, 1, 2}, {9, 1, 10, 3}, {8, 5, 11, 12}, {4, 2, 12, 8}, {4, 2, 1, 8}, {4, 1, 7, 7}}},
        {"dynamic in print",
         itDynamic,
         true,
         16,
         0,
         {{8, 2, 1, 2}, {9, 1, 10, 3}, {8, 5, 11, 12}, {4, 2, 12, 8}, {4, 2, 1, 8}, {4, 1, 7, 7}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Interp.HardCopy = c.hardCopy;
        Interp.SetInterptype(c.type);
        EXPECT_EQ(MainTitles.Count(), c.mainTitles);
        Rows dynamic;
        int lastBirthIx = 0;
        for (int r = 0; r < Interp.RowCount(); ++r) {
            const TTitleRow &row = Interp.Row(r);
            if (row.ChapCode == 4 || row.ChapCode == 8 || row.ChapCode == 9) {
                dynamic.emplace_back(row.ChapCode, row.Code3, row.Code4, row.Ix);
            } else {
                EXPECT_TRUE(dynamic.empty()) << "birth rows come first";
                lastBirthIx = std::max<int>(lastBirthIx, row.Ix);
            }
        }
        EXPECT_EQ(lastBirthIx, c.lastBirthTitle);
        EXPECT_EQ(dynamic, c.dynamicRows);
    }
    // Print texts carry no year.
    EXPECT_EQ(Interp.Row(0).TitleText, "Transiting Saturn Conjunction natal Sun");
}

TEST_F(DynamicRows, TheFourHundredAndFirstRowIsRefusedAndTheOthersStay) {
    Chart.TransitCount = 0;
    for (int i = 0; i < 420; ++i)
        Chart.Transits[Chart.TransitCount++] = {2, 0, 1, 19960310, 19960620};
    try {
        Interp.SetInterptype(itDynamic);
        FAIL() << "no exception";
    } catch (const EInterpretationException &e) {
        EXPECT_STREQ(e.what(), "SubTitle table full!");
    }
    EXPECT_EQ(Interp.RowCount(), MaxTitleRows);
    EXPECT_EQ(Interp.Row(MaxTitleRows - 1).Aspect, MaxTitleRows);
    // The component is not left busy: a later build and selection still work.
    Chart.TransitCount = 3;
    Interp.SetInterptype(itDynamic);
    EXPECT_EQ(Interp.RowCount(), 6);
    EXPECT_EQ(Interp.SelectTransit(1), 1);
}

TEST_F(BirthRows, NoUsableChartEmptiesTableAndControls) {
    Interp.SetInterptype(itBirthAnalysis);
    ASSERT_GT(Interp.RowCount(), 0);
    ASSERT_FALSE(Memo.Lines().empty());
    EXPECT_EQ(Birth.Caption(), "Birth Analysis");
    EXPECT_EQ(Period.Caption(), "Dynamic Analysis (1996-1997)");
    EXPECT_TRUE(Birth.Checked());

    Chart.SetActive(false);
    Interp.SetInterptype(itBirthAnalysis);
    EXPECT_EQ(Interp.RowCount(), 0);
    EXPECT_EQ(MainTitles.Count(), 0);
    EXPECT_EQ(SubTitles.Count(), 0);
    EXPECT_TRUE(Memo.Lines().empty());
    EXPECT_EQ(Attitude.Caption(), "");
    Selections.clear();
    Interp.SelectNext();
    Interp.SelectFirst();
    EXPECT_TRUE(Selections.empty());

    TInterpretation bare;
    EXPECT_FALSE(bare.CheckHoroscope());
    bare.SetInterptype(itBirthAnalysis);
    EXPECT_EQ(bare.RowCount(), 0);
}
