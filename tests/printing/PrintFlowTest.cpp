// Text flowing into columns and pages: deferred breaks, the printed range, header and footer,
// title boxes, sub-titles and passages, checked on page images (and a PDF for the range).
#include "EngineTestSupport.h"

#include <QFontMetrics>

using namespace kyr;
using namespace kyr::test;

namespace {

class Flow : public EngineTest {
protected:
    QRect ColumnRect(int i) const {
        const TPageMeasures &m = Printer.Measures();
        return QRect(QPoint(m.ColumnX[static_cast<std::size_t>(i)], m.Top),
                     QPoint(m.ColumnX[static_cast<std::size_t>(i)] + m.ColumnWidth, m.Bottom));
    }
    QRect HeaderBand() const {
        const TPageMeasures &m = Printer.Measures();
        return QRect(QPoint(m.Left, m.HeaderY), QPoint(m.Right, m.HeaderY + m.HeaderLine + 2));
    }
    /// The footer line from the rule down, split into the centre and the page number at the right.
    QRect FooterCentre() const {
        const TPageMeasures &m = Printer.Measures();
        const int y = m.FooterY - m.HeaderLine;
        return QRect(QPoint(m.Left + (m.Right - m.Left) / 3, y + 3),
                     QPoint(m.Right - (m.Right - m.Left) / 3, m.FooterY));
    }
    QRect PageNumber() const {
        const TPageMeasures &m = Printer.Measures();
        return QRect(QPoint(m.Right - 80, m.FooterY - m.HeaderLine + 3), QPoint(m.Right, m.FooterY));
    }
};

TEST_F(Flow, TextFillsBothColumnsOfEveryPageWithinTheMargins) {
    Printer.HeaderMargin = 4;
    Printer.FooterMargin = 4;
    StartImageJob();
    Printer.FlowText(Prose(40));
    Printer.FinishJob();
    const TPageMeasures &m = Printer.Measures();
    ASSERT_GE(Images.Pages.size(), 2u);
    EXPECT_EQ(static_cast<int>(Images.Pages.size()), Printer.Page());
    for (std::size_t i = 0; i < Images.Pages.size(); ++i) {
        const QImage &page = Images.Pages[i];
        SCOPED_TRACE(i);
        EXPECT_GT(CountPixels(page, ColumnRect(0)), 500);
        if (i + 1 < Images.Pages.size()) {
            EXPECT_GT(CountPixels(page, ColumnRect(1)), 500);
        }
        // Nothing in the margins and the gutter.
        EXPECT_EQ(CountPixels(page, QRect(QPoint(0, 0), QPoint(m.Left - 2, page.height() - 1))), 0);
        EXPECT_EQ(CountPixels(page, QRect(QPoint(m.Right + 2, 0),
                                          QPoint(page.width() - 1, page.height() - 1))),
                  0);
        EXPECT_EQ(CountPixels(page, QRect(QPoint(m.ColumnX[0] + m.ColumnWidth + 2, m.Top),
                                          QPoint(m.ColumnX[1] - 2, m.Bottom))),
                  0);
        EXPECT_EQ(CountPixels(page, QRect(QPoint(m.Left, m.Bottom + 2),
                                          QPoint(m.Right, m.FooterY - m.HeaderLine - 3))),
                  0);
        // Header, footer and page number.
        EXPECT_GT(CountPixels(page, HeaderBand()), 50);
        EXPECT_GT(CountPixels(page, FooterCentre()), 20);
        EXPECT_GT(CountPixels(page, PageNumber()), 10);
    }
    // The page numbers differ from page to page.
    EXPECT_NE(Images.Pages[0].copy(PageNumber()), Images.Pages[1].copy(PageNumber()));
}

TEST_F(Flow, BreaksCostNothingUntilSomethingIsPrinted) {
    StartImageJob();
    Printer.NewPage(); // a break before any output: no blank first page
    Printer.FlowText("first");
    EXPECT_EQ(Printer.Page(), 2);
    Printer.NextColumn();
    Printer.FlowText("second column");
    Printer.NewPage();
    Printer.NewPage(); // trailing breaks: no empty pages
    Printer.FinishJob();
    ASSERT_EQ(Images.Pages.size(), 1u);
    EXPECT_GT(CountPixels(Images.Pages[0], ColumnRect(0)), 20);
    EXPECT_GT(CountPixels(Images.Pages[0], ColumnRect(1)), 20);
}

TEST_F(Flow, OnlyThePrintedRangeIsSentButEveryPageIsCounted) {
    QTemporaryDir dir;
    QPrinter pdf(QPrinter::HighResolution);
    SetUpPdfPrinter(pdf, dir.filePath("range.pdf"));
    pdf.setResolution(150);
    Printer.SetPrinter(&pdf);

    std::vector<std::pair<int, bool>> shown; // page, painter already active
    Printer.Feedback.ShowPage = [&](const QString &) {
        shown.emplace_back(Printer.Page(), Printer.PainterActive());
    };
    Printer.FromPage = 3;
    Printer.ToPage = 4;
    ASSERT_TRUE(Printer.IsReady());
    Printer.BeginJob();
    ASSERT_TRUE(Printer.ComputeLayout());
    for (int page = 1; page <= 5; ++page) {
        Printer.FlowText("Text of page " + std::to_string(page));
        Printer.NewPage();
    }
    Printer.FinishJob();
    EXPECT_EQ(Printer.Page(), 6);
    const std::vector<std::pair<int, bool>> expected{
        {1, false}, {2, false}, {3, true}, {4, true}, {5, true}};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(PdfPageCount(dir.filePath("range.pdf")), 2);
}

// Titles and passages over several pages of a PDF, left in the build directory for a look.
TEST_F(Flow, PassagesPrintToPdfPageByPage) {
    const QString fileName = QStringLiteral(KYR_TEST_OUTPUT_DIR "/flowed-text.pdf");
    QFile::remove(fileName);
    QPrinter pdf(QPrinter::HighResolution);
    SetUpPdfPrinter(pdf, fileName);
    pdf.setResolution(150);
    Printer.SetPrinter(&pdf);
    Printer.HeaderMargin = 5;
    Printer.FooterMargin = 5;
    Printer.TopMargin = 15;
    Printer.BottomMargin = 15;
    ASSERT_TRUE(Printer.IsReady());
    Printer.BeginJob();
    ASSERT_TRUE(Printer.ComputeLayout());
    Printer.PrintTitleBox("Birth Analysis");
    for (int i = 1; i <= 12; ++i) {
        Printer.PrintPassage("Passage " + std::to_string(i) + ", with a comma in its title",
                             "Key word", -1, Prose(2));
    }
    Printer.NewPage();
    Printer.FinishJob();
    EXPECT_GE(Printer.Page(), 3);
    EXPECT_EQ(PdfPageCount(fileName), Printer.Page() - 1) << "the trailing break adds no page";
}

TEST_F(Flow, RangeOnPageImagesStartsWithTheFirstPageInRange) {
    Printer.FromPage = 2;
    Printer.ToPage = 2;
    StartImageJob();
    Printer.FlowText("one");
    Printer.NewPage();
    Printer.PrintTitleBox("two");
    Printer.NewPage();
    Printer.FlowText("three");
    Printer.FinishJob();
    ASSERT_EQ(Images.Pages.size(), 1u);
    // Page two holds the title box, not the text of page one or three.
    const QRgb grey = qRgb(224, 224, 224);
    EXPECT_GT(CountPixels(Images.Pages[0], ColumnRect(0), [&](QRgb p) { return p == grey; }), 100);
}

TEST_F(Flow, WheelPagesAloneHaveNoHeaderYetAreNotDrawnOver) {
    Printer.JobOptions = JobWheelPage;
    StartImageJob();
    Printer.FlowText("page one");
    Printer.NewPage();
    Printer.FlowText("page two");
    Printer.FinishJob();
    ASSERT_EQ(Images.Pages.size(), 2u);
    for (const QImage &page : Images.Pages) {
        EXPECT_EQ(CountPixels(page, HeaderBand()), 0);
        EXPECT_EQ(CountPixels(page, PageNumber()), 0);
        EXPECT_GT(CountPixels(page, ColumnRect(0)), 20);
    }
}

TEST_F(Flow, BlankLinesAndColumnBreaks) {
    StartImageJob();
    const TPageMeasures &m = Printer.Measures();
    // A blank line at the top of a column is dropped, elsewhere it is kept.
    Printer.FlowText("\r\rfirst");
    EXPECT_EQ(Printer.Y(), m.Top + m.BodyLine);
    Printer.FlowText("a\r\rb");
    EXPECT_EQ(Printer.Y(), m.Top + 4 * m.BodyLine);

    // EnsureSpace breaks the column only when the height does not fit.
    Printer.SetY(m.Bottom - 100);
    Printer.EnsureSpace(100);
    EXPECT_EQ(Printer.Column(), 0);
    Printer.EnsureSpace(101);
    EXPECT_EQ(Printer.Column(), 1);
    EXPECT_EQ(Printer.Y(), m.Top);

    // A full column continues in the next one, and the last one on the next page.
    Printer.SetY(m.Bottom - 2 * m.BodyLine);
    Printer.FlowText("x\ry\rz");
    EXPECT_EQ(Printer.Page(), 2);
    EXPECT_EQ(Printer.Column(), 0);
    EXPECT_EQ(Printer.Y(), m.Top + m.BodyLine);

    // "#4" breaks the column only from the first column.
    Printer.FlowText("#4left");
    EXPECT_EQ(Printer.Column(), 1);
    Printer.FlowText("#4right");
    EXPECT_EQ(Printer.Column(), 1);
    Printer.FinishJob();
}

TEST_F(Flow, TitleBoxSubTitlesAndPassages) {
    StartImageJob();
    const TPageMeasures &m = Printer.Measures();
    Printer.PrintTitleBox("Main Title");
    EXPECT_EQ(Printer.Y(), m.Top + m.TitleLine + m.BodyLine);

    // A sub-title wider than the column wraps, after its comma or between words, and never
    // reaches into the next column (where it would print over that column's text).
    const QFontMetrics metrics(Printer.SubTitleFont, &Images.Measure);
    const int top = Printer.Y();
    const std::string tail = "the tail";
    for (const std::string wide :
         {"Short, " + tail, "A sub-title much wider than one column of the page, and " + tail,
          std::string("A sub-title much wider than one column of the page and with no comma")}) {
        SCOPED_TRACE(wide);
        const int width = metrics.horizontalAdvance(QString::fromStdString(wide));
        const int y = Printer.Y();
        Printer.PrintSubTitle(wide);
        const int lines = (Printer.Y() - y) / m.SubTitleLine;
        EXPECT_EQ(Printer.Y(), y + lines * m.SubTitleLine);
        EXPECT_EQ(lines > 1, width > m.ColumnWidth);
        EXPECT_LE(lines, 3);
    }
    ASSERT_FALSE(Images.Pages.empty());
    const int columnRight = m.ColumnX[0] + m.ColumnWidth;
    EXPECT_EQ(CountPixels(Images.Pages.front(),
                          QRect(columnRight + 1, top, m.PageWidth - columnRight - 1,
                                Printer.Y() - top)),
              0);
    int y = Printer.Y();

    // A passage: sub-title, key word, text and a blank line after.
    y = Printer.Y();
    Printer.PrintPassage("Passage", "Key word", 4, "Textual");
    EXPECT_EQ(Printer.Y(), y + m.SubTitleLine + 3 * m.BodyLine);
    Printer.FinishJob();

    const QImage &page = Images.Pages.at(0);
    const QRect box(m.ColumnX[0], m.Top, m.ColumnWidth, m.TitleLine);
    const QRgb grey = qRgb(224, 224, 224);
    EXPECT_GT(CountPixels(page, box.adjusted(1, 1, -1, -1), [&](QRgb p) { return p == grey; }),
              box.width() * box.height() / 2);
    EXPECT_GT(CountPixels(page, QRect(box.left(), box.top(), box.width(), 1)), box.width() - 2);
    // The title is centred in its box.
    const int leftInk = CountPixels(page, QRect(box.left() + 2, box.top() + 2, box.width() / 4,
                                                box.height() - 4));
    const int middleInk = CountPixels(page, QRect(box.center().x() - box.width() / 8,
                                                  box.top() + 2, box.width() / 4,
                                                  box.height() - 4));
    EXPECT_EQ(leftInk, 0);
    EXPECT_GT(middleInk, 20);
}

TEST_F(Flow, ContentsEntriesAndTheirPageNumbers) {
    StartImageJob();
    Printer.AddContents("Birth Analysis", 2);
    Printer.AddContents("Dynamic Analysis", 7);
    Printer.FlowText("#3");
    const TPageMeasures &m = Printer.Measures();
    // One marker yields every entry, a line each.
    EXPECT_EQ(Printer.Y(), m.Top + 2 * m.BodyLine);
    Printer.FinishJob();
    // The page numbers stand in a column after the widest entry and 14 blanks.
    const QFontMetrics metrics(Printer.BodyFont, &Images.Measure);
    const int numbersX =
        m.ColumnX[0] + metrics.horizontalAdvance(QStringLiteral("Dynamic Analysis              "));
    const QImage &page = Images.Pages.at(0);
    EXPECT_GT(CountPixels(page, QRect(numbersX, m.Top, 40, 2 * m.BodyLine)), 10);
    EXPECT_EQ(CountPixels(page, QRect(numbersX - 40, m.Top, 38, 2 * m.BodyLine)), 0);
}

TEST_F(Flow, PersonNameMarkerAndStatus) {
    std::vector<QString> statuses;
    Printer.Feedback.ShowStatus = [&](const QString &text) { statuses.push_back(text); };
    Printer.PersonName = "Anna Berg";
    StartImageJob();
    Printer.FlowText("#1");
    Printer.FinishJob();
    EXPECT_GT(CountPixels(Images.Pages.at(0), ColumnRect(0)), 20);
    const std::vector<QString> expected{QStringLiteral("Printing Page 1"),
                                        QStringLiteral("Please wait...")};
    EXPECT_EQ(statuses, expected);
}

} // namespace
