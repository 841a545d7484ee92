// The test page, alone and from the page dialog, and the page dialog's round trip through the
// settings.
#include "EngineTestSupport.h"

#include "DataCollection.h"
#include "KyrSetup.h"
#include "PageDlg.h"
#include "PrintFonts.h"
#include "StoreTestSupport.h"

#include <QLineEdit>
#include <QPushButton>

using namespace kyr;
using namespace kyr::test;

namespace {

const char *const OtherTables[] = {"NAME",   "NAME1",    "GROUPS", "NAMEGRPS", "ZONEID",
                                   "ZONE",   "SUMMERID", "SUMMER", "ORBIS",    "ORBISDEF",
                                   "PLACES", "STATES",   "HELPUK", "KHLPUK",   "SYBOOKUK"};

class TestPage : public EngineTest {
protected:
    /// Book tables with the sample passage of the test page.
    void OpenBooks() {
        for (const char *name : OtherTables)
            CreateTable(Tables.Path(), name);
        std::string text;
        for (int i = 0; i < 30; ++i)
            text += "Pluto stands for transformation, depth and renewal. ";
        MakeTable(Tables, "BOOKUK", {{"09", "12", "01", "10", "Transformation", text + "\r"}});
        Data.SetDirectory(Tables.Path());
        Data.SetLanguage("UK");
        Data.SetActive(true);
        Printer.Data = &Data;
    }

    TTempDir Tables;
    TDataCollection Data;
};

// The PDF stays in the build directory for a look.
TEST_F(TestPage, PrintsOnePageToPdf) {
    OpenBooks();
    const QString fileName = QStringLiteral(KYR_TEST_OUTPUT_DIR "/test-page.pdf");
    QFile::remove(fileName);
    QPrinter pdf(QPrinter::HighResolution);
    SetUpPdfPrinter(pdf, fileName);
    pdf.setResolution(150);
    Printer.SetPrinter(&pdf);
    std::vector<QString> statuses;
    Printer.Feedback.ShowStatus = [&](const QString &text) { statuses.push_back(text); };
    Printer.FromPage = 4;
    Printer.ToPage = 9;
    Printer.JobOptions = JobWheelPage;
    ASSERT_TRUE(Printer.TestPrint());
    EXPECT_EQ(PdfPageCount(fileName), 1);
    EXPECT_EQ(Printer.HeaderText, "Kyrosophy - Print Layout");
    EXPECT_EQ(statuses.back(), QStringLiteral("Please wait..."));
    // The next job keeps its own range and options.
    EXPECT_EQ(Printer.FromPage, 4);
    EXPECT_EQ(Printer.ToPage, 9);
    EXPECT_EQ(Printer.JobOptions, JobWheelPage);

    TKyrPrinter bare;
    bare.Language = language;
    EXPECT_FALSE(bare.TestPrint()) << "no printer";
}

TEST_F(TestPage, AFileThatCannotBeWrittenIsAFailure) {
    QPrinter pdf(QPrinter::HighResolution);
    SetUpPdfPrinter(pdf, QStringLiteral("/nonexistent-directory/test.pdf"));
    Printer.SetPrinter(&pdf);
    EXPECT_FALSE(Printer.TestPrint());
    EXPECT_TRUE(Printer.Failed());
    EXPECT_FALSE(Printer.PainterActive());
}

TEST_F(TestPage, ShowsGuidesHeaderFooterAndTheSamplePassage) {
    OpenBooks();
    Images.Attach(Printer);
    Printer.HeaderMargin = 4;
    Printer.FooterMargin = 4;
    ASSERT_TRUE(Printer.TestPrint());
    ASSERT_EQ(Images.Pages.size(), 1u);
    const QImage &page = Images.Pages[0];
    const TPageMeasures &m = Printer.Measures();
    // The red frame of the page and of each column.
    EXPECT_TRUE(IsRed(page.pixel(0, page.height() / 2)));
    EXPECT_TRUE(IsRed(page.pixel(page.width() - 1, page.height() / 2)));
    EXPECT_TRUE(IsRed(page.pixel(m.ColumnX[1], (m.Top + m.Bottom) / 2)));
    EXPECT_TRUE(IsRed(page.pixel(m.ColumnX[1] + m.ColumnWidth, (m.Top + m.Bottom) / 2)));
    // The marks at the paper's edges.
    EXPECT_FALSE(IsInk(page.pixel(m.MarkLength / 2, m.Top - 4)));
    EXPECT_TRUE(IsInk(page.pixel(m.MarkLength / 2, m.Top)));
    EXPECT_TRUE(IsInk(page.pixel(m.Left, m.MarkLength / 2)));
    // Header and the passage in the first column.
    EXPECT_GT(CountPixels(page, QRect(m.Left + 2, m.HeaderY, m.Right - m.Left - 4, m.HeaderLine)),
              50);
    EXPECT_GT(CountPixels(page, QRect(m.ColumnX[0] + 2, m.Top + 2, m.ColumnWidth - 4,
                                      m.Bottom - m.Top - 4)),
              1000);
}

class PageDialog : public TestPage {
protected:
    void SetUp() override {
        TestPage::SetUp();
        TSetupEnvironment environment;
        environment.ProgramDirectory = Settings.Path();
        environment.CanWrite = [](const std::string &) { return true; };
        Setup = std::make_unique<TKyrSetup>(environment);
    }

    TTempDir Settings;
    std::unique_ptr<TKyrSetup> Setup;
};

TEST_F(PageDialog, OkKeepsTheValuesAndCancelDropsThem) {
    TPageDlg dialog(*Setup, Printer, *language);
    dialog.LoadFromSettings();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Interpretation Page Layout"));
    EXPECT_EQ(dialog.MarginEdit(TPageDlg::mTop)->text(), QStringLiteral("10"));
    EXPECT_EQ(dialog.LineSpaceEdit()->text(), QStringLiteral("110"));
    EXPECT_EQ(dialog.ChosenFont(TPageDlg::fSubTitle).pointSize(), 12);
    EXPECT_TRUE(dialog.ChosenFont(TPageDlg::fSubTitle).bold());

    dialog.MarginEdit(TPageDlg::mTop)->setText(QStringLiteral("25"));
    dialog.MarginEdit(TPageDlg::mFooter)->setText(QStringLiteral("x"));
    dialog.ColumnsEdit()->setText(QStringLiteral("3"));
    dialog.reject();
    EXPECT_EQ(Setup->PrintLayout.TopMargin, 10);

    dialog.MarginEdit(TPageDlg::mBottom)->setText(QStringLiteral("12"));
    dialog.OnChooseFont = [](QFont &font) {
        font.setPointSize(11);
        font.setItalic(true);
        return true;
    };
    dialog.FontButton(TPageDlg::fBody)->click();
    dialog.StoreAndClose();
    const TPrintLayout &layout = Setup->PrintLayout;
    EXPECT_EQ(layout.TopMargin, 25);
    EXPECT_EQ(layout.BottomMargin, 12);
    EXPECT_EQ(layout.FooterMargin, 0); // not a number
    EXPECT_EQ(layout.Columns, 3);
    EXPECT_EQ(layout.ColumnSpace, 110);
    EXPECT_EQ(layout.BodyFont.Size, 11);
    EXPECT_EQ(layout.BodyFont.Style, FontItalic);
    EXPECT_EQ(layout.TitleFont, TPrintLayout{}.TitleFont);
    // OK keeps the values in memory only.
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Setup->SettingsFileName())));
}

TEST_F(PageDialog, SaveWritesTheSettingsFile) {
    TPageDlg dialog(*Setup, Printer, *language);
    dialog.LoadFromSettings();
    dialog.MarginEdit(TPageDlg::mLeft)->setText(QStringLiteral("15"));
    dialog.LineSpaceEdit()->setText(QStringLiteral("130"));
    dialog.SaveButton()->click();
    TSetupEnvironment environment;
    environment.ProgramDirectory = Settings.Path();
    environment.CanWrite = [](const std::string &) { return true; };
    TKyrSetup reread(environment);
    reread.ReadSettings(reread.SettingsFileName());
    EXPECT_EQ(reread.PrintLayout.LeftMargin, 15);
    EXPECT_EQ(reread.PrintLayout.LineSpace, 130);
}

TEST_F(PageDialog, TestPrintUsesTheDialogValuesWithoutKeepingThem) {
    OpenBooks();
    Images.Attach(Printer);
    TPageDlg dialog(*Setup, Printer, *language);
    dialog.LoadFromSettings();
    dialog.ColumnsEdit()->setText(QStringLiteral("3"));
    std::vector<QString> statuses;
    Printer.Feedback.ShowStatus = [&](const QString &text) { statuses.push_back(text); };
    dialog.TestPrintButton()->click();

    ASSERT_EQ(Images.Pages.size(), 1u);
    EXPECT_NE(Printer.Measures().ColumnX[2], 0) << "the test page had three columns";
    const TPageMeasures &m = Printer.Measures();
    EXPECT_TRUE(IsRed(Images.Pages[0].pixel(m.ColumnX[2], (m.Top + m.Bottom) / 2)));
    // Afterwards the printer has the saved settings again, and its own progress hooks.
    EXPECT_EQ(Printer.Columns, 2);
    EXPECT_EQ(Setup->PrintLayout.Columns, 2);
    EXPECT_TRUE(statuses.empty()) << "the test page shows no progress";
    EXPECT_TRUE(static_cast<bool>(Printer.Feedback.ShowStatus));
    EXPECT_TRUE(dialog.TestPrintButton()->isEnabled());
}

} // namespace
