// The main window started offscreen against the build's program directory, with the user's
// settings file in a temporary directory so that no test writes the developer's files.
#include "MainWindow.h"
#include "KyrApplication.h"

#include "AskDlg.h"
#include "AspectWindow.h"
#include "CuspWindow.h"
#include "DataCollection.h"
#include "HereNow.h"
#include "PositionWindow.h"
#include "ProfileFile.h"
#include "ProgramDirectory.h"
#include "SymbolWindow.h"
#include "Wheel.h"

#include <QAction>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <ctime>

#include "Translation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

using namespace kyr;

namespace {

// Cusps in degrees, so that two charts compare at a glance.
std::vector<long double> CuspDegrees(const THoroscope &h) {
    std::vector<long double> cusps;
    for (int c = 1; c <= 12; ++c)
        cusps.push_back(h.CuspDeg(c));
    return cusps;
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FConfig.isValid());
        SetProgramDirectory(KYR_PROGRAM_DIR "/");
        FIniFile = FConfig.filePath("KYR.INI").toStdString();
    }
    void TearDown() override {
        FMain.reset();
        SetProgramDirectory("");
    }

    // A user file from the standard one with some System keys changed.
    void WriteUserSettings(const std::vector<std::pair<std::string, std::string>> &system) {
        std::ifstream in(KYR_PROGRAM_DIR "/KYR.STD");
        std::ofstream out(FIniFile);
        out << in.rdbuf();
        out.close();
        TProfileFile ini(FIniFile);
        for (const auto &[key, value] : system)
            ini.WriteString("System", key, value);
        ini.UpdateFile();
    }

    TForm_KYR_Main &Start() {
        TSetupEnvironment environment;
        environment.ProgramDirectory = KYR_PROGRAM_DIR "/";
        environment.ConfigDirectory = FConfig.path().toStdString() + "/";
        // The build's program directory stays clean: KYR.INI goes to the temporary one.
        environment.CanWrite = [](const std::string &) { return false; };
        FMain = std::make_unique<TForm_KYR_Main>(environment);
        FMain->OnInformation = [this](const QString &text) { FMessages.push_back(text); };
        EXPECT_EQ(FIniFile, FMain->Settings().SettingsFileName());
        EXPECT_TRUE(FMain->StartUp());
        FMain->KYR_Language.SetActive(false);
        FMain->KYR_Language.SetActive(true);
        FMain->PostStartUp();
        FMain->SetLoading(false);
        FMain->resize(1200, 800);
        FMain->show();
        QApplication::processEvents();
        return *FMain;
    }

    QTemporaryDir FConfig;
    std::string FIniFile;
    std::unique_ptr<TForm_KYR_Main> FMain;
    QStringList FMessages;
};

TEST_F(MainWindow, FirstStartShowsTheHereAndNowChartAtLondon) {
    const QDateTime before = QDateTime::currentDateTime();
    TForm_KYR_Main &main = Start();
    const THoroscope &h = main.KYR_Horoscope_1;
    ASSERT_TRUE(h.Active());
    EXPECT_EQ("Current Session", h.FirstName);
    EXPECT_EQ("", h.LastName);
    EXPECT_EQ("United Kingdom", h.StateName);
    EXPECT_EQ("London", h.PlaceName);
    // London: 51°30' N, a few minutes west of Greenwich (west positive).
    EXPECT_NEAR(51.30, static_cast<double>(h.Latitude()), 0.02);
    EXPECT_NEAR(0.0, static_cast<double>(h.Longitude()), 0.15);
    EXPECT_EQ(before.date().year(), static_cast<int>(h.BirthDate()));
    // The calendar change of the place's zone, not one date for the whole world.
    EXPECT_DOUBLE_EQ(1752.0914, static_cast<double>(h.GregorianStart()));
    EXPECT_EQ(OptionAspects | OptionTransits, h.Options() & 3);
    EXPECT_GT(h.AspectCount, 0);
    // Summer time in London runs from late March to late October.
    const int month = before.date().month();
    if (month <= 2 || month >= 11) {
        EXPECT_EQ(0, static_cast<double>(h.SummerTime()));
    } else if (month >= 5 && month <= 9) {
        EXPECT_EQ(1, static_cast<double>(h.SummerTime()));
    }

    // The standard settings mark no window: the wheel opens, showing this chart.
    ASSERT_NE(nullptr, main.Wheel());
    EXPECT_TRUE(main.Wheel()->HoroscopeReady());
    // The start-up translation gives the wheel window its caption text 689, the same words.
    EXPECT_EQ("Current Session", main.WheelWindow()->windowTitle().trimmed());
    EXPECT_TRUE(main.SummaryLabel()->text().contains("London"))
        << main.SummaryLabel()->text().toStdString();
    EXPECT_TRUE(main.SummaryLabel()->text().contains("Placidus"));
    EXPECT_TRUE(main.MenuItem("smPlacidus")->isChecked());
    EXPECT_TRUE(main.MenuItem("smMedium")->isChecked());
    EXPECT_TRUE(main.MenuItem("miSaveOnExit")->isChecked());
    EXPECT_TRUE(main.MenuItem("miCascade")->isEnabled());
    // Menu captions come from the language's texts, the about item included.
    EXPECT_EQ(1083, Tag(main.MenuItem("miAbout")));
    EXPECT_EQ("&About...", main.MenuItem("miAbout")->text());
    EXPECT_EQ(1071, Tag(main.MenuItem("miPlanetPositionGrid")));
    EXPECT_TRUE(FMessages.isEmpty());
}

TEST_F(MainWindow, WithoutHereAndNowTheSampleChartStaysInactiveAndTheSummaryEmpty) {
    WriteUserSettings({{"HereAndNow", "0"}});
    TForm_KYR_Main &main = Start();
    EXPECT_FALSE(main.KYR_Horoscope_1.Active());
    EXPECT_EQ("New York", main.KYR_Horoscope_1.PlaceName);
    EXPECT_TRUE(main.SummaryLabel()->text().isEmpty());
    ASSERT_NE(nullptr, main.Wheel());
    EXPECT_FALSE(main.Wheel()->HoroscopeReady());
}

TEST_F(MainWindow, StartUpOpensTheWindowsWithASavedPlace) {
    struct TCase {
        std::vector<const char *> Places; // keys of section Windows given a place
        bool Wheel, Positions, Cusps, Aspects, Symbols;
    };
    const TCase cases[] = {
        {{}, true, false, false, false, false},
        {{"Planets", "Aspects"}, false, true, false, true, false},
        {{"Wheel", "HouseCusps", "Symbols"}, true, false, true, false, true},
        {{"Interpretation"}, false, false, false, false, false},
    };
    for (const TCase &c : cases) {
        WriteUserSettings({});
        TProfileFile ini(FIniFile);
        for (const char *key : c.Places)
            ini.WriteString("Windows", key, "10,20,300,280,0");
        ini.UpdateFile();
        TForm_KYR_Main &main = Start();
        SCOPED_TRACE(c.Places.empty() ? "none" : c.Places[0]);
        EXPECT_EQ(c.Wheel, main.Wheel() != nullptr);
        EXPECT_EQ(c.Positions, main.Positions() != nullptr);
        EXPECT_EQ(c.Cusps, main.Cusps() != nullptr);
        EXPECT_EQ(c.Aspects, main.Aspects() != nullptr);
        EXPECT_EQ(c.Symbols, main.Symbols() != nullptr);
        // Every window shows the here-and-now chart under its caption (the wheel window's
        // is text 689 after the start-up translation: the same words).
        for (QMdiSubWindow *sub : main.MdiArea()->subWindowList())
            EXPECT_EQ("Current Session", sub->windowTitle().trimmed());
        if (main.Positions()) {
            EXPECT_FALSE(main.Positions()->Rows().empty());
            EXPECT_EQ(QSize(300, 280), main.Positions()->Frame()->size());
        }
        FMain.reset();
    }
}

TEST_F(MainWindow, HerePlaceMissingFromTheAtlasLeavesTheChartAsItWas) {
    for (const char *place :
         {"Atlantis, Nowhere", "United Kingdom, Nowhere", "London", "United Kingdom,"}) {
        SCOPED_TRACE(place);
        WriteUserSettings({});
        TProfileFile ini(FIniFile);
        ini.WriteString("Startup", "Place", place);
        ini.UpdateFile();
        TForm_KYR_Main &main = Start();
        EXPECT_EQ("New York", main.KYR_Horoscope_1.PlaceName);
        EXPECT_EQ(1941.0806L, main.KYR_Horoscope_1.BirthDate());
        FMain.reset();
    }
}

TEST_F(MainWindow, TableWindowsOpenOnceAndFollowChartChanges) {
    TForm_KYR_Main &main = Start();
    struct TCase {
        const char *Item;
        std::function<QWidget *()> Window;
    };
    const std::vector<TCase> cases{
        {"miPlanetPositionGrid", [&] { return main.Positions(); }},
        {"miHouseCuspPositionGrid", [&] { return main.Cusps(); }},
        {"miAspectGrid", [&] { return main.Aspects(); }},
        {"miSymbolExplanation", [&] { return main.Symbols(); }},
    };
    for (const TCase &c : cases) {
        EXPECT_EQ(nullptr, c.Window()) << c.Item;
        main.MenuItem(c.Item)->trigger();
        QWidget *window = c.Window();
        ASSERT_NE(nullptr, window) << c.Item;
        // A second command brings the same window forward.
        main.MenuItem(c.Item)->trigger();
        EXPECT_EQ(window, c.Window()) << c.Item;
    }
    // The wheel and the interpretation window of the start-up, and the four tables.
    EXPECT_EQ(6, main.MdiArea()->subWindowList().size());
    ASSERT_FALSE(main.Positions()->Rows().empty());
    const auto positionsBefore = main.Positions()->Rows();
    const auto cuspsBefore = main.Cusps()->Rows();

    // A chart change reaches the tables, the summary and every caption.
    THoroscope &h = main.KYR_Horoscope_1;
    h.SetActive(false);
    h.FirstName = "Anna";
    h.LastName = "Berg";
    h.SetBirthDate(1980.0615L);
    h.SetActive(true);
    EXPECT_NE(positionsBefore, main.Positions()->Rows());
    EXPECT_NE(cuspsBefore, main.Cusps()->Rows());
    EXPECT_TRUE(main.SummaryLabel()->text().startsWith("15/06/1980 "))
        << main.SummaryLabel()->text().toStdString();
    for (QMdiSubWindow *sub : main.MdiArea()->subWindowList())
        EXPECT_EQ("Anna Berg", sub->windowTitle());

    main.MenuItem("miCloseAllWindows")->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    EXPECT_EQ(nullptr, main.Positions());
    EXPECT_EQ(nullptr, main.Wheel());
    EXPECT_FALSE(main.MenuItem("miCascade")->isEnabled());
}

TEST_F(MainWindow, SummaryShowsTheWholeYearInTheChosenOrderAndMarksJulianDates) {
    const struct {
        const char *USDateFormat;
        Extended Date;
        bool Julian;
        const char *Start;
    } cases[] = {
        {"0", 1875.0726L, false, "26/07/1875 12:00:00; "},
        {"1", 1875.0726L, false, "07/26/1875 12:00:00; "},
        {"0", 2026.0105L, false, "05/01/2026 12:00:00; "},
        {"1", 2026.0105L, false, "01/05/2026 12:00:00; "},
        {"0", 1700.0601L, true, "01/06/1700 12:00:00 (Julian); "},
        {"1", 1700.0601L, true, "06/01/1700 12:00:00 (Julian); "},
    };
    for (const auto &c : cases) {
        WriteUserSettings({{"USDateFormat", c.USDateFormat}});
        TForm_KYR_Main &main = Start();
        THoroscope &h = main.KYR_Horoscope_1;
        h.SetActive(false);
        h.SetBirthDate(c.Date);
        h.SetBirthTime(12.0L);
        h.SetGregorianStart(c.Julian ? 1752.0914L : 1582.1015L);
        h.SetActive(true);
        const QString summary = main.SummaryLabel()->text();
        EXPECT_TRUE(summary.startsWith(c.Start)) << summary.toStdString();
        EXPECT_EQ(c.Julian, summary.contains("Julian")) << summary.toStdString();
        FMain.reset();
    }
}

TEST_F(MainWindow, SummaryShowsTheCoordinatesOfAChartWithoutAPlace) {
    TForm_KYR_Main &main = Start();
    THoroscope &h = main.KYR_Horoscope_1;
    h.SetActive(false);
    h.StateName.clear();
    h.PlaceName.clear();
    h.SetLatitude(40.00L);
    h.SetLongitude(30.00L);
    h.SetActive(true);
    const QString summary = main.SummaryLabel()->text();
    const TLanguage &l = main.KYR_Language;
    EXPECT_FALSE(summary.contains("; ;")) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QString::fromStdString(
        "; " + l.LatitudeText(40.00L) + " " + l.LongitudeText(30.00L) + "; ")))
        << summary.toStdString();
}

TEST_F(MainWindow, HouseSystemItemsChangeTheCuspsAndTheSetting) {
    TForm_KYR_Main &main = Start();
    THoroscope &h = main.KYR_Horoscope_1;
    const auto placidus = CuspDegrees(h);
    std::vector<std::vector<long double>> seen{placidus};
    for (const auto &[item, system] :
         {std::pair{"smKoch", HouseKoch}, {"smEqual", HouseEqual}, {"smPlacidus", HousePlacidus}}) {
        SCOPED_TRACE(item);
        main.MenuItem(item)->trigger();
        EXPECT_EQ(system, h.HouseSystem());
        EXPECT_EQ(system, main.Settings().HouseSystem());
        for (const char *other : {"smPlacidus", "smKoch", "smEqual"})
            EXPECT_EQ(std::string(other) == item, main.MenuItem(other)->isChecked()) << other;
        seen.push_back(CuspDegrees(h));
    }
    // The Ascendant and MC stay; the intermediate cusps differ between systems.
    EXPECT_NEAR(static_cast<double>(seen[0][0]), static_cast<double>(seen[1][0]), 1e-9);
    EXPECT_NE(seen[0][1], seen[1][1]);
    EXPECT_NE(seen[1][1], seen[2][1]);
    EXPECT_EQ(placidus, seen[3]);
    EXPECT_TRUE(main.SummaryLabel()->text().contains("Placidus"));
}

TEST_F(MainWindow, PolarChartFallsBackToEqualAndKeepsTheUsersChoice) {
    TForm_KYR_Main &main = Start();
    THoroscope &h = main.KYR_Horoscope_1;
    h.SetActive(false);
    h.SetLatitude(70.0L);
    h.SetActive(true);
    EXPECT_EQ(HouseEqual, h.HouseSystem());
    ASSERT_EQ(1, FMessages.size());
    EXPECT_EQ("Note that Horoscope has been changed to Equal House of Systems", FMessages[0]);
    EXPECT_TRUE(main.MenuItem("smEqual")->isChecked());
    EXPECT_EQ(HousePlacidus, main.Settings().SavedHouseSystem());
    // A corrected latitude brings the user's system back, and the fall-back ends.
    h.SetLatitude(50.0L);
    EXPECT_EQ(HousePlacidus, h.HouseSystem());
    EXPECT_TRUE(main.MenuItem("smPlacidus")->isChecked());
    EXPECT_FALSE(main.Settings().HouseSystemIsTemporary());
    EXPECT_EQ(HousePlacidus, main.Settings().HouseSystem());
    EXPECT_EQ(1, FMessages.size());
    h.SetLatitude(70.0L);
    EXPECT_EQ(HouseEqual, h.HouseSystem());
    EXPECT_EQ(2, FMessages.size());
    // The next here-and-now chart restores the user's system.
    h.SetActive(false);
    main.SetHereAndNow(QDateTime::currentDateTime());
    h.SetActive(true);
    EXPECT_EQ(HousePlacidus, h.HouseSystem());
    EXPECT_TRUE(main.MenuItem("smPlacidus")->isChecked());
}

TEST_F(MainWindow, OrbItemsSwitchTheOrbSetAndShowTheAspectLinesAgain) {
    TForm_KYR_Main &main = Start();
    THoroscope &h = main.KYR_Horoscope_1;
    main.MenuItem("smHide")->trigger();
    EXPECT_TRUE(main.Settings().System.HideAspects);
    EXPECT_FALSE(main.Wheel()->ShowAspects());
    const int medium = h.AspectCount;
    main.MenuItem("smStrong")->trigger();
    const int strong = h.AspectCount;
    main.MenuItem("smWeak")->trigger();
    const int weak = h.AspectCount;
    EXPECT_LE(strong, medium);
    EXPECT_LE(medium, weak);
    EXPECT_LT(strong, weak);
    EXPECT_EQ("Weak", main.Settings().System.OrbisName);
    EXPECT_TRUE(main.MenuItem("smWeak")->isChecked());
    EXPECT_FALSE(main.MenuItem("smStrong")->isChecked());
    EXPECT_FALSE(main.Settings().System.HideAspects);
    EXPECT_FALSE(main.MenuItem("smHide")->isChecked());
    EXPECT_TRUE(main.Wheel()->ShowAspects());
}

TEST_F(MainWindow, ClosingWritesTheUserSettings) {
    struct TCase {
        bool SaveOnExit;
        const char *ExpectedHouseSystem; // written only with SaveOnExit
    };
    for (const TCase &c : {TCase{true, "1"}, TCase{false, ""}}) {
        SCOPED_TRACE(c.SaveOnExit);
        std::remove(FIniFile.c_str());
        TForm_KYR_Main &main = Start();
        main.MenuItem("smKoch")->trigger();
        if (!c.SaveOnExit)
            main.MenuItem("miSaveOnExit")->trigger();
        main.MenuItem("miExit")->trigger();
        TProfileFile ini(FIniFile);
        EXPECT_EQ(c.SaveOnExit ? "1" : "0", ini.ReadString("System", "SaveOnExit", "?"));
        EXPECT_EQ(c.ExpectedHouseSystem, ini.ReadString("System", "HouseSystem", ""));
        if (c.SaveOnExit) {
            EXPECT_FALSE(ini.ReadString("Windows", "Main", "").empty());
            EXPECT_FALSE(ini.ReadString("Windows", "Wheel", "").empty());
        }
        FMain.reset();
    }
}

TEST_F(MainWindow, AskDialogAnswers) {
    TForm_KYR_Main &main = Start();
    TAskDlg &ask = *main.AskDlg();
    struct TCase {
        bool WithCancel;
        QPushButton *(TAskDlg::*Button)() const;
        int Expected;
    };
    const TCase cases[] = {
        {false, &TAskDlg::YesButton, QDialogButtonBox::Yes},
        {false, &TAskDlg::NoButton, QDialogButtonBox::No},
        {true, &TAskDlg::CancelButton, QDialogButtonBox::Cancel},
    };
    for (const TCase &c : cases) {
        QPushButton *button = (ask.*c.Button)();
        QTimer::singleShot(0, button, [&] {
            EXPECT_EQ(c.WithCancel, ask.CancelButton()->isVisible());
            EXPECT_EQ("Question", ask.windowTitle());
            EXPECT_EQ("Go on?", ask.TextLabel()->text());
            EXPECT_EQ("&Yes", ask.YesButton()->text());
            button->click();
        });
        EXPECT_EQ(c.Expected, ask.Ask(QString(), "Go on?", c.WithCancel));
    }
    QTimer::singleShot(0, &ask, [&] { ask.YesButton()->click(); });
    EXPECT_TRUE(ask.AskYes("Sure?"));
}

TEST(Application, ExceptionFromAHandlerIsShownAndTheProgramGoesOn) {
    auto *app = qobject_cast<TKyrApplication *>(QCoreApplication::instance());
    ASSERT_NE(nullptr, app);
    std::vector<std::string> shown;
    app->OnException = [&](const std::string &message) { shown.push_back(message); };
    QTimer::singleShot(0, [] { throw std::runtime_error("Invalid date"); });
    bool after = false;
    QTimer::singleShot(5, [&] { after = true; });
    QTRY_VERIFY(after);
    EXPECT_EQ(std::vector<std::string>{"Invalid date"}, shown);
    app->OnException = ShowExceptionMessage;
}

// The computer's clock in New York, the here place in Europe: the chart is cast for the here
// place's own local time at that instant, across the changes of summer time, and Define "Now"
// fixes the moment until the clock is chosen again.
TEST_F(MainWindow, HereAndNowIsTheHerePlacesLocalTimeAndDefineNowFixesIt) {
    const QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "America/New_York");
    tzset();
    TForm_KYR_Main &main = Start();
    THoroscope &h = main.KYR_Horoscope_1;
    main.Settings().SetPlace("United Kingdom, London");
    const struct {
        const char *Place;
        QDate Date;
        QTime NewYork; ///< the computer's local time
        double BirthDate, BirthTime, Zone, Summer;
    } cases[] = {
        {"United Kingdom, London", {2021, 7, 1}, {8, 0}, 2021.0701, 13.00, 0, 1},
        {"United Kingdom, London", {2021, 12, 1}, {18, 30}, 2021.1201, 23.30, 0, 0},
        {"United Kingdom, London", {2021, 12, 31}, {20, 15}, 2022.0101, 1.15, 0, 0},
        // 01:30 happened twice in London on 31 October 2021: first in summer time, then not.
        {"United Kingdom, London", {2021, 10, 30}, {20, 30}, 2021.1031, 1.30, 0, 1},
        {"United Kingdom, London", {2021, 10, 30}, {21, 30}, 2021.1031, 1.30, 0, 0},
        {"Austria, Vienna", {2021, 7, 1}, {8, 0}, 2021.0701, 14.00, -1, 1},
        {"Austria, Vienna", {2021, 3, 27}, {20, 59}, 2021.0328, 1.59, -1, 0},
        {"Austria, Vienna", {2021, 3, 27}, {21, 0}, 2021.0328, 3.00, -1, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.Place) + " " + c.Date.toString().toStdString() + " " +
                     c.NewYork.toString().toStdString());
        main.Settings().SetPlace(c.Place);
        main.Clock = [&] { return QDateTime(c.Date, c.NewYork); };
        main.HereAndNowClick();
        ASSERT_TRUE(h.Active());
        EXPECT_NEAR(c.BirthDate, static_cast<double>(h.BirthDate()), 1e-9);
        EXPECT_NEAR(c.BirthTime, static_cast<double>(h.BirthTime()), 1e-9);
        EXPECT_NEAR(c.Zone, static_cast<double>(h.ZoneTime()), 1e-9);
        EXPECT_NEAR(c.Summer, static_cast<double>(h.SummerTime()), 1e-9);
    }
    const QString clockSummary = main.SummaryLabel()->text();
    EXPECT_FALSE(clockSummary.contains("Define")) << clockSummary.toStdString();

    // Define "Now": the typed moment is Vienna's clock, and stays while the clock goes on.
    main.DefineNow(QDialog::Accepted, QDateTime(QDate(2000, 1, 1), QTime(12, 0, 30)));
    ASSERT_TRUE(h.Active());
    EXPECT_NEAR(2000.0101, static_cast<double>(h.BirthDate()), 1e-9);
    EXPECT_NEAR(12.0030, static_cast<double>(h.BirthTime()), 1e-9);
    EXPECT_NEAR(-1, static_cast<double>(h.ZoneTime()), 1e-9);
    EXPECT_NEAR(0, static_cast<double>(h.SummerTime()), 1e-9);
    main.Clock = [] { return QDateTime(QDate(2021, 8, 1), QTime(9, 0)); };
    main.HereAndNowClick();
    EXPECT_NEAR(2000.0101, static_cast<double>(h.BirthDate()), 1e-9);
    EXPECT_TRUE(main.SummaryLabel()->text().endsWith(" (moment fixed with Define \"Now\")"))
        << main.SummaryLabel()->text().toStdString();
    // Cancel changes nothing; "use the clock" follows the clock again.
    main.DefineNow(QDialog::Rejected, QDateTime(QDate(2010, 1, 1), QTime(0, 0)));
    EXPECT_NEAR(2000.0101, static_cast<double>(h.BirthDate()), 1e-9);
    main.DefineNow(TSetNowDlg::UseClockResult, {});
    EXPECT_FALSE(main.FixedNow());
    EXPECT_NEAR(2021.0801, static_cast<double>(h.BirthDate()), 1e-9);
    EXPECT_NEAR(15.00, static_cast<double>(h.BirthTime()), 1e-9);
    EXPECT_FALSE(main.SummaryLabel()->text().contains("Define"));

    if (oldTz.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", oldTz);
    tzset();
}

} // namespace
