// The main window's toolbar and commands, offscreen: hover bitmaps, here and now, clipboard,
// the user's and the shipped standard, window places over a restart, the language menu, the
// text-number display and the dynamic analysis. The user's settings file lies in a temporary
// directory so that no test writes the developer's files.
#include "KyrApplication.h"
#include "MainWindow.h"

#include "AspectWindow.h"
#include "ContextHelp.h"
#include "DataCollection.h"
#include "InterpWindow.h"
#include "TransitMeter.h"
#include "KyrPrinter.h"
#include "NameDlg.h"
#include "NameRecord.h"
#include "PIntDlg.h"
#include "WheelWindow.h"
#include "DynaDlg.h"
#include "Ephemeris.h"
#include "EphemerisChecksum.h"
#include "HelpViewer.h"
#include "EngineTestSupport.h"
#include "MainToolBar.h"
#include "PositionWindow.h"
#include "ProfileFile.h"
#include "ProgramDirectory.h"
#include "QuickHelpWin.h"
#include "Translation.h"
#include "Wheel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>
#include <set>

using namespace kyr;
namespace fs = std::filesystem;

namespace {

const std::string ProgramDir = KYR_PROGRAM_DIR "/";

QRect FrameRect(QWidget *form) {
    QWidget *frame = form;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        frame = sub;
    return frame->geometry();
}

class MainCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FConfig.isValid());
        UseProgramDirectory(ProgramDir);
        FIniFile = FConfig.filePath("KYR.INI").toStdString();
    }
    void TearDown() override {
        FMain.reset();
        SetProgramDirectory("");
    }

    void UseProgramDirectory(const std::string &directory) {
        FProgramDir = directory;
        SetProgramDirectory(directory);
    }

    // A user file from the standard one with some keys changed.
    void WriteUserSettings(const std::vector<std::array<std::string, 3>> &keys) {
        std::ifstream in(ProgramDir + "KYR.STD");
        std::ofstream out(FIniFile);
        out << in.rdbuf();
        out.close();
        TProfileFile ini(FIniFile);
        for (const auto &[section, key, value] : keys)
            ini.WriteString(section, key, value);
        ini.UpdateFile();
    }

    // As the program starts, without touching the window's place.
    TForm_KYR_Main &Start() {
        TSetupEnvironment environment;
        environment.ProgramDirectory = FProgramDir;
        environment.ConfigDirectory = FConfig.path().toStdString() + "/";
        environment.CanWrite = [](const std::string &) { return false; };
        FMain = std::make_unique<TForm_KYR_Main>(environment);
        FMain->OnInformation = [this](const QString &text) { FMessages.push_back(text); };
        EXPECT_TRUE(FMain->StartUp());
        FMain->KYR_Language.SetActive(false);
        FMain->KYR_Language.SetActive(true);
        FMain->PostStartUp();
        FMain->SetLoading(false);
        FMain->show();
        QApplication::processEvents();
        return *FMain;
    }

    void Restart() {
        FMain.reset();
        QApplication::processEvents();
        Start();
    }

    QAction *Item(const char *name) const { return FMain->MenuItem(name); }

    QTemporaryDir FConfig;
    std::string FIniFile;
    std::string FProgramDir;
    std::unique_ptr<TForm_KYR_Main> FMain;
    QStringList FMessages;
};

TEST_F(MainCommands, ToolbarButtonsShowTheirBitmapsAndHighlightUnderTheMouse) {
    TForm_KYR_Main &main = Start();
    TMainToolBar &bar = *main.ToolBar();
    struct TCase {
        QToolButton *Button;
        const char *Name, *Normal, *Hover, *Hint;
        bool Enabled;
    };
    const TCase cases[] = {
        {bar.OpenBtn, "OpenBtn", "32Name_1.bmp", "32Name_2.bmp", "Edit Name", true},
        {bar.SpeedButton3, "SpeedButton3", "32Horr_1.bmp", "32Horr_2.bmp", "Chart for Here and Now",
         true},
        {bar.DynaBtn, "DynaBtn", "32Dynmc1.bmp", "32Dynmc2.bmp", "Dynamic Analysis", true},
        // Enabled while the wheel window is open.
        {bar.AnimationBtn, "AnimationBtn", "32Vid1.bmp", "32Vid2.bmp", "Animations", true},
        {bar.SpeedButton_Web, "SpeedButton_Web", "32Web_1.bmp", "32Web_2.bmp",
         "Open the program's web site", false},
        {bar.HlpBtn, "HlpBtn", "32Help_1.bmp", "32Help_2.bmp", "Context Help", true},
    };
    const QDir buttons(QString::fromStdString(ProgramDir + "Buttons"));
    auto shows = [&](QToolButton *button, const char *file) {
        // Both through a pixmap, which premultiplies the soft edges the same way.
        return button->icon().pixmap(32, 32).toImage() ==
               QPixmap(buttons.filePath(QLatin1String(file))).toImage();
    };
    ASSERT_EQ(6u, std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const TCase &c = cases[i];
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(c.Button, bar.Buttons()[i]);
        EXPECT_EQ(QLatin1String(c.Name), c.Button->objectName());
        ASSERT_TRUE(bar.HasBitmaps(c.Button));
        EXPECT_TRUE(shows(c.Button, c.Normal));
        EXPECT_FALSE(shows(c.Button, c.Hover));
        EXPECT_EQ(QString::fromUtf8(c.Hint), c.Button->toolTip());
        EXPECT_EQ(c.Enabled, c.Button->isEnabled());
    }

    // The mouse over one button, then over the next: only the one under it is highlighted.
    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    QApplication::sendEvent(bar.DynaBtn, &enter);
    EXPECT_EQ(bar.DynaBtn, bar.Highlighted());
    EXPECT_TRUE(shows(bar.DynaBtn, "32Dynmc2.bmp"));
    QApplication::sendEvent(bar.SpeedButton3, &enter);
    EXPECT_EQ(bar.SpeedButton3, bar.Highlighted());
    EXPECT_TRUE(shows(bar.SpeedButton3, "32Horr_2.bmp"));
    EXPECT_TRUE(shows(bar.DynaBtn, "32Dynmc1.bmp"));
    QApplication::sendEvent(bar.SpeedButton3, &leave);
    EXPECT_EQ(nullptr, bar.Highlighted());
    EXPECT_TRUE(shows(bar.SpeedButton3, "32Horr_1.bmp"));
    // A disabled button is not highlighted.
    QApplication::sendEvent(bar.SpeedButton_Web, &enter);
    EXPECT_EQ(nullptr, bar.Highlighted());
}

TEST_F(MainCommands, HelpButtonSwitchesTheHelpModeAndOffShowsTheGeneralHelp) {
    TForm_KYR_Main &main = Start();
    ASSERT_NE(nullptr, main.ContextHelp());
    main.ToolBar()->HlpBtn->click();
    EXPECT_TRUE(main.ContextHelp()->HelpMode());
    ASSERT_NE(nullptr, QApplication::overrideCursor());
    EXPECT_EQ(Qt::WhatsThisCursor, QApplication::overrideCursor()->shape());
    main.ToolBar()->HlpBtn->click();
    EXPECT_FALSE(main.ContextHelp()->HelpMode());
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
    EXPECT_EQ(999, main.QuickHelp()->HelpNo());
}

TEST_F(MainCommands, TheWheelPageOfTheMainChartPrintsThroughTheProgramsPrintEngine) {
    TForm_KYR_Main &main = Start();
    ASSERT_TRUE(main.KYR_Horoscope_1.Active());
    ASSERT_NE(nullptr, main.Printer());
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("wheel.pdf"));
    QPrinter pdf(QPrinter::HighResolution);
    test::SetUpPdfPrinter(pdf, file);
    main.Printer()->SetPrinter(&pdf);
    TPIntDlg &dialog = main.PrintDialog();
    EXPECT_EQ(&dialog, &main.PrintDialog()) << "made once and kept";
    QStringList notices;
    dialog.OnInformation = [&](const QString &, const QString &text) { notices << text; };
    dialog.PrintWheelOnly();
    EXPECT_EQ(QStringList{"The printout has been sent to the printer."}, notices);
    EXPECT_EQ(1, test::PdfPageCount(file));
    main.Printer()->SetPrinter(nullptr);
}

TEST_F(MainCommands, ContextHelpComesFromTheNearestOwnerInTheSameWindow) {
    TForm_KYR_Main &main = Start();
    main.OpenChild(TChildKind::Interpretation);
    QDialog dialog(&main); // a dialog without help of its own
    QLabel inDialog(&dialog);
    struct TCase {
        const char *What;
        const QObject *Widget;
        int Help;
    };
    const TCase cases[] = {
        {"main window", &main, TForm_KYR_Main::HelpContext},
        {"toolbar", main.ToolBar(), TMainToolBar::HelpContext},
        {"here-and-now button", main.ToolBar()->SpeedButton3, TMainToolBar::HereAndNowHelpContext},
        {"help button, inside the toolbar", main.ToolBar()->HlpBtn, TMainToolBar::HelpContext},
        {"interpretation window", main.InterpWindow(), TInterpWin::HelpContext},
        {"transit meter", main.InterpWindow()->TransitMeter1, TInterpWin::TransitMeterHelpContext},
        {"a dialog owned by the main window", &inDialog, 0},
    };
    for (const TCase &c : cases)
        EXPECT_EQ(c.Help, TContextHelp::HelpContextOf(c.Widget)) << c.What;
}

TEST_F(MainCommands, HereAndNowOnStartupIsWrittenAtOnceAndFollowedAtTheNextStart) {
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on);
        WriteUserSettings(
            {{{"System", "HereAndNow", on ? "0" : "1"}}, {{"System", "SaveOnExit", "0"}}});
        Start();
        QAction *item = Item("smHoroscopeforHere");
        EXPECT_EQ(!on, item->isChecked());
        item->trigger();
        EXPECT_EQ(on, item->isChecked());
        EXPECT_EQ(on ? "1" : "0", TProfileFile(FIniFile).ReadString("System", "HereAndNow", "?"));
        Restart();
        EXPECT_EQ(on, Item("smHoroscopeforHere")->isChecked());
        EXPECT_EQ(on, FMain->KYR_Horoscope_1.Active());
        FMain.reset();
    }
}

TEST_F(MainCommands, MissingBitmapsLeaveCaptionedButtons) {
    QTemporaryDir empty;
    TMainToolBar bar(empty.path());
    for (QToolButton *button : bar.Buttons()) {
        EXPECT_FALSE(bar.HasBitmaps(button)) << button->objectName().toStdString();
        EXPECT_FALSE(button->text().isEmpty());
    }
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(bar.HlpBtn, &enter);
    EXPECT_TRUE(bar.HlpBtn->icon().isNull());
}

TEST_F(MainCommands, HereAndNowFromTheToolbarAndTheMenu) {
    struct TCase {
        const char *Name;
        std::function<void(TForm_KYR_Main &)> Command;
    };
    const TCase cases[] = {
        {"toolbar", [](TForm_KYR_Main &m) { m.ToolBar()->SpeedButton3->click(); }},
        {"menu", [](TForm_KYR_Main &m) { m.MenuItem("miHereAndNow")->trigger(); }},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        WriteUserSettings({{{"System", "HereAndNow", "0"}}});
        TForm_KYR_Main &main = Start();
        const THoroscope &h = main.KYR_Horoscope_1;
        ASSERT_FALSE(h.Active());
        ASSERT_EQ("New York", h.PlaceName);
        const QDate today = QDate::currentDate();
        c.Command(main);
        ASSERT_TRUE(h.Active());
        EXPECT_EQ("London", h.PlaceName);
        EXPECT_EQ("Current Session", h.FirstName);
        EXPECT_EQ(today.year() * 10000 + today.month() * 100 + today.day(),
                  static_cast<int>(std::lround(static_cast<double>(h.BirthDate() * 10000))));
        EXPECT_TRUE(main.SummaryLabel()->text().contains("London"));
        for (QMdiSubWindow *sub : main.MdiArea()->subWindowList())
            EXPECT_EQ("Current Session ", sub->windowTitle());
        FMain.reset();
    }
}

TEST_F(MainCommands, HereAndNowWithoutAHerePlaceAsksForOneFirst) {
    WriteUserSettings({{{"System", "HereAndNow", "0"}}, {{"Startup", "Place", ""}}});
    TForm_KYR_Main &main = Start();
    const THoroscope &h = main.KYR_Horoscope_1;
    // Nobody to ask: a notice, and the chart stays as it was.
    main.OnDefineHere = nullptr;
    main.ToolBar()->SpeedButton3->click();
    EXPECT_FALSE(h.Active());
    ASSERT_EQ(1, FMessages.size());
    EXPECT_TRUE(FMessages[0].startsWith("Please choose the place for the here-and-now chart"));
    // The user gives no place: nothing happens.
    int asked = 0;
    main.OnDefineHere = [&] { return ++asked, false; };
    main.ToolBar()->SpeedButton3->click();
    EXPECT_EQ(1, asked);
    EXPECT_FALSE(h.Active());
    // The user picks Paris: the chart is drawn there.
    main.OnDefineHere = [&] {
        ++asked;
        main.Settings().SetPlace("France, Paris");
        return true;
    };
    main.ToolBar()->SpeedButton3->click();
    EXPECT_EQ(2, asked);
    ASSERT_TRUE(h.Active());
    EXPECT_EQ("Paris", h.PlaceName);
    // Now that a place is known nobody is asked again.
    main.ToolBar()->SpeedButton3->click();
    EXPECT_EQ(2, asked);
    EXPECT_EQ(1, FMessages.size());
}

TEST_F(MainCommands, CopyToClipboardTakesTheWheelPictureWhileTheWheelWindowIsInFront) {
    TForm_KYR_Main &main = Start();
    QAction *copy = Item("miCopyToClipboard");
    ASSERT_NE(nullptr, main.WheelWindow());
    main.MdiArea()->setActiveSubWindow(main.WheelWindow());
    QApplication::processEvents();
    EXPECT_TRUE(copy->isEnabled());
    QApplication::clipboard()->clear();
    copy->trigger();
    const QImage image = QApplication::clipboard()->image();
    ASSERT_FALSE(image.isNull());
    QWidget *form = main.WheelWindow()->widget();
    EXPECT_EQ(form->size() * form->devicePixelRatio(), image.size());
    // A drawn wheel, not an empty area: many colours.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 20);

    // A table window in front: its table as text.
    main.MenuItem("miPlanetPositionGrid")->trigger();
    main.MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(main.Positions()->Frame()));
    QApplication::processEvents();
    ASSERT_NE(main.WheelWindow(), main.MdiArea()->currentSubWindow());
    EXPECT_TRUE(copy->isEnabled());
    QApplication::clipboard()->clear();
    copy->trigger();
    EXPECT_EQ(main.Positions()->ClipboardText(), QApplication::clipboard()->text());
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("Body\t")));
    main.MdiArea()->setActiveSubWindow(main.WheelWindow());
    QApplication::processEvents();
    EXPECT_TRUE(copy->isEnabled());
}

TEST_F(MainCommands, RestartPutsTheWindowsBackWhereTheyWere) {
    // Saved on exit, or by "Save As Your Standard" with saving on exit switched off (then the
    // later moves are forgotten).
    for (const bool saveAs : {false, true}) {
        SCOPED_TRACE(saveAs ? "save as your standard" : "save on exit");
        std::remove(FIniFile.c_str());
        TForm_KYR_Main &main = Start();
        const QRect mainPlace(60, 40, 1100, 760);
        main.setGeometry(mainPlace);
        main.MenuItem("miPlanetPositionGrid")->trigger();
        main.MenuItem("miAspectGrid")->trigger();
        QApplication::processEvents();
        const QRect wheelPlace(300, 10, 420, 400);
        const QRect positionsPlace(15, 25, 310, 330);
        main.WheelWindow()->setGeometry(wheelPlace);
        main.Positions()->Frame()->setGeometry(positionsPlace);
        main.Aspects()->Frame()->close(); // a closed window keeps its place
        QApplication::processEvents();
        if (saveAs) {
            main.MenuItem("miSaveOnExit")->trigger();
            main.MenuItem("miSaveAsYourStandard")->trigger();
            main.WheelWindow()->setGeometry(400, 100, 300, 300);
            main.setGeometry(10, 10, 900, 700);
        }
        main.MenuItem("miExit")->trigger();

        Restart();
        TForm_KYR_Main &again = *FMain;
        EXPECT_EQ(mainPlace, again.geometry());
        ASSERT_NE(nullptr, again.WheelWindow());
        EXPECT_EQ(wheelPlace, again.WheelWindow()->geometry());
        ASSERT_NE(nullptr, again.Positions());
        EXPECT_EQ(positionsPlace, FrameRect(again.Positions()));
        // Save As forgets the windows that are not open; a plain exit reopens them.
        EXPECT_EQ(!saveAs, again.Aspects() != nullptr);
        EXPECT_EQ(nullptr, again.Cusps());
        FMain.reset();
    }
}

// A damaged settings file cannot put a window out of reach: the main window lies on the
// screen, no larger than it, a child window inside the main window; so they are written back.
TEST_F(MainCommands, WindowPlacesOffTheScreenAreBroughtBack) {
    QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_NE(nullptr, screen);
    const QRect available = screen->availableGeometry();
    // On the screen, no larger than it unless the window's smallest size is. The client area
    // may lie a frame's few pixels further in than the place that was asked for.
    auto reachable = [&](const QRect &r, const QSize &least) {
        return r.left() >= available.left() && r.top() >= available.top() &&
               r.right() <= available.right() + 4 && r.bottom() <= available.bottom() + 4 &&
               r.width() <= std::max(available.width(), least.width()) &&
               r.height() <= std::max(available.height(), least.height());
    };
    for (const char *mainPlace : {"3000,3000,1000,700,0", "0,0,40000,30000,0",
                                  "-2147483648,-2147483648,2147483647,2147483647,0"}) {
        SCOPED_TRACE(mainPlace);
        WriteUserSettings({{{"System", "SaveOnExit", "1"}},
                           {{"Windows", "Main", mainPlace}},
                           {{"Windows", "Wheel", "5000,-5000,300,300,0"}},
                           {{"Windows", "Planets", "20,20,99999,99999,0"}}});
        TForm_KYR_Main &main = Start();
        const QRect place = main.geometry();
        const QSize least = main.minimumSizeHint();
        EXPECT_TRUE(reachable(place, least)) << place.x() << "," << place.y() << " "
                                             << place.width() << "x" << place.height();
        const TWindowPlace &wheel = main.Settings().Windows.Wheel;
        EXPECT_GE(wheel.Left, 0);
        EXPECT_EQ(wheel.Top, 0);
        EXPECT_LE(wheel.Left + wheel.Width, place.width());
        const TWindowPlace &planets = main.Settings().Windows.Planets;
        EXPECT_LE(planets.Width, place.width());
        EXPECT_LE(planets.Height, place.height());
        main.MenuItem("miExit")->trigger();
        FMain.reset();

        const TProfileFile written(FIniFile);
        const TWindowPlace stored =
            ParseWindowPlace(written.ReadString("Windows", "Main", ""), TWindowPlace{});
        ASSERT_TRUE(stored.Valid);
        EXPECT_TRUE(reachable(QRect(stored.Left, stored.Top, stored.Width, stored.Height), least))
            << WindowPlaceText(stored);
        const TWindowPlace storedPlanets =
            ParseWindowPlace(written.ReadString("Windows", "Planets", ""), TWindowPlace{});
        EXPECT_LE(storedPlanets.Width, available.width());
    }
}

TEST_F(MainCommands, LoadingAStandardBringsBackItsSettingsAndWindows) {
    WriteUserSettings({{{"System", "HouseSystem", "2"}},
                       {{"System", "HideAspects", "1"}},
                       {{"Windows", "Planets", "30,20,280,300,0"}},
                       {{"Windows", "Wheel", "400,10,300,300,0"}}});
    TForm_KYR_Main &main = Start();
    THoroscope &h = main.KYR_Horoscope_1;
    EXPECT_EQ(HouseEqual, h.HouseSystem());
    main.MenuItem("smKoch")->trigger();
    main.MenuItem("smHide")->trigger(); // shows the aspect lines again
    main.Positions()->Frame()->close();
    QApplication::processEvents();
    ASSERT_EQ(nullptr, main.Positions());

    struct TCase {
        const char *Item;
        int HouseSystem;
        const char *Marked;
        bool Hide;
        bool Positions;
    };
    const TCase cases[] = {
        {"miLoadKyrStandard", HousePlacidus, "smPlacidus", false, false},
        {"miLoadYourStandard", HouseEqual, "smEqual", true, true},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Item);
        main.MenuItem(c.Item)->trigger();
        QApplication::processEvents();
        EXPECT_EQ(c.HouseSystem, h.HouseSystem());
        EXPECT_EQ(c.HouseSystem, main.Settings().HouseSystem());
        EXPECT_TRUE(main.MenuItem(c.Marked)->isChecked());
        EXPECT_EQ(c.Hide, main.MenuItem("smHide")->isChecked());
        ASSERT_NE(nullptr, main.Wheel());
        EXPECT_EQ(!c.Hide, main.Wheel()->ShowAspects());
        EXPECT_EQ(c.Positions, main.Positions() != nullptr);
        if (main.Positions()) {
            EXPECT_EQ(QRect(30, 20, 280, 300), FrameRect(main.Positions()));
        }
    }
}

TEST_F(MainCommands, CommandsOfLaterDialogsArePresentButGreyed) {
    TForm_KYR_Main &main = Start();
    const struct {
        const char *Name;
        bool Enabled;
    } items[] = {
        {"miFileNew", true},       {"miOpenName", true},           {"miEditName", true},
        {"miImportNames", true},   {"smDefineHere", true},         {"smDefineNow", true},
        {"miAtlas", true},         {"smUserDefinedOrbs", true},    {"miUsingHelp", true},
        {"miSearchForHelpOn", true}, {"miPrintWheel", true},       {"miPrintInterpretation", true},
        {"miPrintBook", true},     {"miPrintSetup", true},         {"miOnlineHelp", true},
    };
    for (const auto &i : items) {
        QAction *item = main.MenuItem(i.Name);
        ASSERT_NE(nullptr, item) << i.Name;
        EXPECT_EQ(i.Enabled, item->isEnabled()) << i.Name;
        EXPECT_FALSE(item->text().isEmpty()) << i.Name;
    }
    // The working ones carry their text numbers.
    EXPECT_EQ(1094, Tag(main.MenuItem("miCopyToClipboard")));
    EXPECT_EQ("&Copy To Clipboard", main.MenuItem("miCopyToClipboard")->text());
    EXPECT_EQ(QKeySequence(Qt::CTRL | Qt::Key_C), main.MenuItem("miCopyToClipboard")->shortcut());
    // "Close Name" closes the wheel window.
    ASSERT_NE(nullptr, main.WheelWindow());
    main.MenuItem("miCloseName")->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    EXPECT_EQ(nullptr, main.WheelWindow());
    EXPECT_FALSE(main.ToolBar()->AnimationBtn->isEnabled());
}

TEST_F(MainCommands, DynamicAnalysisDialogSetsTheTransitSpan) {
    struct TCase {
        const char *Name;
        bool Ok;
        int From, To;
    };
    TForm_KYR_Main &main = Start();
    THoroscope &h = main.KYR_Horoscope_1;
    const int from = h.FromYear(), to = h.ToYear();
    const TCase cases[] = {
        {"DynaBtn", false, from, to},
        {"miDynamicAnalysis", true, 2010, 2012},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        bool shown = false;
        QTimer::singleShot(0, &main, [&] {
            TDynaDlg *dialog = main.DynaDlg();
            ASSERT_NE(nullptr, dialog);
            shown = dialog->isVisible();
            dialog->findChild<QLineEdit *>("Edit2")->setText("2010");
            dialog->findChild<QLineEdit *>("Edit4")->setText("2012");
            dialog->findChild<QPushButton *>(c.Ok ? "Button1" : "Button2")->click();
        });
        if (std::string(c.Name) == "DynaBtn")
            main.ToolBar()->DynaBtn->click();
        else
            main.MenuItem(c.Name)->trigger();
        EXPECT_TRUE(shown);
        EXPECT_EQ(c.From, main.Settings().FromYear);
        EXPECT_EQ(c.From, h.FromYear());
        EXPECT_EQ(c.To, h.ToYear());
        EXPECT_TRUE(h.Active());
    }
}

TEST_F(MainCommands, LanguageTestModeShowsTextNumbersOnF12) {
    for (const bool testMode : {false, true}) {
        SCOPED_TRACE(testMode);
        WriteUserSettings({{{"Debug", "TagLanguage", testMode ? "1" : "0"}}});
        FMessages.clear();
        TForm_KYR_Main &main = Start();
        EXPECT_EQ(testMode, FMessages.contains("Language test mode is ON"));
        QAction *file = main.MenuItem("mnFile");
        QString shownCaption;
        bool boxShown = false;
        QTimer::singleShot(50, &main, [&] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                boxShown = true;
                shownCaption = file->text();
                box->close();
            }
        });
        QTest::keyClick(&main, Qt::Key_F12);
        QTest::qWait(100);
        EXPECT_EQ(testMode, boxShown);
        if (testMode) {
            EXPECT_EQ("[1053]", shownCaption);
        }
        EXPECT_EQ("&File", file->text());
        FMain.reset();
    }
}

// A program directory at to that links every file of the build's, except the tables named in
// own, which are copied so that the test may change them.
void LinkProgramDirectory(const fs::path &to, const std::set<std::string> &own) {
    for (const auto &entry : fs::directory_iterator(ProgramDir))
        if (entry.path().filename() != "Data")
            fs::create_symlink(entry.path(), to / entry.path().filename());
    fs::create_directory(to / "Data");
    for (const auto &entry : fs::directory_iterator(ProgramDir + "Data")) {
        const std::string name = entry.path().filename().string();
        if (own.count(name))
            fs::copy_file(entry.path(), to / "Data" / name);
        else
            fs::create_symlink(entry.path(), to / "Data" / name);
    }
}

// A program directory with a second language, "GE": its texts and its own copies of the
// per-language tables; everything else is the build's.
class SecondLanguage : public MainCommands {
protected:
    void SetUp() override {
        MainCommands::SetUp();
        ASSERT_TRUE(FProgram.isValid());
        const fs::path to = FProgram.path().toStdString();
        LinkProgramDirectory(to, {});
        for (const char *table : {"BOOK", "HELP", "KHLP", "SYBOOK"})
            fs::copy_file(ProgramDir + "Data/" + table + "UK.DAT",
                          to / "Data" / (std::string(table) + "GE.DAT"));
        fs::copy_file(ProgramDir + "KYR_UK.TXT", to / "KYR_GE.TXT");
        std::ofstream(to / "KYR_GE.TXT", std::ios::app) << "\n1053=\"&Datei\"\n"
                                                           "850=\"Namen bearbeiten\"\n"
                                                           "1094=\"&Kopieren\"\n";
        UseProgramDirectory(FProgram.path().toStdString() + "/");
        WriteUserSettings({{{"Languages", "Country2", "GE Deutsch"}},
                           {{"Languages", "Country3", "SP Español"}},
                           {{"System", "HereAndNow", "0"}}});
    }
    QTemporaryDir FProgram;
};

// A program directory whose person tables are the test's own copies.
class OwnPersons : public MainCommands {
protected:
    void SetUp() override {
        MainCommands::SetUp();
        ASSERT_TRUE(FProgram.isValid());
        LinkProgramDirectory(FProgram.path().toStdString(),
                             {"NAME.DAT", "NAME1.DAT", "NAMEGRPS.DAT", "GROUPS.DAT"});
        UseProgramDirectory(FProgram.path().toStdString() + "/");
    }
    QTemporaryDir FProgram;
};

// A program directory of the test's own, so that files may be put into it and taken away.
class OwnProgramDirectory : public MainCommands {
protected:
    void SetUp() override {
        MainCommands::SetUp();
        ASSERT_TRUE(FProgram.isValid());
        LinkProgramDirectory(FProgram.path().toStdString(), {});
        UseProgramDirectory(FProgram.path().toStdString() + "/");
    }
    QTemporaryDir FProgram;
};

TEST_F(OwnProgramDirectory, SaveAsYourStandardRemovesOnlyTheFirstStartFileOfTheProgram) {
    // The program may be started from any folder; the one there is not the program's.
    QTemporaryDir working;
    ASSERT_TRUE(working.isValid());
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(working.path()));
    const QString inWorking = working.filePath("KyrFirst.ini");
    const QString inProgram = FProgram.filePath("KyrFirst.ini");
    for (const QString &name : {inWorking, inProgram}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    TForm_KYR_Main &main = Start();
    main.MenuItem("miSaveAsYourStandard")->trigger();
    EXPECT_TRUE(QFile::exists(inWorking));
    EXPECT_FALSE(QFile::exists(inProgram));
    FMain.reset();
    QDir::setCurrent(before);
}

TEST_F(OwnProgramDirectory, ADamagedEphemerisStopsTheStartWithItsNameAndNoChart) {
    const fs::path ephemeris = fs::path(FProgramDir) / EphemerisFileName;
    fs::remove(ephemeris); // the link to the build's file
    std::ofstream(ephemeris, std::ios::binary)
        << std::string(fs::file_size(ProgramDir + EphemerisFileName), '\0');
    ResetEphemeris();
    TSetupEnvironment environment;
    environment.ProgramDirectory = FProgramDir;
    environment.ConfigDirectory = FConfig.path().toStdString() + "/";
    environment.CanWrite = [](const std::string &) { return false; };
    FMain = std::make_unique<TForm_KYR_Main>(environment);
    // The shipped standard starts with the chart of here and now.
    try {
        FMain->StartUp();
        ADD_FAILURE() << "started";
    } catch (const EEphemerisDamaged &e) {
        EXPECT_NE(std::string(e.what()).find(ephemeris.string() + " is damaged"), std::string::npos)
            << e.what();
    }
    EXPECT_FALSE(FMain->KYR_Horoscope_1.Active());
    FMain.reset();
    ResetEphemeris();
}

TEST_F(OwnPersons, APersonDroppedOnTheWheelGoesIntoTheChartUnderIt) {
    TForm_KYR_Main &main = Start();
    TNameRecord r;
    r.FirstName = "Mary Ann";
    r.LastName = "Smith";
    r.BirthCountry = "France";
    r.BirthTown = "Paris";
    r.BirthDate = "19700315";
    r.BirthTime = "083000";
    r.Latitude = 4852;   // 48N52
    r.Longitude = -220;  // 2E20
    r.TimeZone = "0100E";
    r.SummerTime = "+0000";
    SaveName(*main.Data(), r);
    ASSERT_NE(nullptr, main.WheelWin());
    ASSERT_TRUE(main.WheelWin()->OnNameDropped);
    THoroscope &second = main.KYR_Horoscope_2;
    main.WheelWin()->OnNameDropped("Mary Ann Smith", {}, &second);
    EXPECT_TRUE(second.Active());
    EXPECT_EQ("Mary Ann", second.FirstName);
    EXPECT_EQ("Smith", second.LastName);
    EXPECT_EQ("Paris", second.PlaceName);
    // A name the table lacks leaves the chart as it was.
    const std::string before = main.KYR_Horoscope_1.FirstName;
    main.WheelWin()->OnNameDropped("Nobody Known", {}, &main.KYR_Horoscope_1);
    EXPECT_EQ(before, main.KYR_Horoscope_1.FirstName);
    // The name list opens from the View menu, once.
    main.MenuItem("miNameList")->trigger();
    QWidget *list = main.OpenChild(TChildKind::NameList);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(list, main.OpenChild(TChildKind::NameList));
}

TEST_F(SecondLanguage, ChoosingALanguageTranslatesTheWindowAndSwitchesTheTables) {
    TForm_KYR_Main &main = Start();
    QAction *menu = main.MenuItem("mnLanguage");
    ASSERT_NE(nullptr, menu);
    EXPECT_TRUE(menu->isVisible());
    struct TSlot {
        const char *Item, *Caption;
        bool Enabled, Checked;
    };
    auto expectSlots = [&](std::initializer_list<TSlot> expected) {
        for (const TSlot &s : expected) {
            QAction *item = main.MenuItem(s.Item);
            SCOPED_TRACE(s.Item);
            EXPECT_TRUE(item->isVisible());
            EXPECT_EQ(QString::fromUtf8(s.Caption), item->text());
            EXPECT_EQ(s.Enabled, item->isEnabled()); // SP has no book
            EXPECT_EQ(s.Checked, item->isChecked());
        }
        EXPECT_FALSE(main.MenuItem("smLngv4")->isVisible());
    };
    expectSlots({{"smLngv1", "English", true, true},
                 {"smLngv2", "Deutsch", true, false},
                 {"smLngv3", "Español", false, false}});

    main.MenuItem("smLngv2")->trigger();
    EXPECT_EQ("GE", main.KYR_Language.Country());
    EXPECT_EQ("GE", main.Data()->LanguageCode());
    EXPECT_EQ(2, main.Settings().Selected());
    EXPECT_EQ("&Datei", main.MenuItem("mnFile")->text());
    EXPECT_EQ("&Kopieren", main.MenuItem("miCopyToClipboard")->text());
    EXPECT_EQ("Namen bearbeiten", main.ToolBar()->OpenBtn->toolTip());
    expectSlots({{"smLngv1", "English", true, false},
                 {"smLngv2", "Deutsch", true, true},
                 {"smLngv3", "Español", false, false}});

    // The user's file still selects English; the language chosen in this session stays.
    main.MenuItem("miLoadYourStandard")->trigger();
    EXPECT_EQ("GE", main.KYR_Language.Country());
    EXPECT_EQ("GE", main.Data()->LanguageCode());
    EXPECT_EQ("&Datei", main.MenuItem("mnFile")->text());
    EXPECT_TRUE(main.MenuItem("smLngv2")->isChecked());

    main.MenuItem("smLngv1")->trigger();
    EXPECT_EQ("UK", main.KYR_Language.Country());
    EXPECT_EQ("&File", main.MenuItem("mnFile")->text());
    EXPECT_EQ("Edit Name", main.ToolBar()->OpenBtn->toolTip());
}

TEST_F(MainCommands, OneLanguageHidesTheLanguageMenu) {
    TForm_KYR_Main &main = Start();
    ASSERT_NE(nullptr, main.MenuItem("mnLanguage"));
    EXPECT_FALSE(main.MenuItem("mnLanguage")->isVisible());
    EXPECT_EQ("English", main.MenuItem("smLngv1")->text());
    EXPECT_TRUE(main.MenuItem("smLngv1")->isChecked());
}

} // namespace

TEST_F(MainCommands, OnlineHelpAndManualShowTheManualInsideTheProgram) {
    TForm_KYR_Main &main = Start();
    std::vector<QUrl> opened;
    main.OnOpenUrl = [&](const QUrl &url) {
        opened.push_back(url);
        return true;
    };
    ASSERT_TRUE(main.MenuItem("miOnlineHelp")->isEnabled());
    main.MenuItem("miOnlineHelp")->trigger();
    THelpViewer *viewer = main.HelpViewer();
    ASSERT_NE(nullptr, viewer);
    EXPECT_TRUE(viewer->isVisible());
    const QUrl source = viewer->Browser()->source();
    EXPECT_EQ(QFileInfo(QString::fromStdString(ProgramDir + "Manual/Manual.htm")).absoluteFilePath(),
              source.toLocalFile());
    EXPECT_EQ(QStringLiteral("contents"), source.fragment());
    // The manual item shows the same window at the start of the manual.
    main.MenuItem("miManual")->trigger();
    EXPECT_EQ(viewer, main.HelpViewer());
    EXPECT_TRUE(viewer->Browser()->source().fragment().isEmpty());
    // Nothing went to the desktop's browser until asked, and then through the program's opener.
    EXPECT_TRUE(opened.empty());
    viewer->OpenInBrowser();
    ASSERT_EQ(1u, opened.size());
    EXPECT_TRUE(opened[0].isLocalFile());
}

// The shipped settings with the home page of the web button set to a value.
class HomePageSetting : public OwnProgramDirectory,
                        public ::testing::WithParamInterface<const char *> {
protected:
    void SetUp() override {
        OwnProgramDirectory::SetUp();
        const fs::path standard = fs::path(FProgram.path().toStdString()) / "KYR.STD";
        fs::remove(standard);
        fs::copy_file(ProgramDir + "KYR.STD", standard);
        TProfileFile file(standard.string());
        file.WriteString("Program", "HomePage", GetParam());
        file.UpdateFile();
    }
};

TEST_P(HomePageSetting, TheWebButtonIsShownOnlyWithAHomePageAndOpensIt) {
    TForm_KYR_Main &main = Start();
    const QString home = QString::fromUtf8(GetParam());
    QToolButton *web = main.ToolBar()->SpeedButton_Web;
    EXPECT_EQ(!home.isEmpty(), web->isVisibleTo(main.ToolBar()));
    EXPECT_EQ(home, main.HomePage());
    if (home.isEmpty())
        return;
    EXPECT_TRUE(web->isEnabled());
    std::vector<QUrl> opened;
    bool starts = true;
    main.OnOpenUrl = [&](const QUrl &url) {
        opened.push_back(url);
        return starts;
    };
    web->click();
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(QUrl(home), opened[0]);
    EXPECT_TRUE(FMessages.empty());
    // A browser that does not start is reported, naming the address.
    starts = false;
    web->click();
    ASSERT_EQ(1, FMessages.size());
    EXPECT_TRUE(FMessages[0].contains(home)) << FMessages[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(MainCommands, HomePageSetting,
                         ::testing::Values("", "https://example.org/kyr/"));

// Edit Name, from the menu and from the toolbar, shows the person of the chart, also after a
// drop from the name list has put another person into it.
TEST_F(OwnPersons, EditNameShowsThePersonOfTheChart) {
    TForm_KYR_Main &main = Start();
    for (const char *first : {"Anna", "Bert"}) {
        TNameRecord r;
        r.FirstName = first;
        r.LastName = "Smith";
        r.BirthCountry = "France";
        r.BirthTown = "Paris";
        r.BirthDate = "19700315";
        r.BirthTime = "083000";
        r.Latitude = 4852;
        r.Longitude = -220;
        r.TimeZone = "0100E";
        r.SummerTime = "+0000";
        SaveName(*main.Data(), r);
    }
    // Runs the command; the modal dialog is handed to answer, which closes it.
    const auto withDialog = [&](const std::function<void()> &command,
                                const std::function<void(TNameDlg &)> &answer) {
        bool seen = false;
        QTimer::singleShot(0, &main, [&] {
            auto *dialog = qobject_cast<TNameDlg *>(QApplication::activeModalWidget());
            ASSERT_NE(nullptr, dialog);
            seen = true;
            answer(*dialog);
        });
        command();
        EXPECT_TRUE(seen);
    };
    withDialog([&] { main.MenuItem("miFileNew")->trigger(); }, [](TNameDlg &dialog) {
        dialog.LoadName("Anna", "Smith");
        dialog.findChild<QPushButton *>("Button_OK")->click();
    });
    ASSERT_EQ("Anna", main.KYR_Horoscope_1.FirstName);
    ASSERT_NE(nullptr, main.WheelWin());
    main.WheelWin()->OnNameDropped("Bert Smith", {}, &main.KYR_Horoscope_1);
    ASSERT_EQ("Bert", main.KYR_Horoscope_1.FirstName);
    const std::function<void()> commands[] = {
        [&] { main.MenuItem("miEditName")->trigger(); },
        [&] { main.ToolBar()->OpenBtn->click(); },
    };
    for (const auto &command : commands) {
        std::string shown;
        withDialog(command, [&](TNameDlg &dialog) {
            shown = dialog.FirstName() + " " + dialog.LastName();
            dialog.reject();
        });
        EXPECT_EQ("Bert Smith", shown);
    }
}
