// The interpretation window over a chart computed from the delivered ephemeris and the delivered
// English books: what it shows, what it selects, what it tells the wheel, and how it carries on
// when passages or books are missing.
#include "InterpWindow.h"

#include "Angles.h"
#include "AspectMeter.h"
#include "Calendar.h"
#include "DataCollection.h"
#include "Ephemeris.h"
#include "Horoscope.h"
#include "InterpControls.h"
#include "KyrSetup.h"
#include "Language.h"
#include "MeterColors.h"
#include "ProgramDirectory.h"
#include "StoreTestSupport.h"
#include "SymbolFonts.h"
#include "TransitMeter.h"
#include "Transits.h"
#include "Wheel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace kyr;
using namespace kyr::test;

// Failures show texts as texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

namespace fs = std::filesystem;

const char *const OtherTables[] = {"NAME",   "NAME1",    "GROUPS", "NAMEGRPS", "ZONEID",
                                   "ZONE",   "SUMMERID", "SUMMER", "ORBIS",    "ORBISDEF",
                                   "PLACES", "STATES",   "HELPUK", "KHLPUK"};

fs::path ProgramData() {
    return fs::path(KYR_PROGRAM_DIR) / "Data";
}

std::string TwoDigitCode(int n) {
    return n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

class InterpWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetProgramDirectory(KYR_PROGRAM_DIR);
        Language = new TLanguage;
        Language->SetCountry("UK");
        Language->SetActive(true);
        RegisterSymbolFonts();
    }
    static void TearDownTestSuite() {
        delete Language;
        Language = nullptr;
        SetProgramDirectory("");
    }

    void SetUp() override {
        if (!fs::exists(fs::path(KYR_PROGRAM_DIR) / EphemerisFileName))
            GTEST_SKIP() << "no ephemeris file in " << KYR_PROGRAM_DIR;
        if (!fs::exists(ProgramData() / "BOOKUK.DAT"))
            GTEST_SKIP() << "no book table in " << ProgramData();
        ASSERT_TRUE(Language->Active());
        ResetEphemeris();
        SetProgramDirectory(KYR_PROGRAM_DIR);
        Chart.FirstName = "Ann";
        Chart.LastName = "Example";
        Chart.SetBirthDate(1975.0321L);
        Chart.SetBirthTime(14.30L);
        Chart.SetLatitude(48.08L);
        Chart.SetLongitude(-11.34L);
        Chart.SetFromYear(1999);
        Chart.SetToYear(2002);
        for (int slot = 1; slot <= AspectSlotCount; ++slot)
            for (int point = 1; point <= AspectPointCount; ++point)
                Chart.SetOrb(slot, point, 8);
        Chart.SetOptions(OptionAspects | OptionTransits);
        Chart.SetActive(true);
        ASSERT_TRUE(Chart.FileAvailable());
        Setup.FromYear = 1999;
        Setup.ToYear = 2002;
    }
    void TearDown() override {
        Window.reset();
        Wheel.reset();
    }

    /// The delivered books in a scratch directory (so that a test may take passages away),
    /// the other tables empty.
    void OpenBooks(bool withBookTable = true) {
        for (const char *name : OtherTables)
            CreateTable(Dir.Path(), name);
        fs::copy_file(ProgramData() / "SYBOOKUK.DAT", fs::path(Dir.Path()) / "SYBOOKUK.DAT");
        if (withBookTable)
            fs::copy_file(ProgramData() / "BOOKUK.DAT", fs::path(Dir.Path()) / "BOOKUK.DAT");
        Data.SetDirectory(Dir.Path());
        Data.SetLanguage("UK");
        if (withBookTable)
            Data.SetActive(true);
    }

    void Open() {
        TInterpWin::TContext context;
        context.First = &Chart;
        context.Language = Language;
        context.Setup = &Setup;
        context.Data = Data.Active() ? &Data : nullptr;
        // Messages raised while the window is made go through the hook too.
        OpenWith(context);
    }
    void OpenWith(TInterpWin::TContext context) {
        context.OnInformation = [this](const QString &m) { Messages.push_back(m.toStdString()); };
        Window = std::make_unique<TInterpWin>(context);
    }

    /// The passage of a key in the book table, as the memo shows it: in paragraphs.
    QString Passage(int book, int chapter, int code3, int code4, std::string *attitude = nullptr) {
        std::ostringstream text;
        std::string key;
        Data.GetChapter(TwoDigitCode(book), TwoDigitCode(chapter), TwoDigitCode(code3),
                        TwoDigitCode(code4), key, text);
        if (attitude)
            *attitude = key;
        QStringList lines;
        for (const std::string &line : SplitTextLines(ParagraphText(text.str())))
            lines << QString::fromStdString(line);
        return lines.join(QLatin1Char('\n'));
    }
    /// The row the sub-title box shows; −1 when none.
    int CurrentRow() const {
        const int i = Window->ComboBox2->currentIndex();
        return i < 0 ? -1 : Window->ComboBox2->itemData(i).toInt();
    }
    const TTitleRow &Row(int r) const { return Window->Interpretation().Row(r); }
    QString MemoText() const { return Window->Memo->toPlainText(); }
    /// A shown window hears of its new size from the window system.
    void Resize(int width, int height) {
        Window->resize(width, height);
        QApplication::processEvents();
    }
    void Show(int width, int height) {
        Window->show();
        Resize(width, height);
    }
    QString Glyph(const std::string &utf8) const { return QString::fromStdString(utf8); }

    static inline TLanguage *Language = nullptr;
    THoroscope Chart;
    TKyrSetup Setup{
        TSetupEnvironment{KYR_PROGRAM_DIR, {}, [](const std::string &) { return false; }, {}}};
    TTempDir Dir;
    TDataCollection Data;
    std::unique_ptr<TInterpWin> Window;
    std::unique_ptr<TWheel> Wheel;
    std::vector<std::string> Messages;
};

} // namespace

TEST_F(InterpWindow, OpensOnTheFirstSubTitleWithItsPassage) {
    OpenBooks();
    Open();
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Ann Example"));
    EXPECT_TRUE(Window->RadioButton3->isChecked());
    EXPECT_EQ(Window->RadioButton3->text(), QStringLiteral("Birth Analysis"));
    EXPECT_EQ(Window->RadioButton4->text(), QStringLiteral("Dynamic Analysis (1999-2002)"));
    EXPECT_EQ(Window->Label1->text(), QStringLiteral("&Main Title: "));
    EXPECT_EQ(Window->ComboBox1->count(), 16);
    EXPECT_EQ(Window->ComboBox1->currentIndex(), 0);
    ASSERT_EQ(Window->ComboBox2->currentIndex(), 0);
    ASSERT_EQ(CurrentRow(), 0);
    const TTitleRow &row = Row(0);
    std::string attitude;
    const QString passage = Passage(1, row.ChapCode, row.Code3, row.Code4, &attitude);
    ASSERT_FALSE(passage.isEmpty());
    EXPECT_EQ(MemoText(), passage);
    EXPECT_EQ(Window->Label5->text(), QString::fromStdString(attitude));
    EXPECT_TRUE(Messages.empty());
    // The panel shows the first row's factor, the Ascendant in its sign; the meters take the
    // settings' colour.
    ASSERT_EQ(row.ChapCode, 2);
    EXPECT_EQ(Window->PanelPage(), TInterpWin::ppRelation);
    EXPECT_EQ(Window->Label4->text(), Glyph(Language->CuspGlyph(1)));
    EXPECT_EQ(Window->Label9->text(), Glyph(Language->SignGlyph(row.Code4 - 1)));
    EXPECT_EQ(Window->TransitMeter1->ForeColor(), QColor(255, 0, 0));
    EXPECT_EQ(Window->TransitMeter1->FromYear(), 1999);
    EXPECT_EQ(Window->TransitMeter1->ToYear(), 2002);
    EXPECT_EQ(Window->SpeedButton_Nvg_Next->toolTip(), QStringLiteral("Next sub-title"));
}

TEST_F(InterpWindow, ShowOperationsSelectTheirRowAndShowTheFactor) {
    OpenBooks();
    Open();
    const int sunSign = Chart.SignOfBody(0) + 1;
    const int sunHouse = Chart.HouseOfBody(0);
    const int ascSign = static_cast<int>(Chart.CuspDeg(1) / 30) + 1;
    int p1 = 0, p2 = 0, e = 0;
    Extended deviation = 0;
    ASSERT_TRUE(Chart.GetAspect(1, p1, p2, e, deviation));
    const TLanguage &l = *Language;
    struct TCase {
        const char *name;
        std::function<void()> show;
        int chapter, code3, code4; ///< the row; chapter 0: the aspect row of aspect 1
        TInterpWin::TPanelPage page;
        QString first, second; ///< Label8 or Label4/Label9
    };
    const TCase cases[] = {
        {"body",
         [&] { Window->ShowBody(5); },
         12,
         1,
         5,
         TInterpWin::ppSymbol,
         Glyph(l.BodyGlyph(4)),
         {}},
        {"sign",
         [&] { Window->ShowSign(7); },
         13,
         1,
         7,
         TInterpWin::ppSymbol,
         Glyph(l.SignGlyph(6)),
         {}},
        {"house",
         [&] { Window->ShowHouse(10); },
         14,
         1,
         10,
         TInterpWin::ppSymbol,
         QStringLiteral("10"),
         {}},
        // The 10th cusp is the MC: its glyph, not the number.
        {"angle cusp",
         [&] { Window->ShowCusp(10); },
         14,
         1,
         10,
         TInterpWin::ppSymbol,
         Glyph(l.CuspGlyph(10)),
         {}},
        {"cusp",
         [&] { Window->ShowCusp(2); },
         14,
         1,
         2,
         TInterpWin::ppSymbol,
         QStringLiteral("2"),
         {}},
        {"body in sign", [&] { Window->ShowBodyInSign(1, sunSign); }, 1, 1, sunSign,
         TInterpWin::ppRelation, Glyph(l.BodyGlyph(0)), Glyph(l.SignGlyph(sunSign - 1))},
        {"body in house", [&] { Window->ShowBodyInHouse(1, sunHouse); }, 3, 1, sunHouse,
         TInterpWin::ppRelation, Glyph(l.BodyGlyph(0)), QString::number(sunHouse)},
        {"cusp in sign", [&] { Window->ShowCuspInSign(1, ascSign); }, 2, 1, ascSign,
         TInterpWin::ppRelation, Glyph(l.CuspGlyph(1)), Glyph(l.SignGlyph(ascSign - 1))},
        {"aspect", [&] { Window->ShowAspect(1); }, 0, 0, 0, TInterpWin::ppAspect,
         Glyph(l.PointGlyph(p1)), Glyph(l.PointGlyph(p2))},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.name);
        c.show();
        const int r = CurrentRow();
        ASSERT_GE(r, 0);
        const TTitleRow &row = Row(r);
        if (c.chapter == 0) {
            EXPECT_EQ(row.Aspect, 1);
            EXPECT_TRUE(row.ChapCode == 5 || row.ChapCode == 6);
        } else {
            EXPECT_EQ(std::make_tuple(int(row.ChapCode), int(row.Code3), int(row.Code4)),
                      std::make_tuple(c.chapter, c.code3, c.code4));
        }
        EXPECT_EQ(Window->ComboBox1->currentIndex() + 1, row.Ix);
        // Side passages may come first; the row's own passage ends the text.
        const QString passage = Passage(row.Books[0], row.ChapCode, row.Code3, row.Code4);
        ASSERT_FALSE(passage.isEmpty());
        EXPECT_TRUE(MemoText().endsWith(passage)) << MemoText().toStdString();
        EXPECT_EQ(Window->PanelPage(), c.page);
        switch (c.page) {
        case TInterpWin::ppSymbol:
            EXPECT_EQ(Window->Label8->text(), c.first);
            break;
        case TInterpWin::ppRelation:
            EXPECT_EQ(Window->Label4->text(), c.first);
            EXPECT_EQ(Window->Label9->text(), c.second);
            break;
        default:
            EXPECT_EQ(Window->Label10->text(), c.first);
            EXPECT_EQ(Window->Label11->text(), c.second);
            EXPECT_EQ(Window->Label12->text(), Glyph(l.AspectGlyph(e)));
            // 100 for an exact aspect; an aspect wider than its largest orb shows none.
            EXPECT_EQ(Window->AspectMeter1->Progress(),
                      std::clamp(100 - static_cast<int>(Trunc(deviation / 0.6L / MaxOrbTable[e])),
                                 0, 100));
            break;
        }
    }
    EXPECT_EQ(Window->LastCusp(), 2);
    EXPECT_TRUE(Messages.empty()) << Messages.front();
}

TEST_F(InterpWindow, NavigatorWalksEveryRowBothWays) {
    OpenBooks();
    Open();
    const int rows = Window->Interpretation().RowCount();
    ASSERT_GT(rows, 50);

    Window->SpeedButton_Nvg_Last->click();
    EXPECT_FALSE(Window->SpeedButton_Nvg_Next->isEnabled());
    EXPECT_FALSE(Window->SpeedButton_Nvg_Last->isEnabled());
    Window->SpeedButton_Nvg_First->click();
    EXPECT_FALSE(Window->SpeedButton_Nvg_First->isEnabled());
    EXPECT_FALSE(Window->SpeedButton_Nvg_Previous->isEnabled());
    EXPECT_TRUE(Window->SpeedButton_Nvg_Next->isEnabled());
    EXPECT_TRUE(Window->SpeedButton_Nvg_Last->isEnabled());
    ASSERT_EQ(CurrentRow(), 0);

    // Next visits every row once, in table order, each with its text and the panel of its
    // factor; the end stays at the last row.
    int visited = 1;
    for (int expected = 1; expected < rows; ++expected) {
        Window->SpeedButton_Nvg_Next->click();
        ASSERT_EQ(CurrentRow(), expected);
        ++visited;
        EXPECT_FALSE(MemoText().isEmpty()) << Row(expected).TitleText;
        EXPECT_NE(Window->PanelPage(), TInterpWin::ppTransit);
    }
    EXPECT_EQ(visited, rows);
    EXPECT_TRUE(Window->SpeedButton_Nvg_First->isEnabled());
    Window->SpeedButton_Nvg_Next->click();
    EXPECT_EQ(CurrentRow(), rows - 1);

    Window->SpeedButton_Nvg_Last->click();
    EXPECT_EQ(CurrentRow(), rows - 1);
    for (int expected = rows - 2; expected >= 0; --expected) {
        Window->SpeedButton_Nvg_Previous->click();
        ASSERT_EQ(CurrentRow(), expected);
    }
    EXPECT_TRUE(Messages.empty()) << Messages.front();
}

TEST_F(InterpWindow, SelectionsAreMirroredIntoTheWheel) {
    OpenBooks();
    Open();
    Wheel = std::make_unique<TWheel>();
    Wheel->resize(400, 400);
    Wheel->SetShowAspects(true);
    Wheel->SetHoroscope(&Chart);
    Window->SetWheel(Wheel.get());
    TInterpretation &interp = Window->Interpretation();

    // The user picks rows from the sub-title box as the combo box reports it.
    const auto pick = [&](auto matches) {
        for (int r = 0; r < interp.RowCount(); ++r)
            if (matches(Row(r))) {
                Window->ComboBox1->setCurrentIndex(Row(r).Ix - 1);
                emit Window->ComboBox1->activated(Row(r).Ix - 1);
                for (int i = 0; i < Window->ComboBox2->count(); ++i)
                    if (Window->ComboBox2->itemData(i).toInt() == r) {
                        Window->ComboBox2->setCurrentIndex(i);
                        emit Window->ComboBox2->activated(i);
                    }
                return r;
            }
        return -1;
    };
    const TWheelSelection &sel = Wheel->Selection();

    int r = pick([](const TTitleRow &row) { return row.ChapCode == 1; });
    ASSERT_GE(r, 0);
    EXPECT_EQ(sel.Sign, Row(r).Code4);
    EXPECT_EQ(sel.Bodies, std::vector<int>{Row(r).Code3});
    EXPECT_EQ(Window->PanelPage(), TInterpWin::ppRelation);
    EXPECT_TRUE(Wheel->Blinking());

    r = pick([](const TTitleRow &row) { return row.ChapCode == 3; });
    ASSERT_GE(r, 0);
    EXPECT_EQ(sel.House, Row(r).Code4);
    EXPECT_EQ(sel.Sign, -1);
    EXPECT_EQ(sel.Bodies, std::vector<int>{Row(r).Code3});

    r = pick([](const TTitleRow &row) { return row.Ix == 13 && row.Code3 == 10; });
    ASSERT_GE(r, 0);
    EXPECT_EQ(sel.Sign, Row(r).Code4);
    EXPECT_EQ(sel.Axis, 4); // the MC
    EXPECT_EQ(Window->Label4->text(), Glyph(Language->CuspGlyph(10)));

    r = pick([](const TTitleRow &row) { return row.Aspect > 0; });
    ASSERT_GE(r, 0);
    EXPECT_EQ(sel.Aspect, Row(r).Aspect);
    EXPECT_EQ(Window->PanelPage(), TInterpWin::ppAspect);

    r = pick([](const TTitleRow &row) { return row.Ix == 14; });
    ASSERT_GE(r, 0);
    EXPECT_EQ(sel.Bodies, std::vector<int>{Row(r).Code4});
    EXPECT_EQ(Window->Label8->text(), Glyph(Language->BodyGlyph(Row(r).Code4 - 1)));

    // Glyph colours follow the wheel's colour mode: blue bodies, else the button shadow.
    Window->ShowBody(3);
    EXPECT_EQ(Window->Label8->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    Wheel->SetBW(true);
    Window->ShowBody(3);
    EXPECT_EQ(Window->Label8->palette().color(QPalette::WindowText),
              ButtonShadowColor(Window->palette()));
    Wheel->SetBW(false);

    // A wheel whose chart is not usable is left alone; the panel still follows.
    THoroscope idle;
    Wheel->SetHoroscope(&idle);
    Wheel->SetBlinking(false);
    r = pick([](const TTitleRow &row) { return row.Ix == 15; });
    ASSERT_GE(r, 0);
    EXPECT_TRUE(sel.Empty());
    EXPECT_EQ(Window->Label8->text(), Glyph(Language->SignGlyph(Row(r).Code4 - 1)));
    Wheel->SetHoroscope(nullptr);
}

TEST_F(InterpWindow, TransitPageShowsTheCurveAndTheClickedDate) {
    OpenBooks();
    Open();
    Wheel = std::make_unique<TWheel>();
    Wheel->resize(300, 300);
    Wheel->SetHoroscope(&Chart);
    Window->SetWheel(Wheel.get());
    Show(520, 420);

    // A transit with a row: the first one to a body.
    int transit = 0, target = 0;
    for (int k = 1; k <= Chart.TransitCount && !transit; ++k) {
        int body = 0, e = 0, from = 0, to = 0;
        Chart.GetTransit(k, body, e, target, from, to);
        if (target <= 12)
            transit = k;
    }
    ASSERT_GT(transit, 0);
    Window->ShowTransit(transit);
    EXPECT_EQ(Window->Interpretation().Interptype(), itDynamic);
    EXPECT_TRUE(Window->RadioButton4->isChecked());
    ASSERT_GE(CurrentRow(), 0);
    EXPECT_EQ(Row(CurrentRow()).Aspect, transit);
    EXPECT_EQ(Window->LastTransit(), transit);
    ASSERT_EQ(Window->PanelPage(), TInterpWin::ppTransit);
    EXPECT_EQ(Wheel->Selection().Bodies, std::vector<int>{target});

    // Walking on to the next transit row draws its curve and shows its target in the wheel.
    bool walked = false;
    for (int steps = 0; steps < 40 && !walked; ++steps) {
        Window->SpeedButton_Nvg_Next->click();
        const int r = CurrentRow();
        if (r >= 0 && (Row(r).ChapCode == 8 || Row(r).ChapCode == 9) && Row(r).Aspect != transit) {
            EXPECT_EQ(Window->LastTransit(), Row(r).Aspect);
            EXPECT_EQ(Window->PanelPage(), TInterpWin::ppTransit);
            int body = 0, e = 0, point = 0, from = 0, to = 0;
            ASSERT_TRUE(Chart.GetTransit(Row(r).Aspect, body, e, point, from, to));
            if (point > 12)
                EXPECT_EQ(Wheel->Selection().Axis, (point - 100) / 3 + 1);
            else
                EXPECT_EQ(Wheel->Selection().Bodies, std::vector<int>{point});
            walked = true;
        }
    }
    EXPECT_TRUE(walked);
    Window->ShowTransit(transit);

    // The meter holds the chart's curve, one value per bar column.
    TTransitMeter &meter = *Window->TransitMeter1;
    const int w = meter.AreaWidth();
    ASSERT_GT(w, 100);
    std::vector<Extended> curve(MaxTransitCurveLength + 1);
    ASSERT_TRUE(Chart.GetTransitCurve(transit, w, curve.data()));
    int nonZero = 0;
    for (int i = 0; i < w; ++i) {
        EXPECT_EQ(meter.Value(i), curve[i]) << i;
        nonZero += curve[i] > 0;
    }
    EXPECT_GT(nonZero, 0);

    // A click in the plot shows its date in the period caption; activation brings back the
    // year range.
    (void)Window->grab();
    const TMeterRect &plot = meter.PlotArea();
    ASSERT_FALSE(plot.Empty());
    const int x = (plot.Left + plot.Right) / 2;
    QTest::mouseClick(&meter, Qt::LeftButton, {}, QPoint(x, (plot.Top + plot.Bottom) / 2));
    const int date = TransitCursorDate(x, plot, TYearSpan{1999, 2002});
    EXPECT_EQ(Window->RadioButton4->text(),
              QString::fromStdString("Dynamic Analysis (" + YmdToDateString(date) + ")"));
    Window->FormActivate();
    EXPECT_EQ(Window->RadioButton4->text(), QStringLiteral("Dynamic Analysis (1999-2002)"));

    // A wider window gets a new curve for the wider meter.
    Resize(760, 420);
    EXPECT_GT(meter.AreaWidth(), w);
    ASSERT_TRUE(Chart.GetTransitCurve(transit, meter.AreaWidth(), curve.data()));
    EXPECT_EQ(meter.Value(meter.AreaWidth() - 1), curve[meter.AreaWidth() - 1]);
    // However wide the window, the meter never asks for more samples than a curve has.
    Resize(1600, 420);
    EXPECT_LE(meter.AreaWidth(), MaxTransitCurveLength);
    EXPECT_EQ(Window->PanelPage(), TInterpWin::ppTransit);

    // The period of the settings reaches the meter, which stays active.
    Setup.FromYear = 2000;
    Setup.ToYear = 2001;
    Window->RefreshPeriod();
    EXPECT_EQ(meter.FromYear(), 2000);
    EXPECT_EQ(meter.ToYear(), 2001);
    EXPECT_TRUE(meter.Active());

    // A transit without a curve leaves the panel empty.
    Window->ShowTransit(Chart.TransitCount + 1);
    EXPECT_EQ(Window->PanelPage(), TInterpWin::ppEmpty);
    Wheel->SetHoroscope(nullptr);
}

TEST_F(InterpWindow, MissingPassagesAndBooksLoseNothing) {
    OpenBooks();
    // Every book of the Moon in its sign goes before the window asks for it.
    const int moonSign = Chart.SignOfBody(1) + 1;
    TKyrTable books("BOOKUK", Dir.Path());
    books.Open();
    for (const char *book : {"01", "02"})
        if (books.FindKey({book, "01", "02", TwoDigitCode(moonSign)}))
            books.Delete();
    Open();
    const int rows = Window->Interpretation().RowCount();

    // A passage that goes after its row has been read: an empty text and key word, no message.
    const int sunHouse = Chart.HouseOfBody(0);
    Window->ShowBodyInHouse(1, sunHouse);
    const int sunRow = CurrentRow();
    ASSERT_GE(sunRow, 0);
    ASSERT_FALSE(MemoText().isEmpty());
    ASSERT_TRUE(books.FindKey({"01", "03", "01", TwoDigitCode(sunHouse)}));
    books.Delete();
    Window->SpeedButton_Nvg_Next->click();
    Window->SpeedButton_Nvg_Previous->click();
    ASSERT_EQ(CurrentRow(), sunRow);
    EXPECT_TRUE(MemoText().isEmpty());
    EXPECT_TRUE(Window->Label5->text().isEmpty());
    EXPECT_TRUE(Messages.empty());

    // A missing side passage leaves the rest of the text: the aspect's exactness passage and its
    // own, without the passage of the aspect's angle.
    Window->ShowAspect(1);
    const int aspectRow = CurrentRow();
    ASSERT_GE(aspectRow, 0);
    const TTitleRow &aspect = Row(aspectRow);
    int p1 = 0, p2 = 0, e = 0;
    Extended deviation = 0;
    ASSERT_TRUE(Chart.GetAspect(1, p1, p2, e, deviation));
    const int v = 1 + aspectRow;
    const int exactness =
        static_cast<int>(std::min<long long>(Trunc(deviation / 60 * 3 / MaxOrbTable[e]), 2));
    ASSERT_TRUE(books.FindKey({"01", "17", TwoDigitCode(e + 1), TwoDigitCode((v + 1) % 3 + 1)}));
    books.Delete();
    Window->SpeedButton_Nvg_Next->click();
    Window->SpeedButton_Nvg_Previous->click();
    ASSERT_EQ(CurrentRow(), aspectRow);
    EXPECT_EQ(MemoText(), Passage(1, 16, exactness + 1, v % 3 + 1) + QLatin1Char('\n') +
                              Passage(1, aspect.ChapCode, aspect.Code3, aspect.Code4));
    EXPECT_FALSE(Window->Label5->text().isEmpty());
    EXPECT_TRUE(Messages.empty());

    // No book at all: the message names the key; the window stays on the row.
    Window->ShowBodyInSign(2, moonSign);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], "Missing book information for [01 02" + TwoDigitCode(moonSign) + "]");
    ASSERT_GE(CurrentRow(), 0);
    EXPECT_EQ(Row(CurrentRow()).ChapCode, 1);
    EXPECT_EQ(Row(CurrentRow()).Code3, 2);
    EXPECT_TRUE(MemoText().isEmpty());

    // The rows are all there and the next one reads as before.
    EXPECT_EQ(Window->Interpretation().RowCount(), rows);
    const int next = CurrentRow() + 1;
    Window->SpeedButton_Nvg_Next->click();
    ASSERT_EQ(CurrentRow(), next);
    EXPECT_TRUE(MemoText().endsWith(
        Passage(Row(next).Books[0], Row(next).ChapCode, Row(next).Code3, Row(next).Code4)));
    // Going back asks again, and tells again.
    Window->SpeedButton_Nvg_Previous->click();
    EXPECT_EQ(Messages.size(), 2u);
}

TEST_F(InterpWindow, WithoutTheBookTableEveryRowTellsOfMissingBooks) {
    OpenBooks(false);
    // The collection cannot open its book table; the window gets it all the same.
    EXPECT_THROW(Data.SetActive(true), std::exception);
    TInterpWin::TContext context;
    context.First = &Chart;
    context.Language = Language;
    context.Setup = &Setup;
    context.Data = &Data;
    OpenWith(context);
    EXPECT_EQ(Window->ComboBox1->count(), 16);
    EXPECT_GT(Window->ComboBox2->count(), 0);
    const TTitleRow &row = Row(0);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], "Missing book information for [" + TwoDigitCode(row.ChapCode) + " " +
                               TwoDigitCode(row.Code3) + TwoDigitCode(row.Code4) + "]");
    EXPECT_TRUE(MemoText().isEmpty());
    Window->SpeedButton_Nvg_Next->click();
    EXPECT_EQ(CurrentRow(), 1);
    EXPECT_EQ(Messages.size(), 2u);
}

TEST(InterpWindowLayout, ControlsBesideOrAboveTheText) {
    const TInterpMetrics m;
    struct TCase {
        int width, height;
        bool sideBySide, memoVisible;
        int column;
    };
    const TCase cases[] = {
        {400, 150, true, true, 200},   // low and wide enough: half the width
        {700, 150, true, true, 300},   // the column is capped
        {260, 150, false, false, 255}, // too narrow to stand beside, too low to stand under
        {400, 170, true, true, 200},   {400, 171, false, true, 395},
        {30, 400, false, false, 25},   {31, 400, false, true, 26},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const TInterpLayout l = ArrangeInterpControls(c.width, c.height, m);
        EXPECT_EQ(l.SideBySide, c.sideBySide);
        EXPECT_EQ(l.MemoVisible, c.memoVisible);
        EXPECT_EQ(l.ColumnWidth, c.column);
        if (c.column < 200)
            continue; // too narrow for the boxes: they shrink to nothing
        // The sub-title box ends with the column, the navigator 3 pixels after the main titles.
        EXPECT_EQ(l.SubTitles.Right(), c.column);
        EXPECT_EQ(l.KeyWord.Right(), c.column);
        EXPECT_EQ(l.Panel.Right(), c.column);
        EXPECT_EQ(l.MainTitles.Left, l.SubTitles.Left);
        EXPECT_EQ(l.MainTitles.Width, l.SubTitles.Width - m.NavigatorWidth - 3);
        EXPECT_EQ(l.Navigator.Left, l.MainTitles.Right() + 3);
        EXPECT_EQ(l.Navigator.Right(), c.column);
        EXPECT_EQ(l.Navigator.Height, l.MainTitles.Height);
        EXPECT_EQ(l.Memo.Right(), c.width - 5);
        EXPECT_EQ(l.Memo.Bottom(), std::max(c.height - 5, l.Memo.Top));
        if (c.sideBySide) {
            EXPECT_EQ(l.Memo.Left, l.Navigator.Right() + 7);
            EXPECT_EQ(l.Memo.Top, l.MainTitles.Top);
        } else {
            EXPECT_EQ(l.Memo.Left, 4);
            EXPECT_EQ(l.Memo.Top, l.Panel.Bottom() + 4);
        }
    }
}

TEST_F(InterpWindow, ResizingArrangesTheWidgets) {
    OpenBooks();
    Open();
    Show(400, 150);
    EXPECT_TRUE(Window->Layout().SideBySide);
    EXPECT_EQ(Window->ComboBox2->geometry().right() + 1, 200);
    EXPECT_EQ(Window->Memo->geometry().left(), 207);
    EXPECT_TRUE(Window->Memo->isVisible());
    Resize(250, 150);
    EXPECT_FALSE(Window->Memo->isVisible());
    Resize(500, 400);
    EXPECT_TRUE(Window->Memo->isVisible());
    EXPECT_EQ(Window->Memo->geometry().top(), Window->Notebook->geometry().bottom() + 1 + 4);
    // The place of a window of its own follows it into the settings.
    EXPECT_TRUE(Setup.Windows.Interpretation.Valid);
    EXPECT_EQ(Setup.Windows.Interpretation.Width, 500);
}

TEST_F(InterpWindow, CopyTextHasTheHeadingsAndEveryLine) {
    OpenBooks();
    Open();
    Window->ShowAspect(1);
    const QString memo = MemoText();
    ASSERT_TRUE(memo.contains(QLatin1Char('\n'))) << "side passages make several lines";
    // The captions lose their accelerator marks; a doubled one stands for '&'.
    Window->RadioButton3->setText(QStringLiteral("&Birth && Analysis"));
    QString expected = QStringLiteral("Birth & Analysis\r\nMain Title:  ") +
                       Window->ComboBox1->currentText() + QStringLiteral("\r\nSub Title:  ") +
                       Window->ComboBox2->currentText() + QStringLiteral("\r\nKey Word:  ") +
                       Window->Label5->text() + QStringLiteral("\r\nProfessional\r\n");
    for (const QString &line : memo.split(QLatin1Char('\n')))
        expected += line + QStringLiteral("\r\n");
    EXPECT_EQ(Window->CopyText(), expected);
    Window->CopyToClipboard();
    EXPECT_EQ(QApplication::clipboard()->text(), expected);
}

TEST_F(InterpWindow, FontBackgroundAndMeterColourReachTheSettings) {
    OpenBooks();
    // An invalid font setting takes the memo's font; a valid one is applied.
    Open();
    ASSERT_TRUE(Setup.Interpretation.Font.Valid);
    EXPECT_EQ(QString::fromStdString(Setup.Interpretation.Font.Name),
              Window->Memo->font().family());
    Window.reset();
    Setup.Interpretation.Font = {true, "DejaVu Serif", 15, 0x800000, FontItalic};
    Open();
    EXPECT_EQ(Window->Memo->font().pointSize(), 15);
    EXPECT_TRUE(Window->Memo->font().italic());
    EXPECT_EQ(Window->Memo->palette().color(QPalette::Text), QColor(0, 0, 128));
    EXPECT_EQ(Window->MemoColour(), QColor(Qt::white));

    // Cancelled dialogs change nothing.
    Window->OnChooseFont = [](QFont &) { return false; };
    Window->OnChooseColour = [](QColor &) { return false; };
    Window->miFont->trigger();
    Window->miBackColor->trigger();
    EXPECT_EQ(Window->Memo->font().pointSize(), 15);
    EXPECT_EQ(Setup.Interpretation.BackgroundColor, SystemColorWindow);

    Window->OnChooseFont = [](QFont &font) {
        EXPECT_EQ(font.pointSize(), 15); // preset with the memo's font
        font.setPointSize(12);
        font.setBold(true);
        return true;
    };
    Window->miFont->trigger();
    EXPECT_EQ(Window->Memo->font().pointSize(), 12);
    EXPECT_EQ(Setup.Interpretation.Font.Size, 12);
    EXPECT_EQ(Setup.Interpretation.Font.Style & FontBold, FontBold);

    Window->OnChooseColour = [](QColor &colour) {
        EXPECT_EQ(colour, QColor(Qt::white));
        colour = QColor(255, 255, 224);
        return true;
    };
    Window->miBackColor->trigger();
    EXPECT_EQ(Window->MemoColour(), QColor(255, 255, 224));
    EXPECT_EQ(Setup.Interpretation.BackgroundColor, 255 | 255 << 8 | 224 << 16);

    // A right click on either meter picks the colour of both.
    Window->OnChooseColour = [](QColor &colour) {
        EXPECT_EQ(colour, QColor(255, 0, 0)); // from GraphColor
        colour = QColor(0, 128, 255);
        return true;
    };
    QTest::mouseClick(Window->AspectMeter1, Qt::RightButton);
    EXPECT_EQ(Setup.System.GraphColor, 0 | 128 << 8 | 255 << 16);
    EXPECT_EQ(Window->TransitMeter1->ForeColor(), QColor(0, 128, 255));
    EXPECT_EQ(Window->AspectMeter1->ForeColor(), QColor(0, 128, 255));
}

TEST_F(InterpWindow, PicturesOfTheWindow) {
    OpenBooks();
    Open();
    Wheel = std::make_unique<TWheel>();
    Wheel->SetHoroscope(&Chart);
    Window->SetWheel(Wheel.get());
    Show(560, 460);
    const auto save = [&](const char *name) {
        const QImage image = Window->grab().toImage();
        EXPECT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(QString::fromUtf8(KYR_PICTURE_DIR) + "/" + name)) << name;
    };
    // The most exact aspect between two bodies, for a well-filled meter.
    int aspectRow = -1;
    Extended best = 1e9;
    for (int r = 0; r < Window->Interpretation().RowCount(); ++r)
        if (Row(r).ChapCode == 5) {
            int p1 = 0, p2 = 0, e = 0;
            Extended deviation = 0;
            Chart.GetAspect(Row(r).Aspect, p1, p2, e, deviation);
            if (deviation / MaxOrbTable[e] < best) {
                best = deviation / MaxOrbTable[e];
                aspectRow = Row(r).Aspect;
            }
        }
    Window->ShowBodyInSign(1, Chart.SignOfBody(0) + 1);
    save("interp-window-relation.png");
    Window->ShowAspect(aspectRow);
    save("interp-window-aspect.png");
    Window->ShowTransit(1);
    save("interp-window-transit.png");
    Resize(640, 150);
    save("interp-window-side-by-side.png");
    Wheel->SetHoroscope(nullptr);
}

TEST(InterpWindowText, PassagesBecomeParagraphs) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"One line.", "One line.\r"},
        {"Broken where\nit was written.\r\n", "Broken where it was written.\r"},
        {"First  \r\nparagraph.\n\nSecond\rone.", "First paragraph.\r\rSecond one.\r"},
        {"Two blank\n\n\nlines.", "Two blank\r\r\rlines.\r"},
        {"\nLeading blank.", "\rLeading blank.\r"},
    };
    for (const auto &[passage, shown] : cases)
        EXPECT_EQ(ParagraphText(passage), shown) << passage;
}

TEST_F(InterpWindow, RebuildsKeepToBirthAndDynamicAnalysis) {
    OpenBooks();
    Open();
    Window->RadioButton4->click();
    ASSERT_EQ(Window->Interpretation().Interptype(), itDynamic);
    // A language change runs the current analysis again and keeps the period in the caption.
    Window->LanguageChanged();
    EXPECT_EQ(Window->Interpretation().Interptype(), itDynamic);
    EXPECT_TRUE(Window->RadioButton4->isChecked());
    EXPECT_EQ(Window->RadioButton4->text(), QStringLiteral("Dynamic Analysis (1999-2002)"));
    EXPECT_EQ(Window->ComboBox1->count(), 17);
    // A chart change goes back to the birth analysis; the printout's kinds are not for the window.
    Window->SetInterptype(itBirthAnalysis);
    EXPECT_TRUE(Window->RadioButton3->isChecked());
    Window->SetInterptype(itSynastry);
    EXPECT_EQ(Window->Interpretation().Interptype(), itBirthAnalysis);
    EXPECT_EQ(Window->ComboBox1->count(), 16);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(InterpWindow, AsAnMdiChildItKeepsItsPlaceAndRenewsTheCaptionOnActivation) {
    OpenBooks();
    Setup.Windows.Interpretation = {true, 20, 30, 480, 360, WindowNormal};
    QMdiArea area;
    area.resize(900, 700);
    area.show();
    Open();
    QMdiSubWindow *sub = area.addSubWindow(Window.get());
    Window->AttachFrame(sub);
    EXPECT_EQ(sub->geometry(), QRect(20, 30, 480, 360));
    sub->show();
    QApplication::processEvents();
    sub->move(50, 60);
    EXPECT_EQ(Setup.Windows.Interpretation.Left, 50);
    EXPECT_EQ(Setup.Windows.Interpretation.Top, 60);

    Window->TransitMeterUserHit(20000315);
    EXPECT_EQ(Window->RadioButton4->text(),
              QString::fromStdString("Dynamic Analysis (" + YmdToDateString(20000315) + ")"));
    QMdiSubWindow *other = area.addSubWindow(new QWidget);
    other->show();
    area.setActiveSubWindow(other);
    area.setActiveSubWindow(sub);
    EXPECT_EQ(Window->RadioButton4->text(), QStringLiteral("Dynamic Analysis (1999-2002)"));
    // The area owns the window now.
    (void)Window.release();
}
