// The meters' geometry: the year span rules, the scale, the printed polygons, the cursor date
// and the aspect bar, each as a table of cases worked out by hand.
#include "MeterLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace kyr {

void PrintTo(const TMeterPoint &p, std::ostream *os) {
    *os << "(" << p.X << ", " << p.Y << ")";
}

void PrintTo(const TMeterRect &r, std::ostream *os) {
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

} // namespace kyr

namespace {

using namespace kyr;

TEST(YearSpan, StaysOneToThreeYears) {
    struct Case {
        const char *what;
        TYearSpan before;
        bool setFrom; // else the last year is set
        int year;
        TYearSpan after;
        bool changed;
    };
    const Case cases[] = {
        {"first year inside the span", {1995, 1998}, true, 1996, {1996, 1998}, true},
        {"first year three years before", {1996, 1998}, true, 1995, {1995, 1998}, true},
        {"first year 2000 while the last is 2005", {2002, 2005}, true, 2000, {2000, 2001}, true},
        {"first year on the last", {1995, 1998}, true, 1998, {1998, 1999}, true},
        {"first year after the last", {1995, 1998}, true, 2010, {2010, 2011}, true},
        {"first year unchanged", {1995, 1998}, true, 1995, {1995, 1998}, false},
        {"last year inside the span", {1995, 1998}, false, 1997, {1995, 1997}, true},
        {"last year on the first", {1995, 1998}, false, 1995, {1994, 1995}, true},
        {"last year four years on", {1995, 1998}, false, 1999, {1998, 1999}, true},
        {"last year before the first", {1995, 1998}, false, 1990, {1989, 1990}, true},
        {"last year unchanged", {1995, 1998}, false, 1998, {1995, 1998}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TYearSpan span = c.before;
        EXPECT_EQ(c.changed, c.setFrom ? SetSpanFrom(span, c.year) : SetSpanTo(span, c.year));
        EXPECT_EQ(c.after.From, span.From);
        EXPECT_EQ(c.after.To, span.To);
    }
}

TEST(TransitScale, FrameAndPlotAreaInsideTheTargetRectangle) {
    // "00" 14 wide and 13 high; the target may lie anywhere, as on a printed page.
    for (const TMeterRect r : {TMeterRect{0, 0, 150, 80}, TMeterRect{100, 40, 250, 120}}) {
        SCOPED_TRACE(r.Left);
        const TTransitLayout m = LayoutTransitMeter(r, 14, 13, 5, {1995, 1998});
        EXPECT_EQ(r.Left + 6, m.L);
        EXPECT_EQ(r.Left + 143, m.Rt);
        EXPECT_EQ(r.Top, m.T);
        EXPECT_EQ(r.Top + 62, m.B); // room for the ticks and a line of text underneath
        EXPECT_EQ(138, m.W);
        EXPECT_EQ(63, m.H);
        EXPECT_EQ(60, m.PlotHeight());
        EXPECT_EQ((TMeterRect{r.Left + 8, r.Top + 2, r.Left + 141, r.Top + 60}), m.PlotArea);
        EXPECT_EQ(r.Left + 52, m.Ticks[12].X); // 12 * 138 div 36
        EXPECT_EQ(r.Left + 140, m.Ticks[35].X);
        EXPECT_EQ(r.Left + 142, m.Ticks[36].X);
        EXPECT_EQ((TMeterPoint{r.Left + 45, r.Top + 67}), m.Labels[1]);
    }
}

TEST(TransitScale, MonthTicksQuarterMarksAndYearLabels) {
    const TMeterRect r{0, 0, 400, 90};
    for (int years = 1; years <= 3; ++years) {
        SCOPED_TRACE(years);
        const TTransitLayout m = LayoutTransitMeter(r, 14, 13, 5, {2000, 2000 + years});
        ASSERT_EQ(12 * years, m.Months);
        ASSERT_EQ(static_cast<std::size_t>(12 * years + 1), m.Ticks.size());
        ASSERT_EQ(static_cast<std::size_t>(years + 1), m.Labels.size());
        EXPECT_EQ(m.L, m.Ticks.front().X);
        for (std::size_t k = 0; k + 1 < m.Ticks.size(); ++k) {
            const bool quarter = k % 12 == 0 || k % 12 == 3 || k % 12 == 6 || k % 12 == 9;
            EXPECT_EQ(quarter ? 5 : 3, m.Ticks[k].Length) << "month " << k % 12 + 1;
            EXPECT_LT(m.Ticks[k].X, m.Ticks[k + 1].X);
        }
        EXPECT_EQ(5, m.Ticks.back().Length);
        EXPECT_EQ(m.Rt - 1, m.Ticks.back().X);
        for (int y = 0; y <= years; ++y)
            EXPECT_EQ(m.Ticks[static_cast<std::size_t>(12 * y)].X - 7,
                      m.Labels[static_cast<std::size_t>(y)].X);
    }
}

TEST(TransitScale, SizesAndLabels) {
    EXPECT_EQ(3, MinorTickLength(5));
    EXPECT_EQ(6, MinorTickLength(10));
    EXPECT_EQ(0, MinorTickLength(1));

    struct Area {
        int width, textWidth, columns;
    };
    for (const Area a : {Area{150, 14, 134}, Area{150, 15, 134}, Area{16, 14, 0}, Area{10, 14, 10}})
        EXPECT_EQ(a.columns, TransitAreaWidth(a.width, a.textWidth))
            << a.width << " " << a.textWidth;

    struct Bar {
        Extended value;
        int plotHeight, height;
    };
    for (const Bar b :
         {Bar{0, 57, 0}, Bar{0.5L, 57, 28}, Bar{1, 57, 57}, Bar{1.5L, 57, 85}, Bar{0.0175L, 57, 0}})
        EXPECT_EQ(b.height, BarHeight(b.value, b.plotHeight)) << static_cast<double>(b.value);

    EXPECT_EQ("95", YearLabel(1995));
    EXPECT_EQ("0", YearLabel(2000));
    EXPECT_EQ("5", YearLabel(2005));
    EXPECT_EQ("10", YearLabel(2010));
}

TEST(TransitCursor, DateUnderTheColumn) {
    struct Case {
        const char *what;
        int x;
        TMeterRect plot;
        TYearSpan span;
        int date;
    };
    const Case cases[] = {
        {"left edge", 8, {8, 2, 141, 60}, {1995, 1998}, 19950101},
        {"right edge", 141, {8, 2, 141, 60}, {1995, 1998}, 19980101},
        // One column a day across the leap year 2000.
        {"first of February", 41, {10, 0, 376, 0}, {2000, 2001}, 20000201},
        {"first of March", 70, {10, 0, 376, 0}, {2000, 2001}, 20000301},
        {"half way", 193, {10, 0, 376, 0}, {2000, 2001}, 20000702},
        // 10.96 days a column: the day is cut, not rounded.
        {"parts of days", 1, {0, 0, 100, 0}, {2000, 2003}, 20000111},
        {"no plot area yet", 0, {0, 0, 0, 0}, {1995, 1998}, 19950101},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.date, TransitCursorDate(c.x, c.plot, c.span)) << c.what;
}

TEST(TransitPrint, EveryRunOfTwoOrMoreValuesIsOnePolygonOnTheBaseLine) {
    // W' = 184 and MaxValues 8: value i at x = 23 i + 8. H' = 77 over the base line y = 80.
    const TTransitLayout m = LayoutTransitMeter({0, 0, 200, 100}, 14, 13, 5, {2000, 2001});
    ASSERT_EQ(188, m.W);
    ASSERT_EQ(83, m.H);
    ASSERT_EQ(80, m.PlotHeight());
    using Points = std::vector<TMeterPoint>;
    struct Case {
        const char *what;
        std::vector<Extended> values;
        int maxValues;
        std::vector<Points> polygons;
    };
    const Case cases[] = {
        {"two runs, a lone value between them, a value beyond MaxValues",
         {0, 0.5L, 1, 0, 0.25L, 0, 0.5L, 0.5L, 0.5L, 0.5L},
         8,
         {Points{{31, 42}, {54, 3}, {54, 80}, {31, 80}},
          Points{{146, 42}, {169, 42}, {192, 42}, {192, 80}, {146, 80}}}},
        {"a value over 1 is cut at the plot top",
         {1.5L, 0.5L, 0, 0, 0, 0, 0, 0, 0},
         8,
         {Points{{8, 2}, {31, 42}, {31, 80}, {8, 80}}}},
        // 0.01 gives no whole pixel of bar height and so breaks the run.
        {"a value without bar height",
         {0.5L, 0.01L, 0.5L, 0.5L, 0, 0, 0, 0, 0},
         8,
         {Points{{54, 42}, {77, 42}, {77, 80}, {54, 80}}}},
        {"a lone value at MaxValues", {0, 0, 0, 0, 0, 0, 0, 0, 0.5L}, 8, {}},
        {"no MaxValues", {0.5L, 0.5L, 0.5L}, 0, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.polygons, TransitPrintPolygons(m, c.values, c.maxValues)) << c.what;
}

TEST(AspectBar, ProgressStaysInItsRange) {
    struct Case {
        int value, minValue, maxValue, progress;
    };
    for (const Case c : {Case{50, 0, 100, 50}, Case{150, 0, 100, 100}, Case{-5, 0, 100, 0},
                         Case{10, 20, 40, 20}, Case{100, 0, 100, 100}})
        EXPECT_EQ(c.progress, ClampProgress(c.value, c.minValue, c.maxValue)) << c.value;

    struct Percent {
        int progress, minValue, maxValue, percent;
    };
    for (const Percent p : {Percent{50, 0, 100, 50}, Percent{1, 0, 3, 33}, Percent{75, 50, 150, 25},
                            Percent{100, 0, 100, 100}, Percent{5, 5, 5, 0}})
        EXPECT_EQ(p.percent, ProgressPercentage(p.progress, p.minValue, p.maxValue))
            << p.progress << " of " << p.minValue << ".." << p.maxValue;
}

TEST(AspectBar, FilledPartOfTheInnerRectangle) {
    struct Case {
        const char *what;
        TMeterKind kind;
        int width, height, percent;
        TMeterRect bar;
    };
    const Case cases[] = {
        {"vertical half", mkVerticalBar, 24, 100, 50, {2, 49, 22, 98}},
        {"vertical full stops under the border", mkVerticalBar, 24, 100, 100, {2, 2, 22, 98}},
        {"vertical 99 is full too", mkVerticalBar, 24, 100, 99, {2, 2, 22, 98}},
        {"horizontal half", mkHorizontalBar, 100, 24, 50, {2, 2, 49, 22}},
        {"horizontal full", mkHorizontalBar, 100, 24, 100, {2, 2, 98, 22}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.bar, AspectBarRect(c.kind, c.width, c.height, c.percent)) << c.what;

    EXPECT_TRUE(AspectBarRect(mkVerticalBar, 24, 100, 0).Empty());
    EXPECT_TRUE(AspectBarRect(mkHorizontalBar, 100, 24, 0).Empty());
    EXPECT_TRUE(AspectBarRect(mkHorizontalBar, 100, 24, 2).Empty()); // 1.96 pixels
}

} // namespace
