// The rows of a chart computed from the delivered ephemeris agree with the chart they
// describe: signs, houses, every aspect and transit, and unbroken house periods.
#include "InterpFixture.h"

#include "Calendar.h"
#include "Ephemeris.h"

#include <filesystem>

using namespace kyr;
using namespace kyr::test;

namespace {

class ComputedChart : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetProgramDirectory(KYR_PROGRAM_DIR);
        Language = new TLanguage;
        Language->SetCountry("UK");
        Language->SetActive(true);
    }
    static void TearDownTestSuite() {
        delete Language;
        Language = nullptr;
        SetProgramDirectory("");
    }

    void SetUp() override {
        if (!std::filesystem::exists(std::filesystem::path(KYR_PROGRAM_DIR) / EphemerisFileName))
            GTEST_SKIP() << "no ephemeris file in " << KYR_PROGRAM_DIR;
        ResetEphemeris();
        SetProgramDirectory(KYR_PROGRAM_DIR);
        Chart.SetBirthDate(1975.0321L);
        Chart.SetBirthTime(14.30L);
        Chart.SetLatitude(48.08L);
        Chart.SetLongitude(-11.34L);
        for (int slot = 1; slot <= AspectSlotCount; ++slot)
            for (int point = 1; point <= AspectPointCount; ++point)
                Chart.SetOrb(slot, point, 8);
        Chart.SetOptions(OptionAspects | OptionTransits);
        Chart.SetActive(true);
        ASSERT_TRUE(Chart.FileAvailable());
        Interp.SetLanguage(Language);
        Interp.SetHoroscope(&Chart);
        Interp.SetMainTitleBox(&MainTitles);
        Interp.SetSubTitleBox(&SubTitles);
        Interp.SetBookButtons(&Books);
        Interp.SetInterpMemo(&Memo);
        Fake.Connect(Interp);
    }

    static inline TLanguage *Language = nullptr;
    THoroscope Chart;
    TInterpretation Interp;
    TFakeBooks Fake;
    TComboBoxModel MainTitles;
    TComboBoxModel SubTitles;
    TRadioGroupModel Books;
    TMemoModel Memo;
};

} // namespace

TEST_F(ComputedChart, BirthRowsDescribeTheChart) {
    Interp.SetInterptype(itBirthAnalysis);
    ASSERT_GT(Chart.AspectCount, 5);
    std::vector<int> listed(Chart.AspectCount + 1, 0);
    std::array<int, 17> perTitle{};
    for (int r = 0; r < Interp.RowCount(); ++r) {
        const TTitleRow &row = Interp.Row(r);
        ++perTitle[row.Ix];
        SCOPED_TRACE(row.TitleText);
        switch (row.ChapCode) {
        case 1:
            EXPECT_EQ(row.Code4, Chart.SignOfBody(row.Code3 - 1) + 1);
            break;
        case 3:
            EXPECT_EQ(row.Code4, Chart.HouseOfBody(row.Code3 - 1));
            break;
        case 5:
        case 6: {
            int p1 = 0, p2 = 0, e = 0;
            Extended deviation = 0;
            ASSERT_TRUE(Chart.GetAspect(row.Aspect, p1, p2, e, deviation));
            ++listed[row.Aspect];
            if (row.ChapCode == 5) {
                EXPECT_EQ(row.Code3, std::min(p1, p2));
                EXPECT_EQ(row.Code4, std::max(p1, p2));
            } else {
                EXPECT_EQ(row.Code3, p1);
                EXPECT_EQ(row.Code4, p2 == AspectPointAscendant ? 1 : 10);
            }
            break;
        }
        default:
            break;
        }
    }
    for (int title = 1; title <= 16; ++title)
        EXPECT_GT(perTitle[title], 0) << title;
    // An aspect between two bodies stands under both; one to an angle under one title.
    for (int k = 1; k <= Chart.AspectCount; ++k) {
        int p1 = 0, p2 = 0, e = 0;
        Extended deviation = 0;
        Chart.GetAspect(k, p1, p2, e, deviation);
        EXPECT_EQ(listed[k], p2 <= 12 ? 2 : 1) << p1 << "-" << p2;
    }

    // Next walks every row once, in table order.
    Interp.SelectFirst();
    int steps = 1;
    int last = SubTitles.Row(SubTitles.ItemIndex());
    EXPECT_EQ(last, 0);
    for (;;) {
        Interp.SelectNext();
        const int row = SubTitles.Row(SubTitles.ItemIndex());
        if (row == last)
            break;
        EXPECT_EQ(row, last + 1);
        last = row;
        ++steps;
    }
    EXPECT_EQ(steps, Interp.RowCount());
}

TEST_F(ComputedChart, DynamicRowsCoverEveryTransitAndTheWholePeriod) {
    Interp.SetInterptype(itDynamic);
    ASSERT_GT(Chart.TransitCount, 0);
    int expected = 0;
    for (int k = 1; k <= Chart.TransitCount; ++k) {
        int body = 0, e = 0, target = 0, from = 0, to = 0;
        Chart.GetTransit(k, body, e, target, from, to);
        const bool shown =
            target <= 12 || target == 101 || target == 104 || target == 107 || target == 110;
        int rows = 0;
        for (int r = 0; r < Interp.RowCount(); ++r)
            if ((Interp.Row(r).ChapCode == 8 || Interp.Row(r).ChapCode == 9) &&
                Interp.Row(r).Aspect == k) {
                ++rows;
                EXPECT_EQ(Interp.Row(r).Code3, body);
            }
        EXPECT_EQ(rows, shown ? 1 : 0) << k;
        expected += shown;
    }
    for (int body : {1, 2}) {
        std::vector<const TTitleRow *> periods;
        for (int r = 0; r < Interp.RowCount(); ++r)
            if (Interp.Row(r).ChapCode == 4 && Interp.Row(r).Code3 == body)
                periods.push_back(&Interp.Row(r));
        ASSERT_FALSE(periods.empty()) << body;
        expected += static_cast<int>(periods.size());
        EXPECT_EQ(periods.front()->FromDate, Chart.FromYear() * 10000 + 101);
        for (std::size_t i = 0; i + 1 < periods.size(); ++i) {
            const Extended next = JulianDayFromYmd(periods[i]->ToDate, true) + 1;
            EXPECT_EQ(YmdFromJulianDay(1500, next), periods[i + 1]->FromDate);
            EXPECT_NE(periods[i]->Code4, periods[i + 1]->Code4);
        }
        EXPECT_GE(periods.back()->ToDate, Chart.FromYear() * 10000 + 1231);
    }
    EXPECT_EQ(Interp.RowCount(), expected);
}
