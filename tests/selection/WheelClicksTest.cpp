// Clicks in the wheel of an offscreen main window reach the selection panel: the main window
// starts against the build's program directory, its first chart is then replaced by the
// fixed chart of the wheel tests, and every click point is taken from the laid-out geometry.
#include "ContextHelp.h"
#include "InterpWindow.h"

#include <QPlainTextEdit>
#include "KyrApplication.h"
#include "MainWindow.h"
#include "QuickHelpWin.h"
#include "SelectionPanel.h"
#include "WheelWindow.h"

#include "ProgramDirectory.h"
#include "WheelRenderHelpers.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using namespace kyr;
using namespace kyr::test;

namespace {

class WheelClicks : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FConfig.isValid());
        SetProgramDirectory(KYR_PROGRAM_DIR "/");
        TSetupEnvironment environment;
        environment.ProgramDirectory = KYR_PROGRAM_DIR "/";
        environment.ConfigDirectory = FConfig.path().toStdString() + "/";
        environment.CanWrite = [](const std::string &) { return false; };
        Main = std::make_unique<TForm_KYR_Main>(environment);
        Main->OnInformation = [](const QString &) {};
        ASSERT_TRUE(Main->StartUp());
        Main->KYR_Language.SetActive(false);
        Main->KYR_Language.SetActive(true);
        Main->PostStartUp();
        Main->SetLoading(false);
        Main->resize(1200, 800);
        Main->show();
        QApplication::processEvents();
        ASSERT_NE(nullptr, Main->WheelWin());

        // The fixed chart: Ascendant 10 degrees Aries, equal houses, a body in every house.
        THoroscope &h = Main->KYR_Horoscope_1;
        ASSERT_TRUE(h.Active());
        SetCusps(h, EqualCusps(FixedAscendant));
        SetBodies(h, FixedBodies);
        h.AspectCount = 0;
        for (const TFixedChord &c : FixedChords)
            h.Aspects[h.AspectCount++] = {c.Point1, c.Point2, c.AspectNumber, 0};
        Wheel().HoroscopeChanged();
        Wheel().LayoutFor(ToRectI(Wheel().rect()));
        ASSERT_EQ(3u, Wheel().Geometry().Chords.size());
    }
    void TearDown() override {
        Main.reset();
        SetProgramDirectory("");
    }

    TWheel &Wheel() { return *Main->Wheel(); }
    TSelectionPanel &Panel() { return *Main->SelectionPanel(); }
    const TWheelGeometry &Geometry() { return Wheel().Geometry(); }
    static QPoint Pixel(TPointI p) { return {p.X, p.Y}; }
    QPoint Polar(double degrees, double r) { return PolarPixel(Geometry(), degrees, r); }
    QPoint ChordMiddle(int n) {
        const TSegmentI &s = Geometry().Chords[n - 1].Line;
        return {(s.X1 + s.X2) / 2, (s.Y1 + s.Y2) / 2};
    }

    QTemporaryDir FConfig;
    std::unique_ptr<TForm_KYR_Main> Main;
};

TEST_F(WheelClicks, EachItemClickedShowsItsPanelAndBlinks) {
    struct TCase {
        const char *Item;
        std::function<QPoint()> At;
        int Page;
        int Button; // SpeedButtonN whose caption names the item
        QString Caption;
    };
    const std::vector<TCase> cases = {
        {"Sun glyph", [&] { return Pixel(Geometry().Bodies[1].Centre); }, 3, 12, "Sun"},
        {"Jupiter glyph", [&] { return Pixel(Geometry().Bodies[6].Centre); }, 3, 12, "Jupiter"},
        {"Cancer", [&] { return Pixel(Geometry().Signs[4].Centre); }, 0, 1, "Cancer"},
        // Houses and cusps lie every 30 degrees from the Ascendant at 180 degrees.
        {"third house", [&] { return Polar(255, 0.425); }, 1, 4, "3rd House"},
        {"eleventh cusp", [&] { return Polar(120, 0.55); }, 2, 9, "11th House Cusp"},
        {"Ascendant axis outside the wheel", [&] { return Polar(180, 0.98); }, 2, 9, "Ascendant"},
        {"Midheaven axis outside the wheel", [&] { return Polar(90, 0.98); }, 2, 9, "Midheaven"},
        {"Sun-Jupiter chord", [&] { return ChordMiddle(2); }, 4, 17, "Sun Trine Jupiter, orb 0.00"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Item);
        const QPoint at = c.At();
        QTest::mouseClick(&Wheel(), Qt::LeftButton, {}, at);
        EXPECT_EQ(c.Page, Panel().currentIndex());
        EXPECT_EQ(c.Caption, Panel().Button(c.Button)->text());
        EXPECT_TRUE(Wheel().Blinking());
    }
    // The Ascendant's page counts its transits; a plain cusp has no such button.
    QTest::mouseClick(&Wheel(), Qt::LeftButton, {}, Polar(180, 0.98));
    EXPECT_FALSE(Panel().Button(18)->isHidden());
    QTest::mouseClick(&Wheel(), Qt::LeftButton, {}, Polar(120, 0.55));
    EXPECT_TRUE(Panel().Button(18)->isHidden());

    // Outside the wheel and off the axes nothing is hit: the summary comes back.
    QTest::mouseClick(&Wheel(), Qt::LeftButton, {}, Polar(225, 0.98));
    EXPECT_EQ(TSelectionPanel::pgStandard, Panel().currentIndex());
    EXPECT_FALSE(Wheel().Blinking());
    EXPECT_FALSE(Main->SummaryLabel()->text().isEmpty());
}

TEST_F(WheelClicks, PanelButtonsMirrorTheirItemIntoTheWheel) {
    QTest::mouseClick(&Wheel(), Qt::LeftButton, {}, Pixel(Geometry().Bodies[1].Centre));
    ASSERT_EQ(3, Panel().currentIndex());
    // "in Aries" adds the sign to the blinking Sun.
    Panel().Button(13)->click();
    EXPECT_EQ(std::vector<int>{1}, Wheel().Selection().Bodies);
    EXPECT_EQ(1, Wheel().Selection().Sign);
    // The Sun's aspects drop down; choosing one makes its chord blink.
    Panel().Button(15)->click();
    TDropDownMenu &list = Panel().DropDown();
    ASSERT_TRUE(list.Menu()->isVisible());
    list.Menu()->hide();
    list.Pool()[1]->trigger();
    EXPECT_EQ(2, Wheel().Selection().Aspect);
    EXPECT_TRUE(Wheel().Blinking());
}

TEST_F(WheelClicks, RightClickPopsUpTheMenuAndTheAriesPointTurnsTheWheel) {
    QTest::mouseClick(&Wheel(), Qt::RightButton, {}, Polar(300, 0.6));
    QMenu *menu = Main->WheelWin()->WheelPopupMenu();
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    // 0 degrees Aries lies 10 degrees clockwise of the Ascendant.
    EXPECT_FALSE(Wheel().AriesAtLeft());
    QTest::mouseClick(&Wheel(), Qt::LeftButton, {}, Polar(170.5, 0.89));
    EXPECT_TRUE(Wheel().AriesAtLeft());
}

TEST_F(WheelClicks, DoubleClickOnASignShowsItsPictureUntilClicked) {
    TWheelWin &window = *Main->WheelWin();
    // The last hit is Leo; the picture of sign 5 fills the window.
    QTest::mouseClick(&Wheel(), Qt::LeftButton, {}, Pixel(Geometry().Signs[5].Centre));
    QTest::mouseDClick(&Wheel(), Qt::LeftButton, {}, Pixel(Geometry().Signs[5].Centre));
    EXPECT_TRUE(Wheel().isHidden());
    ASSERT_FALSE(window.BackgroundImage()->pixmap().isNull());
    EXPECT_EQ(QSize(480, 400), window.BackgroundImage()->pixmap().size());
    QTest::mouseClick(window.BackgroundImage(), Qt::LeftButton);
    EXPECT_FALSE(Wheel().isHidden());
}

TEST_F(WheelClicks, WheelAndInterpretationOpenAtStartAndTheBiWheelTakesTheSecondChart) {
    EXPECT_EQ(2, Main->MdiArea()->subWindowList().size());
    ASSERT_NE(nullptr, Main->InterpWindow());
    EXPECT_EQ("Current Session ", Main->InterpWindow()->windowTitle());

    TWheelWin &window = *Main->WheelWin();
    window.miWheelTypeClick();
    EXPECT_EQ(2, window.WheelMode());
    EXPECT_EQ(&Main->KYR_Horoscope_2, window.Wheel2()->Horoscope());
    // No second chart yet: nothing to relate to. Once computed, it becomes the partner.
    ASSERT_FALSE(Main->KYR_Horoscope_2.Active());
    EXPECT_EQ(nullptr, Main->KYR_Horoscope_1.Partner());
    Main->KYR_Horoscope_2.SetActive(true);
    ASSERT_TRUE(Main->KYR_Horoscope_2.Active());
    EXPECT_EQ(&Main->KYR_Horoscope_2, Main->KYR_Horoscope_1.Partner());
    window.miWheelTypeClick();
    EXPECT_EQ(nullptr, Main->KYR_Horoscope_1.Partner());

    // Closed, the interpretation window comes back from the View menu.
    Main->InterpWindow()->parentWidget()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(nullptr, Main->InterpWindow());
    Main->MenuItem("miInterpretation")->trigger();
    EXPECT_NE(nullptr, Main->InterpWindow());

    // Closing the wheel window turns the panel to the summary.
    QTest::mouseClick(&Wheel(), Qt::LeftButton, {}, Pixel(Geometry().Bodies[1].Centre));
    EXPECT_EQ(3, Panel().currentIndex());
    Main->WheelWindow()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(nullptr, Main->WheelWin());
    EXPECT_EQ(TSelectionPanel::pgStandard, Panel().currentIndex());
}

TEST_F(WheelClicks, AClickWithAltHeldAsksForQuickHelpInsteadOfHitting) {
    TContextHelp &help = *Main->ContextHelp();
    const QPoint sun = Pixel(Geometry().Bodies[1].Centre);
    QTest::keyPress(&Wheel(), Qt::Key_Alt);
    EXPECT_TRUE(help.HelpMode());
    QTest::mouseClick(&Wheel(), Qt::LeftButton, {}, sun);
    // The wheel window's help number; the click never reached the wheel.
    EXPECT_EQ(540, Main->QuickHelp()->HelpNo());
    EXPECT_TRUE(Main->QuickHelp()->isVisible());
    EXPECT_FALSE(Wheel().Blinking());
    EXPECT_EQ(TSelectionPanel::pgStandard, Panel().currentIndex());
    QTest::keyRelease(&Wheel(), Qt::Key_Alt);
    EXPECT_FALSE(help.HelpMode());
    QTest::mouseClick(&Wheel(), Qt::LeftButton, {}, sun);
    EXPECT_TRUE(Wheel().Blinking());

    // The toolbar's switch lasts for one click.
    help.SetHelpMode(true);
    QTest::mouseClick(Main->InterpWindow()->Memo->viewport(), Qt::LeftButton);
    EXPECT_FALSE(help.HelpMode());
    // A control without a help number of its own shows its window's.
    EXPECT_EQ(TInterpWin::HelpContext, Main->QuickHelp()->HelpNo());
}

} // namespace
