// The quick-help window, the keyword dialog and its note over real help, keyword and book
// tables of two languages.
#include "KeyWordDlg.h"
#include "KeyWordWindow.h"
#include "QuickHelpWin.h"

#include "DataCollection.h"
#include "KyrSetup.h"
#include "Language.h"
#include "ProgramDirectory.h"
#include "StoreTestSupport.h"

#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <fstream>
#include <sstream>

using namespace kyr;
using namespace kyr::test;

// Readable failure messages.
void PrintTo(const QString &text, std::ostream *out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

const char *const OtherTables[] = {"NAME",     "NAME1",    "GROUPS", "NAMEGRPS", "ZONEID", "ZONE",
                                   "SUMMERID", "SUMMER",   "ORBIS",  "ORBISDEF", "PLACES", "STATES",
                                   "SYBOOKUK", "SYBOOKGE", "BOOKGE", "KHLPGE"};

const std::string LongText(1500, 'x');

class QuickHelp : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char *name : OtherTables)
            CreateTable(Dir.Path(), name);
        MakeTable(Dir, "HELPUK",
                  {{10LL, std::string("Line one\r\nLine two\r\n")},
                   {11LL, std::string("<p><b>Bold</b> words</p>")},
                   {12LL, std::string("Press <Enter> & go on.")},
                   {13LL, LongText},
                   {20LL, std::string("Sun help.")}});
        MakeTable(Dir, "HELPGE", {{10LL, std::string("Zeile eins")}});
        // Written out of order: the list follows the index.
        MakeTable(Dir, "KHLPUK",
                  {{std::string("SUN"), 20LL},
                   {std::string("ASPECT GRID"), 13LL},
                   {std::string("MOON"), 4711LL},
                   {std::string("BOLD"), 11LL}});
        MakeTable(Dir, "BOOKUK",
                  {{"01", "02", "01", "08", "Deep", "Scorpio rising."},
                   {"01", "18", "01", "05", "I", "Retrograde thinking."}});
        std::ofstream(Dir.Path() + "KYR_UK.TXT")
            << "167=\"Quick Help\"\n458=\"Number of keywords: \"\n684=\"Search For Help On...\"\n";
        std::ofstream(Dir.Path() + "KYR_GE.TXT") << "167=\"Schnellhilfe\"\n";
        SetProgramDirectory(Dir.Path());

        Data.SetDirectory(Dir.Path());
        Data.SetLanguage("UK");
        Data.SetActive(true);
        Language.SetCountry("UK");
        Language.SetActive(true);
        Win = std::make_unique<TQHelpWin>(Language, Data, Settings);
        Win->OnBeep = [this] { ++Beeps; };
    }
    void TearDown() override {
        Win.reset();
        SetProgramDirectory("");
    }

    void SwitchLanguage(const std::string &code) {
        Language.SetCountry(code);
        Data.SetLanguage(code);
    }
    void ChangeHelpText(long long helpNo, const std::string &text) {
        TKyrTable &help = Data.HelpTable;
        ASSERT_TRUE(help.FindKey({helpNo}));
        help.Edit();
        help.FieldByName("HelpText").SetAsString(text);
        help.Post();
    }
    QString Shown() const { return Win->TextArea()->toPlainText(); }

    TTempDir Dir;
    TDataCollection Data;
    TLanguage Language;
    TKyrSetup Settings;
    std::unique_ptr<TQHelpWin> Win;
    int Beeps = 0;
};

bool AnyBold(const QTextDocument *document) {
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().fontWeight() >= QFont::Bold)
                return true;
    return false;
}

} // namespace

TEST_F(QuickHelp, ShowsTheTextOfAHelpNumberAsPlainOrRichText) {
    struct Case {
        int HelpNo;
        QString Text;
        bool Rich;
    };
    const Case cases[] = {
        {10, "Line one\nLine two\n", false},
        {11, "Bold words", true},
        // Angle brackets that open no tag stay text.
        {12, "Press <Enter> & go on.", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.HelpNo);
        Win->ShowHelp(c.HelpNo);
        EXPECT_EQ(Shown(), c.Text);
        EXPECT_EQ(AnyBold(Win->TextArea()->document()), c.Rich);
        EXPECT_EQ(Win->HelpNo(), c.HelpNo);
        EXPECT_EQ(Win->HelpCountry(), "UK");
        EXPECT_TRUE(Win->isVisible());
        EXPECT_EQ(Win->windowTitle(), "Quick Help");
    }
    EXPECT_EQ(Beeps, 0);
    EXPECT_TRUE(Win->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(QuickHelp, AMissingOrInvalidNumberBeepsAndShowsNothing) {
    for (int helpNo : {0, -5}) {
        Win->ShowHelp(helpNo);
        EXPECT_EQ(Win->HelpNo(), -1);
        EXPECT_FALSE(Win->isVisible());
    }
    EXPECT_EQ(Beeps, 2);

    Win->ShowHelp(77);
    EXPECT_EQ(Beeps, 3);
    EXPECT_EQ(Win->HelpNo(), -1);
    EXPECT_FALSE(Win->isVisible());

    // After a missing number the next one loads, even when it is the last one shown.
    Win->ShowHelp(10);
    Win->ShowHelp(77);
    Win->ShowHelp(10);
    EXPECT_EQ(Shown(), "Line one\nLine two\n");
    EXPECT_EQ(Beeps, 4);

    // Closed tables hold no texts; nothing is thrown at the user.
    Data.SetActive(false);
    Win->ShowHelp(11);
    EXPECT_EQ(Beeps, 5);
    Win->ShowBookPassage("0102 0108");
    EXPECT_EQ(Shown(), "Book Text Not Found!");
}

TEST_F(QuickHelp, DebugHelpShowsTheMissingNumberAndAlwaysReloads) {
    Settings.Debug.DebugHelp = true;
    Win->ShowHelp(77);
    EXPECT_EQ(Beeps, 1);
    EXPECT_TRUE(Win->isVisible());
    EXPECT_EQ(Shown(), "Help Text not found: help no 77!");
    EXPECT_EQ(Win->HelpNo(), 77);
    EXPECT_EQ(Win->windowTitle(), "Quick Help[77]");

    Win->ShowHelp(10);
    ChangeHelpText(10, "Changed.");
    Win->ShowHelp(10);
    EXPECT_EQ(Shown(), "Changed.");
    EXPECT_EQ(Win->windowTitle(), "Quick Help[10]");

    Settings.Debug.DebugHelp = false;
    Win->ShowHelp(10);
    EXPECT_EQ(Win->windowTitle(), "Quick Help");
}

TEST_F(QuickHelp, TheSameNumberInTheSameLanguageLoadsOnce) {
    Win->ShowHelp(10);
    ChangeHelpText(10, "Changed.");
    Win->ShowHelp(10);
    EXPECT_EQ(Shown(), "Line one\nLine two\n") << "loaded a second time";

    // Another language reloads, with its caption.
    SwitchLanguage("GE");
    Win->ShowHelp(10);
    EXPECT_EQ(Shown(), "Zeile eins");
    EXPECT_EQ(Win->HelpCountry(), "GE");
    EXPECT_EQ(Win->windowTitle(), "Schnellhilfe");

    SwitchLanguage("UK");
    Win->ShowHelp(10);
    EXPECT_EQ(Shown(), "Changed.");

    // A book passage in between: the help text comes back.
    Win->ShowBookPassage("0102 0108");
    Win->ShowHelp(10);
    EXPECT_EQ(Shown(), "Changed.");
    EXPECT_EQ(Win->HelpNo(), 10);
}

TEST_F(QuickHelp, ShowsBookPassagesByKey) {
    struct Case {
        const char *Key;
        QString Text;
    };
    const Case cases[] = {
        {"0102 0108", "Deep\nScorpio rising."},
        // A key-word line of one character is left out.
        {"0118 0105", "Retrograde thinking."},
        {"0218 0105", "Book Text Not Found!"},
        {"0102", "Book Text Not Found!"},
        {"", "Book Text Not Found!"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Key);
        Win->ShowBookPassage(c.Key);
        EXPECT_EQ(Shown(), c.Text);
        EXPECT_EQ(Win->HelpNo(), -2);
        EXPECT_TRUE(Win->isVisible());
    }
    EXPECT_EQ(Beeps, 0);
    // The shared book table keeps the index another reader set.
    Data.BookTable.SetIndexName("ChapterOrder");
    Win->ShowBookPassage("0102 0108");
    EXPECT_EQ(Data.BookTable.IndexName(), "ChapterOrder");
}

TEST_F(QuickHelp, AHelpFileTakesOverAndAvailabilityFollowsTheWindow) {
    EXPECT_TRUE(QuickHelpAvailable());
    std::vector<int> asked;
    Win->OnHelpFile = [&asked](int context) { asked.push_back(context); };
    Win->ShowHelp(10);
    Win->ShowHelp(0);
    EXPECT_EQ(asked, std::vector<int>{10});
    EXPECT_EQ(Beeps, 1);
    EXPECT_FALSE(Win->isVisible());
    Win.reset();
    EXPECT_FALSE(QuickHelpAvailable());
}

TEST_F(QuickHelp, WebLinkBandsShowAHandAndOpenThePage) {
    for (int y : {50, 55, 60, 168, 178, 184, 194})
        EXPECT_TRUE(TQHelpWin::InWebBand(y)) << y;
    for (int y : {0, 49, 61, 167, 179, 183, 195})
        EXPECT_FALSE(TQHelpWin::InWebBand(y)) << y;

    std::vector<QUrl> opened;
    Win->OnOpenUrl = [&opened](const QUrl &url) { opened.push_back(url); };
    Win->ShowHelp(13);
    QWidget *area = Win->TextArea()->viewport();

    // Without a web address there is no link.
    QTest::mouseMove(area, QPoint(20, 55));
    EXPECT_EQ(area->cursor().shape(), Qt::IBeamCursor);
    QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(20, 55));
    EXPECT_TRUE(Win->isVisible());

    Win->WebAddress = QUrl("https://example.org/");
    QTest::mouseMove(area, QPoint(20, 30));
    EXPECT_EQ(area->cursor().shape(), Qt::IBeamCursor);
    QTest::mouseMove(area, QPoint(20, 55));
    EXPECT_EQ(area->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(20, 100));
    EXPECT_TRUE(Win->isVisible());
    EXPECT_TRUE(opened.empty());
    QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(20, 170));
    EXPECT_FALSE(Win->isVisible());
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl("https://example.org/")});
    EXPECT_EQ(area->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(QuickHelp, TakesTheInterpretationBackground) {
    Settings.Interpretation.BackgroundColor = 0x00FFE0C0; // blue FF, green E0, red C0
    Win->ShowHelp(10);
    EXPECT_EQ(Win->TextArea()->palette().color(QPalette::Base), QColor(0xC0, 0xE0, 0xFF));
    EXPECT_EQ(Win->palette().color(QPalette::Window), QColor(0xC0, 0xE0, 0xFF));
}

// The keyword dialog over the same tables.
class KeyWords : public QuickHelp {
protected:
    void SetUp() override {
        QuickHelp::SetUp();
        Dlg = std::make_unique<TKeyWordDlg>(Language, Data);
        Dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Dlg.get()));
    }
    void TearDown() override {
        Dlg.reset();
        QuickHelp::TearDown();
    }
    void ClickLine(int line) {
        QListWidget *list = Dlg->ListBox1();
        const QRect r = list->visualItemRect(list->item(line));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }

    std::unique_ptr<TKeyWordDlg> Dlg;
};

TEST_F(KeyWords, ListsTheKeywordsInIndexOrder) {
    QListWidget *list = Dlg->ListBox1();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), "ASPECT GRID");
    EXPECT_EQ(list->item(1)->text(), "BOLD");
    EXPECT_EQ(list->item(2)->text(), "MOON");
    EXPECT_EQ(list->item(3)->text(), "SUN");
    EXPECT_EQ(Dlg->HelpNos(), (std::vector<int>{13, 11, 4711, 20}));
    EXPECT_EQ(Dlg->Label1()->text(), "Number of keywords: 4");
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_EQ(Dlg->windowTitle(), "Search For Help On...");
    EXPECT_EQ(Dlg->size(), QSize(253, 331));

    // Shown again, the list is built afresh rather than added to.
    Dlg->hide();
    Dlg->show();
    EXPECT_EQ(list->count(), 4);
}

TEST_F(KeyWords, AClickShowsTheKeywordsTextAndAMissingTextHidesTheNote) {
    TKeyWordWindow *note = Dlg->Popup();
    Dlg->ListBox1Click(); // nothing selected: nothing happens
    EXPECT_FALSE(note->isVisible());

    ClickLine(3);
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->Text(), "Sun help.");
    const QListWidget *list = Dlg->ListBox1();
    EXPECT_EQ(note->PopupX, list->mapToGlobal(QPoint(list->width(), 0)).x() - 10);

    // Its first 1024 characters only.
    ClickLine(0);
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->Text(), LongText.substr(0, 1024));

    // A rich text shows its words without the markup.
    ClickLine(1);
    EXPECT_EQ(note->Text(), "Bold words");

    ClickLine(2); // MOON: help number 4711 has no text
    EXPECT_FALSE(note->isVisible());
    EXPECT_EQ(Beeps, 0);

    // The arrow keys choose as a click does.
    Dlg->activateWindow();
    Dlg->ListBox1()->setFocus();
    QTest::keyClick(Dlg->ListBox1(), Qt::Key_Down);
    EXPECT_EQ(Dlg->ListBox1()->currentRow(), 3);
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->Text(), "Sun help.");
}

TEST(KeyWordWindow, KeepsToTheScreenAndCutsLongTexts) {
    QWidget owner;
    TKeyWordWindow note(&owner);
    note.ShowStream(nullptr);
    EXPECT_FALSE(note.isVisible());

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    struct Case {
        QPoint At;
        const char *What;
    };
    const Case cases[] = {
        {{10, 20}, "inside"},
        {{screen.right() - 5, 20}, "past the right edge"},
        {{10, screen.bottom() - 2}, "past the bottom edge"},
        {{-40, -30}, "left of and above the screen"},
    };
    std::stringstream text("A short note & more words to wrap across several lines of the "
                           "note, which is 250 pixels wide.");
    text.seekg(10); // the note reads the whole stream whatever its position
    for (const Case &c : cases) {
        SCOPED_TRACE(c.What);
        note.PopupX = c.At.x();
        note.PopupY = c.At.y();
        note.ShowStream(&text);
        EXPECT_TRUE(note.isVisible());
        EXPECT_TRUE(screen.contains(note.geometry()))
            << note.geometry().x() << "," << note.geometry().y();
        EXPECT_LE(note.width(), 250 + 6);
        EXPECT_GT(note.height(), 2 * note.fontMetrics().height()); // wrapped
        if (c.At.x() >= 0 && c.At.x() + note.width() <= screen.right()) {
            EXPECT_EQ(note.x(), c.At.x());
        }
    }
    EXPECT_EQ(note.Text(), text.str());

    // A cut never splits a character: 1023 x and a two-byte character.
    std::stringstream utf8(std::string(1023, 'x') + "\xC3\xA9" + "tail");
    note.ShowStream(&utf8);
    EXPECT_EQ(note.Text(), std::string(1023, 'x'));

    note.HidePopup();
    EXPECT_FALSE(note.isVisible());
    EXPECT_TRUE(note.windowFlags() & Qt::WindowDoesNotAcceptFocus);
}
