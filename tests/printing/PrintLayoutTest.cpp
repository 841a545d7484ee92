// The page model in device measures on a known page: an A4 PDF printer without margins at
// 300 dots per inch: 2479 x 3508 pixels on 210 x 297 mm.
#include "EngineTestSupport.h"

#include <QFontMetrics>

#include <algorithm>
#include <limits>

using namespace kyr;
using namespace kyr::test;

namespace {

class Layout : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        SetUpPdfPrinter(Pdf, Dir.filePath("layout.pdf"));
        Printer.SetPrinter(&Pdf);
        ASSERT_EQ(Pdf.width(), 2479);
        ASSERT_EQ(Pdf.height(), 3508);
        ASSERT_EQ(Pdf.widthMM(), 210);
        ASSERT_EQ(Pdf.heightMM(), 297);
    }

    QTemporaryDir Dir;
    QPrinter Pdf{QPrinter::HighResolution};
};

TEST_F(Layout, DefaultSettingsGiveTheseMeasures) {
    ASSERT_TRUE(Printer.ComputeLayout());
    const TPageMeasures &m = Printer.Measures();
    EXPECT_NEAR(static_cast<double>(m.XScale), 2479.0 / 210, 1e-12);
    EXPECT_NEAR(static_cast<double>(m.YScale), 3508.0 / 297, 1e-12);
    // Trunc(10 mm) = 118 pixels on both axes.
    EXPECT_EQ(m.Left, 118);
    EXPECT_EQ(m.Right, 2479 - 119);
    EXPECT_EQ(m.Top, 118);
    EXPECT_EQ(m.Bottom, 3508 - 119);
    EXPECT_EQ(m.HeaderY, 0);
    EXPECT_EQ(m.FooterY, 3507);
    EXPECT_EQ(m.MarkLength, 23);
    // 190 mm of text in two columns 110 % apart: Trunc(2242 / 2.1).
    EXPECT_EQ(m.ColumnWidth, 1067);
    EXPECT_EQ(m.ColumnX[0], 118);
    EXPECT_EQ(m.ColumnX[1], 118 + 1173);
    EXPECT_EQ(m.GraphWidth, 944);
    EXPECT_EQ(m.PictureWidth, 1121);
    EXPECT_EQ(m.PictureLeft, 118 + 560);

    // The flow starts at the top of the first column with a break pending.
    EXPECT_EQ(Printer.Column(), 0);
    EXPECT_EQ(Printer.Y(), 118);
    EXPECT_TRUE(Printer.PagePending());
    EXPECT_TRUE(Printer.NoPageFinishedYet());
}

TEST_F(Layout, MarginsColumnsAndLineSpacing) {
    Printer.LeftMargin = 20;
    Printer.RgtMargin = 0;
    Printer.HeaderMargin = 5;
    Printer.FooterMargin = 7;
    Printer.Columns = 3;
    Printer.ColumnSpace = 100;
    Printer.LineSpace = 200;
    ASSERT_TRUE(Printer.ComputeLayout());
    const TPageMeasures &m = Printer.Measures();
    EXPECT_EQ(m.Left, 236);
    EXPECT_EQ(m.Right, 2478);
    EXPECT_EQ(m.HeaderY, 59);
    EXPECT_EQ(m.FooterY, 3508 - 83);
    EXPECT_EQ(m.ColumnWidth, (2478 - 236) / 3);
    EXPECT_EQ(m.ColumnX[1], 236 + 747);
    EXPECT_EQ(m.ColumnX[2], 236 + 2 * 747);
    EXPECT_EQ(m.GraphWidth, 747); // 80 mm would be wider than a column

    // Every line height is its font's height times the spacing; the title's also times 1.2.
    const int body = QFontMetrics(Printer.BodyFont, &Pdf).height();
    const int title = QFontMetrics(Printer.TitleFont, &Pdf).height();
    EXPECT_EQ(m.BodyLine, 2 * body);
    EXPECT_EQ(m.TitleLine, static_cast<int>(title * 2.4L));
    EXPECT_EQ(m.SubTitleBlock, 3 * m.BodyLine + m.SubTitleLine);
    EXPECT_EQ(m.PeriodBlock, m.SubTitleBlock + m.SubTitleLine);
    EXPECT_EQ(m.GraphBlock, 141 + m.BodyLine);
}

TEST_F(Layout, OutOfRangeSettingsAreClamped) {
    struct TCase {
        int LineSpace, ColumnSpace, Columns;
        int ExpectedLine, ExpectedColumn, ExpectedColumns;
    };
    const TCase cases[] = {
        {350, 250, 2, 105, 105, 2}, // above the limits: 105, not the limit
        {90, 90, 2, 100, 100, 2},
        {300, 200, 2, 300, 200, 2}, // the limits themselves are kept
        {150, 150, 0, 150, 150, 1},
        {110, 110, 9, 110, 110, 4}, // four column positions at most
    };
    for (const TCase &c : cases) {
        Printer.LineSpace = c.LineSpace;
        Printer.ColumnSpace = c.ColumnSpace;
        Printer.Columns = c.Columns;
        ASSERT_TRUE(Printer.ComputeLayout());
        EXPECT_EQ(Printer.LineSpace, c.ExpectedLine) << c.LineSpace;
        EXPECT_EQ(Printer.ColumnSpace, c.ExpectedColumn) << c.ColumnSpace;
        EXPECT_EQ(Printer.Columns, c.ExpectedColumns) << c.Columns;
    }
}

// Margins from a damaged settings file stay on the A4 page: 0 .. half its width or height.
TEST_F(Layout, MarginsBeyondThePageAreHeldToIt) {
    const int huge = std::numeric_limits<int>::max();
    const int lowest = std::numeric_limits<int>::min();
    for (const int margin : {huge, lowest, 200, -1}) {
        SCOPED_TRACE(margin);
        for (int *m : {&Printer.LeftMargin, &Printer.RgtMargin, &Printer.HeaderMargin,
                       &Printer.TopMargin, &Printer.BottomMargin, &Printer.FooterMargin})
            *m = margin;
        ASSERT_TRUE(Printer.ComputeLayout());
        const int horizontal = margin < 0 ? 0 : 105;
        const int vertical = margin < 0 ? 0 : std::min(margin, 148);
        EXPECT_EQ(Printer.LeftMargin, horizontal);
        EXPECT_EQ(Printer.RgtMargin, horizontal);
        EXPECT_EQ(Printer.TopMargin, vertical);
        EXPECT_EQ(Printer.FooterMargin, vertical);
        const TPageMeasures &m = Printer.Measures();
        EXPECT_GE(m.Left, 0);
        EXPECT_LE(m.Right, m.PageWidth);
        EXPECT_GE(m.Top, 0);
        EXPECT_LE(m.Bottom, m.PageHeight);
        EXPECT_GE(m.ColumnWidth, 0);
    }
}

TEST_F(Layout, PictureFollowsTheOrientation) {
    Printer.SetPictureSize(400, 300);
    ASSERT_TRUE(Printer.ComputeLayout());
    EXPECT_EQ(Printer.Measures().PictureWidth, 2242 / 2);
    EXPECT_EQ(Printer.Measures().PictureHeight, 300 * 1121 / 400);

    Pdf.setPageOrientation(QPageLayout::Landscape);
    ASSERT_TRUE(Printer.ComputeLayout());
    const TPageMeasures &m = Printer.Measures();
    const int text = m.Right - m.Left;
    EXPECT_EQ(m.PictureWidth, text / 3);
    EXPECT_EQ(m.PictureLeft, m.Left + (text - m.PictureWidth) / 2);
}

TEST_F(Layout, ReadinessAndThePageRange) {
    TKyrPrinter bare;
    bare.Language = language;
    EXPECT_FALSE(bare.IsReady()) << "no printer";
    Printer.Language = nullptr;
    EXPECT_FALSE(Printer.IsReady()) << "no language";
    Printer.Language = language;

    struct TCase {
        int From, To, ExpectedFrom, ExpectedTo;
    };
    const TCase cases[] = {
        {2, 4, 2, 4}, {-3, 4, 0, 4}, {5, 2, 5, DefaultToPage}, {3, 3, 3, 3}};
    for (const TCase &c : cases) {
        Printer.FromPage = c.From;
        Printer.ToPage = c.To;
        EXPECT_TRUE(Printer.IsReady());
        EXPECT_EQ(Printer.FromPage, c.ExpectedFrom) << c.From << ".." << c.To;
        EXPECT_EQ(Printer.ToPage, c.ExpectedTo) << c.From << ".." << c.To;
    }
}

TEST_F(Layout, PrinterNames) {
    TKyrPrinter bare;
    std::string name;
    bare.PrinterName(name);
    EXPECT_EQ(name, "<missing printer>");
    Printer.PrinterName(name);
    EXPECT_EQ(QString::fromStdString(name), Dir.filePath("layout.pdf"));
}

} // namespace
