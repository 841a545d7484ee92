// The book-excerpt dialog offscreen over a small book table: which passages it lists, sorted by
// title with their keys, the loading on activation, Show, and what Print hands to the job.

#include "PBookDlg.h"

#include "PrintDialogsTestSupport.h"
#include "PrintProgress.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace kyr::test {
namespace {

class PBookDlgTest : public PrintDialogFixture {
protected:
    PBookDlgTest() : Dlg(Printer, Setup, Data, Language) {
        // In table order; only the four marked ones can be listed.
        for (const auto &[book, chapter, code3, code4] : std::vector<std::array<const char *, 4>>{
                 {"01", "01", "01", "01"}, // listed: Sun in Aries
                 {"01", "01", "13", "01"}, // a body the titles do not know
                 {"01", "01", "10", "12"}, // listed: Pluto in Pisces
                 {"01", "02", "01", "03"}, // listed: the Ascendant
                 {"01", "02", "02", "03"}, // the second house's cusp: not offered
                 {"01", "16", "01", "01"}, // a chapter above 15
                 {"02", "01", "02", "05"}, // listed: Moon in Leo, the second book
             })
            Data.BookTable.AppendRecord(
                {book, chapter, code3, code4, "Attitude", std::string("Text of ") + chapter});
        Dlg.OnBeep = [this] { ++Beeps; };
        Dlg.OnInformation = [this](const QString &m) { Messages << m; };
        Dlg.OnPrintDialog = [this](int &, int &) { return !CancelPrintDialog; };
        Dlg.OnRunJob = [this](const std::vector<TBookExcerpt> &list) {
            Printed = list;
            PageLabel = Printer.PageLabel;
            DocumentTitle = Printer.DocumentTitle;
            return TPrintProgress::mrOk;
        };
    }

    /// Shows the dialog and lets the list load, as the event loop would.
    void ShowAndLoad() {
        Dlg.show();
        QApplication::processEvents();
    }

    QStringList Titles() const {
        QStringList titles;
        for (int row = 0; row < Dlg.List()->count(); ++row)
            titles << Dlg.List()->item(row)->text();
        return titles;
    }

    TPBookDlg Dlg;
    bool CancelPrintDialog = false;
    std::vector<TBookExcerpt> Printed;
    std::string PageLabel, DocumentTitle;
    QStringList Messages;
};

TEST_F(PBookDlgTest, ListsTheChapterPassagesSortedWithTheirKeys) {
    Dlg.show();
    // Until the event loop is idle the list is empty and every button waits.
    EXPECT_TRUE(Dlg.Loading());
    for (QPushButton *b : {Dlg.PrintButton(), Dlg.CancelButton(), Dlg.HelpButton(),
                           Dlg.ShowButton(), Dlg.LayoutButton()})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    Dlg.reject();
    EXPECT_TRUE(Dlg.isVisible()) << "closing is refused while the list loads";
    QApplication::processEvents();
    Grab(Dlg, "PBookDlg");

    EXPECT_TRUE(Dlg.Loaded());
    EXPECT_EQ("Print Book Excerpts", Dlg.windowTitle());
    EXPECT_EQ((QStringList{"Ascendant in Gemini Professional", "Moon in Leo Personal",
                           "Pluto in Pisces Professional", "Sun in Aries Professional"}),
              Titles());
    QStringList keys;
    for (int row = 0; row < Dlg.List()->count(); ++row)
        keys << Dlg.List()->item(row)->data(TPBookDlg::KeyRole).toString();
    EXPECT_EQ((QStringList{"0102 0103", "0201 0205", "0101 1012", "0101 0101"}), keys);
    EXPECT_EQ("4", Dlg.CountLabel()->text());
    for (QPushButton *b :
         {Dlg.CancelButton(), Dlg.HelpButton(), Dlg.ShowButton(), Dlg.LayoutButton()})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_FALSE(Dlg.PrintButton()->isEnabled());
    Dlg.List()->item(1)->setSelected(true);
    EXPECT_TRUE(Dlg.PrintButton()->isEnabled());
    Dlg.List()->clearSelection();
    EXPECT_FALSE(Dlg.PrintButton()->isEnabled());
}

TEST_F(PBookDlgTest, TheListIsKeptUntilTheLanguageChanges) {
    ShowAndLoad();
    Dlg.hide();
    Data.BookTable.AppendRecord({"01", "01", "02", "02", "Attitude", "Text"});
    ShowAndLoad();
    EXPECT_EQ(4, Dlg.List()->count());
    Dlg.hide();
    Dlg.LanguageChanged();
    ShowAndLoad();
    EXPECT_EQ(5, Dlg.List()->count());
}

TEST_F(PBookDlgTest, PrintHandsTheSelectedEntriesToTheJobInListOrder) {
    ShowAndLoad();
    Dlg.List()->item(3)->setSelected(true);
    Dlg.List()->item(0)->setSelected(true);

    CancelPrintDialog = true;
    Dlg.PrintButton()->click();
    EXPECT_TRUE(Printed.empty());
    EXPECT_TRUE(Dlg.isVisible());

    CancelPrintDialog = false;
    Dlg.PrintButton()->click();
    ASSERT_EQ(2u, Printed.size());
    EXPECT_EQ("Ascendant in Gemini Professional", Printed[0].Title);
    EXPECT_EQ("0102 0103", Printed[0].Key);
    EXPECT_EQ("Sun in Aries Professional", Printed[1].Title);
    EXPECT_EQ("0101 0101", Printed[1].Key);
    EXPECT_EQ("Page ", PageLabel);
    EXPECT_EQ("Book Excerpts", DocumentTitle);
    EXPECT_EQ(QStringList{"The printout has been sent to the printer."}, Messages);
    EXPECT_FALSE(Dlg.isVisible());
}

TEST_F(PBookDlgTest, ShowOpensTheCurrentPassageUnderItsTitle) {
    ShowAndLoad();
    QString caption;
    std::string key;
    Dlg.OnShowPassage = [&](const QString &c, const std::string &k) {
        caption = c;
        key = k;
    };
    Dlg.List()->setCurrentRow(2);
    Dlg.ShowButton()->click();
    EXPECT_EQ("Pluto in Pisces Professional", caption);
    EXPECT_EQ("0101 1012", key);
}

} // namespace
} // namespace kyr::test
